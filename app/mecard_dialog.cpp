#include "app/mecard_dialog.h"

#include "app/dialog_template.h"

namespace quirvane::app {
namespace {

const char kNameMissing[] = "姓か名を入力してください";
const char kNameInvalid[] = "姓・名に使えない文字があります";
const char kReadingInvalid[] = "よみに使えない文字があります";
const char kPhoneInvalid[] = "電話番号は数字と + - ( ) で入力してください";
const char kEmailInvalid[] = "メールアドレスが正しくありません";
const char kAddressInvalid[] = "住所に使えない文字があります";
const char kUrlInvalid[] = "URL に空白や制御文字は使えません";
const char kNoteInvalid[] = "メモに使えない文字があります";
const char kBirthdayInvalid[] = "誕生日は 1990-04-01 のように入力してください";

}  // namespace

MeCardDialog::MeCardDialog(QWidget* parent) : ContentDialog(kMeCardTemplate, parent) {}

ContentText MeCardDialog::Build() const {
    return BuildMeCard(Contact{
        .familyName = FieldText(kFamilyName),
        .givenName = FieldText(kGivenName),
        .familyReading = FieldText(kFamilyReading),
        .givenReading = FieldText(kGivenReading),
        .phones = {FieldText(kPhone)},
        .emails = {FieldText(kEmail)},
        .address = FieldText(kAddress),
        .url = FieldText(kUrl),
        .note = FieldText(kNote),
        .birthday = FieldText(kBirthday),
    });
}

ContentRefusal MeCardDialog::RefusalOf(const ContentText& refused) const {
    switch (refused.field) {
        case ContentField::Reading:
            return {kReadingInvalid, kFamilyReading};
        case ContentField::Phone:
            return {kPhoneInvalid, kPhone};
        case ContentField::Email:
            return {kEmailInvalid, kEmail};
        case ContentField::Address:
            return {kAddressInvalid, kAddress};
        case ContentField::Url:
            return {kUrlInvalid, kUrl};
        case ContentField::Note:
            return {kNoteInvalid, kNote};
        case ContentField::Birthday:
            return {kBirthdayInvalid, kBirthday};
        default:  // the name: the dialog has no other field
            return {refused.outcome == ContentOutcome::Missing ? kNameMissing : kNameInvalid,
                    kFamilyName};
    }
}

}  // namespace quirvane::app
