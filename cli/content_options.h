// The texts phones act on, made from quirvane-encode's field options: the
// format chosen (--wifi, --mecard, ...), the fields given for it, whether
// each belongs to it, and the library's refusal put into the user's words.
#pragma once

#include <string>
#include <vector>

#include <quirvane/content.h>

namespace quirvane {

enum class ContentFormat { None, Wifi, MeCard, VCard, Mail, Phone, Sms, Geo, Event };

struct ContentFields {
    ContentFormat format = ContentFormat::None;
    // --phone and --email fill the contact's lists; the one number of --tel
    // and --sms and the one address of --mailto are their first entries.
    WifiNetwork wifi;
    Contact contact;
    std::string subject;
    std::string body;  // a mail's body, or a text message
    MapLocation location;
    CalendarEvent event;
    std::vector<std::string> given;  // the long names of the field options given, in order
};

// The option that picks the format: "--wifi", ...
std::string ContentFormatOption(ContentFormat format);

// "" when every field given belongs to the format and is given as often as
// it may be, else one line saying which does not.
std::string ContentFieldProblem(const ContentFields& fields);

struct ContentMade {
    std::string text;     // what the symbol holds
    std::string refusal;  // "" or one line naming the field
};

ContentMade BuildContent(const ContentFields& fields);

}  // namespace quirvane
