// The contact dialog of 「入力支援」 (template 131): a MeCard, the contact
// format Japanese phones read, with the kana reading of the name (BuildMeCard).
#pragma once

#include "app/content_dialog.h"

namespace quirvane::app {

class MeCardDialog : public ContentDialog {
    Q_OBJECT

  public:
    explicit MeCardDialog(QWidget* parent = nullptr);

    // Ids of the fields, in tab order.
    static constexpr int kFamilyName = 1111;
    static constexpr int kGivenName = 1112;
    static constexpr int kFamilyReading = 1113;
    static constexpr int kGivenReading = 1114;
    static constexpr int kPhone = 1115;
    static constexpr int kEmail = 1116;
    static constexpr int kAddress = 1117;
    static constexpr int kUrl = 1118;
    static constexpr int kNote = 1119;
    static constexpr int kBirthday = 1120;

  protected:
    ContentText Build() const override;
    ContentRefusal RefusalOf(const ContentText& refused) const override;
};

}  // namespace quirvane::app
