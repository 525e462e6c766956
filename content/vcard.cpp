// vCard 3.0, the contact format every phone reads. Text values are escaped;
// the phone number and the web address are not text values and are written
// as they are. Lines are not folded at 75 bytes: readers join folded lines,
// but the fold would only make the symbol larger.
#include <cassert>
#include <string>
#include <string_view>

#include <quirvane/content.h>

#include "content/contact_fields.h"
#include "content/content_text.h"

namespace quirvane {
namespace {

bool IsJapaneseScript(char32_t c) {
    return (c >= 0x3005 && c <= 0x3007) ||  // 々 〆 〇
           (c >= 0x3040 && c <= 0x30FF) ||  // hiragana, katakana
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) ||  // kanji and their compatibility forms
           (c >= 0xFF66 && c <= 0xFF9F) ||  // half-width katakana
           (c >= 0x20000 && c <= 0x3FFFF);  // kanji beyond the first plane
}

bool HasJapaneseScript(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const int length = content::ScalarAt(text, at, c);
        assert(length > 0);  // checked by CheckContact
        if (IsJapaneseScript(c)) {
            return true;
        }
        at += static_cast<std::size_t>(length);
    }
    return false;
}

// The two parts with `between` them, or whichever of the two is there.
std::string Joined(std::string_view first, std::string_view between, std::string_view second) {
    if (first.empty() || second.empty()) {
        return std::string(first.empty() ? second : first);
    }
    return std::string(first).append(between).append(second);
}

// The name as people write it: 山田太郎, but Jane Smith.
std::string FormattedName(std::string_view family, std::string_view given) {
    if (HasJapaneseScript(family) || HasJapaneseScript(given)) {
        return Joined(family, "", given);
    }
    return Joined(given, " ", family);
}

void AddLine(std::string& text, std::string_view line) {
    text.append(line).append("\r\n");
}

void AddText(std::string& text, std::string_view name, std::string_view value) {
    if (!value.empty()) {
        AddLine(text, std::string(name) + ':' + content::EscapedTextValue(value));
    }
}

}  // namespace

ContentText BuildVCard(const Contact& contact) {
    content::CheckedContact c;
    ContentText checked = content::CheckContact(contact, c);
    if (!checked.Built()) {
        return checked;
    }
    using content::EscapedTextValue;
    std::string text;
    AddLine(text, "BEGIN:VCARD");
    AddLine(text, "VERSION:3.0");
    AddLine(text,
            "N:" + EscapedTextValue(c.familyName) + ';' + EscapedTextValue(c.givenName) + ";;;");
    AddText(text, "FN", FormattedName(c.familyName, c.givenName));
    AddText(text, "SORT-STRING", Joined(c.familyReading, " ", c.givenReading));
    AddText(text, "ORG", c.organisation);
    AddText(text, "TITLE", c.title);
    // VOICE says only that the number takes calls: nothing here says whether it
    // is a home, work or mobile number, and a reader files it under "phone".
    for (const std::string& phone : c.phones) {
        AddLine(text, "TEL;TYPE=VOICE:" + phone);
    }
    for (const std::string_view email : c.emails) {
        AddText(text, "EMAIL;TYPE=INTERNET", email);
    }
    if (!c.address.empty()) {
        AddLine(text, "ADR:;;" + EscapedTextValue(c.address) + ";;;;");
    }
    if (!c.url.empty()) {
        AddLine(text, "URL:" + std::string(c.url));
    }
    AddText(text, "NOTE", c.note);
    if (c.hasBirthday) {
        AddLine(text, "BDAY:" + content::DashedDate(c.birthday));
    }
    AddLine(text, "END:VCARD");
    return content::Made(text);
}

}  // namespace quirvane
