// A contact's fields checked once for both contact formats: a name present,
// every value text they can carry, phones in tel: form, mail addresses and the
// birthday read. The formats then only write and escape.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <quirvane/content.h>

#include "content/calendar_dates.h"

namespace quirvane::content {

// The values without the blanks around them; views into the Contact.
struct CheckedContact {
    std::string_view familyName;
    std::string_view givenName;
    std::string_view familyReading;
    std::string_view givenReading;
    std::string_view organisation;
    std::string_view title;
    std::vector<std::string> phones;  // normalised, blank values left out
    std::vector<std::string_view> emails;
    std::string_view address;
    std::string_view url;
    std::string_view note;
    bool hasBirthday = false;
    CivilDate birthday;
};

// Built (with no text) and `checked` filled, or the first refusal in the
// order of the fields.
ContentText CheckContact(const Contact& contact, CheckedContact& checked);

}  // namespace quirvane::content
