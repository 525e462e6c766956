// The texts phones act on when they read a symbol: a Wi-Fi network, a contact
// (MeCard or vCard), a mail, a call, a text message, a place and an event.
// Each builder escapes what its format needs and refuses what it cannot hold,
// naming the field, so that every front end words the message its own way.
#pragma once

#include <string>
#include <vector>

namespace quirvane {

enum class ContentOutcome {
    Built,
    Missing,  // a required field is empty
    // A value the format cannot hold: not UTF-8, a control character, a letter
    // in a number, a day that does not exist, a latitude beyond 90, ...
    Invalid,
    NotAllowed,      // a value where the format takes none (a password on an open network)
    EndBeforeStart,  // the event ends before it starts, or a date-time end at its start
    EndKindDiffers,  // one of start and end is a date, the other a date and time
};

enum class ContentField {
    None,
    Ssid,
    Password,
    Name,
    Reading,
    Organisation,
    Title,
    Phone,
    Email,
    Address,
    Url,
    Note,
    Birthday,
    Subject,
    Body,
    Message,
    Latitude,
    Longitude,
    Summary,
    Start,
    End,
    Location,
};

struct ContentText {
    ContentOutcome outcome = ContentOutcome::Built;
    ContentField field = ContentField::None;
    int entry = 0;     // which value of a repeatable field (phones, emails), from 0
    std::string text;  // UTF-8, what the symbol holds; empty unless built

    bool Built() const { return outcome == ContentOutcome::Built; }
};

// Every text field below is UTF-8 and may hold no control character but a tab
// and line breaks (CR LF, LF or CR), where the format says what becomes of them.
// Each has a default, so that designated initializers may name only some.

enum class WifiSecurity { Wpa, Wep, Open };

struct WifiNetwork {
    WifiSecurity security = WifiSecurity::Wpa;
    std::string ssid{};      // 1-32 bytes, no line break
    std::string password{};  // WPA: 8-63 printable ASCII characters or 64 hex digits;
                             // WEP: 5 or 13 characters or 10 or 26 hex digits; open: none
    bool hidden = false;
};

// WIFI:T:WPA;S:ssid;P:password;H:true;;
ContentText BuildWifi(const WifiNetwork& network);

// A person, for either contact format. Empty fields are left out, and so are
// blank values of phones and emails.
struct Contact {
    std::string familyName{};  // at least one of the two names
    std::string givenName{};
    std::string familyReading{};  // the kana reading of each
    std::string givenReading{};
    std::string organisation{};  // vCard only: a MeCard refuses them (NotAllowed)
    std::string title{};
    std::vector<std::string> phones{};  // as people type them, see BuildPhone
    std::vector<std::string> emails{};  // one address each
    std::string address{};
    std::string url{};
    std::string note{};
    std::string birthday{};  // YYYY-MM-DD or YYYYMMDD
};

// MECARD:N:family,given;SOUND:…;TEL:…;EMAIL:…;ADR:…;URL:…;NOTE:…;BDAY:YYYYMMDD;;
// A line break becomes a space: a MeCard has no way to write one.
ContentText BuildMeCard(const Contact& contact);

// vCard 3.0, lines ended by CR LF. FN is the name as people write it: family
// then given without a space when either holds Japanese script, else given,
// a space, family. The reading goes in SORT-STRING, the address in the street
// part of ADR, the birthday in BDAY as YYYY-MM-DD.
ContentText BuildVCard(const Contact& contact);

struct Mail {
    std::string address{};  // one: name@domain, no spaces
    std::string subject{};  // a line break becomes a space
    std::string body{};
};

// mailto:address?subject=…&body=…, percent-encoded UTF-8.
ContentText BuildMail(const Mail& mail);

// tel:+81-3-1234-5678. Digits with an optional leading +; spaces, dots,
// parentheses and hyphens (half- or full-width, or ー) become one hyphen
// between digits; full-width digits become ASCII.
ContentText BuildPhone(const std::string& number);

struct TextMessage {
    std::string number{};  // as for BuildPhone
    std::string message{};
};

// SMSTO:number:message
ContentText BuildTextMessage(const TextMessage& message);

struct MapLocation {
    std::string latitude{};  // decimal degrees: -90..90, -180..180, no exponent
    std::string longitude{};
};

// geo:35.6586,139.7454, each number as given without leading or trailing zeros.
ContentText BuildMapLocation(const MapLocation& location);

struct CalendarEvent {
    std::string summary{};  // required
    // YYYY-MM-DD or YYYYMMDD for a whole day; YYYY-MM-DDTHH:MM[:SS] followed by
    // Z or ±HH:MM, or YYYYMMDDTHHMMSSZ, for a moment, written in UTC. A date
    // end is the last day of the event; it is written as the day after, since
    // iCalendar's end is exclusive.
    std::string start{};  // required
    std::string end{};    // optional; the same kind as start
    std::string location{};
};

// BEGIN:VEVENT … END:VEVENT, lines ended by CR LF.
ContentText BuildCalendarEvent(const CalendarEvent& event);

}  // namespace quirvane
