// The contact format Japanese phones read. It has no escape for a line break
// and says nothing of a raw one, so each becomes a space: an address or a
// note laid out on lines keeps its words, and every reader reads it alike.
// Organisation and title have no field here, and are refused rather than lost.
#include <string>
#include <string_view>

#include <quirvane/content.h>

#include "content/contact_fields.h"
#include "content/content_text.h"

namespace quirvane {
namespace {

std::string Value(std::string_view value) {
    return content::LineBreaksAs(content::BackslashEscaped(value, "\\;:,"), " ");
}

// "family,given", or whichever of the two is there.
std::string Pair(std::string_view family, std::string_view given) {
    if (family.empty() || given.empty()) {
        return Value(family.empty() ? given : family);
    }
    return Value(family) + ',' + Value(given);
}

void AddField(std::string& text, std::string_view name, const std::string& value) {
    if (!value.empty()) {
        text.append(name).append(":").append(value).append(";");
    }
}

}  // namespace

ContentText BuildMeCard(const Contact& contact) {
    content::CheckedContact c;
    ContentText checked = content::CheckContact(contact, c);
    if (!checked.Built()) {
        return checked;
    }
    if (!c.organisation.empty()) {
        return content::Refused(ContentOutcome::NotAllowed, ContentField::Organisation);
    }
    if (!c.title.empty()) {
        return content::Refused(ContentOutcome::NotAllowed, ContentField::Title);
    }
    std::string text = "MECARD:";
    AddField(text, "N", Pair(c.familyName, c.givenName));
    AddField(text, "SOUND", Pair(c.familyReading, c.givenReading));
    for (const std::string& phone : c.phones) {
        AddField(text, "TEL", Value(phone));
    }
    for (const std::string_view email : c.emails) {
        AddField(text, "EMAIL", Value(email));
    }
    AddField(text, "ADR", Value(c.address));
    AddField(text, "URL", Value(c.url));
    AddField(text, "NOTE", Value(c.note));
    if (c.hasBirthday) {
        AddField(text, "BDAY", content::DateDigits(c.birthday));
    }
    return content::Made(text + ';');
}

}  // namespace quirvane
