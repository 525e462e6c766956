// The checks both contact formats make before writing anything.
#include "content/contact_fields.h"

#include <utility>

#include "content/content_text.h"
#include "content/typed_values.h"

namespace quirvane::content {
namespace {

// The trimmed value in `out`, or false when the field holds what no contact
// format can carry.
bool TakeText(const std::string& value, std::string_view& out) {
    out = Trimmed(value);
    return IsPlainText(value);
}

}  // namespace

ContentText CheckContact(const Contact& contact, CheckedContact& checked) {
    checked = CheckedContact{};
    if (!TakeText(contact.familyName, checked.familyName) ||
        !TakeText(contact.givenName, checked.givenName)) {
        return Refused(ContentOutcome::Invalid, ContentField::Name);
    }
    if (checked.familyName.empty() && checked.givenName.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Name);
    }
    if (!TakeText(contact.familyReading, checked.familyReading) ||
        !TakeText(contact.givenReading, checked.givenReading)) {
        return Refused(ContentOutcome::Invalid, ContentField::Reading);
    }
    if (!TakeText(contact.organisation, checked.organisation)) {
        return Refused(ContentOutcome::Invalid, ContentField::Organisation);
    }
    if (!TakeText(contact.title, checked.title)) {
        return Refused(ContentOutcome::Invalid, ContentField::Title);
    }
    for (std::size_t i = 0; i < contact.phones.size(); ++i) {
        std::string number;
        const ContentOutcome outcome = NormalisePhoneNumber(contact.phones[i], number);
        if (outcome == ContentOutcome::Invalid) {
            return Refused(outcome, ContentField::Phone, static_cast<int>(i));
        }
        if (outcome == ContentOutcome::Built) {
            checked.phones.push_back(std::move(number));
        }
    }
    for (std::size_t i = 0; i < contact.emails.size(); ++i) {
        const std::string_view address = Trimmed(contact.emails[i]);
        if (!address.empty() && !IsMailAddress(address)) {
            return Refused(ContentOutcome::Invalid, ContentField::Email, static_cast<int>(i));
        }
        if (!address.empty()) {
            checked.emails.push_back(address);
        }
    }
    if (!TakeText(contact.address, checked.address)) {
        return Refused(ContentOutcome::Invalid, ContentField::Address);
    }
    checked.url = Trimmed(contact.url);
    if (!checked.url.empty() && !IsWebAddress(checked.url)) {
        return Refused(ContentOutcome::Invalid, ContentField::Url);
    }
    if (!TakeText(contact.note, checked.note)) {
        return Refused(ContentOutcome::Invalid, ContentField::Note);
    }
    const std::string_view birthday = Trimmed(contact.birthday);
    checked.hasBirthday = !birthday.empty();
    if (checked.hasBirthday && !ParseDate(birthday, checked.birthday)) {
        return Refused(ContentOutcome::Invalid, ContentField::Birthday);
    }
    return Made({});
}

}  // namespace quirvane::content
