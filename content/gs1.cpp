// GS1 element strings: the length of each Application Identifier follows from
// its first two digits, and so does whether its data have a fixed length, so
// the element string needs a separator only after data of no fixed length.
// The check digits and dates are held to GS1's rules before anything is
// encoded, since a symbol that scans with a wrong check digit is refused at
// the till.
#include <algorithm>
#include <string>

#include <quirvane/gs1.h>

namespace quirvane {
namespace {

constexpr char kGroupSeparator = 0x1D;
constexpr int kMostData = 90;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// GS1's 82 characters: ! " % & ' ( ) * + , - . / 0-9 : ; < = > ? A-Z _ a-z.
bool IsGs1Character(char c) {
    return (c >= '!' && c <= '"') || (c >= '%' && c <= '?') || (c >= 'A' && c <= 'Z') || c == '_' ||
           (c >= 'a' && c <= 'z');
}

// Digits of the AIs that start with these two, or 0 where GS1 defines none.
int IdentifierLength(int firstTwo) {
    if (firstTwo <= 4 || (firstTwo >= 10 && firstTwo <= 22) || firstTwo == 30 || firstTwo == 37 ||
        firstTwo >= 90) {
        return 2;
    }
    if ((firstTwo >= 23 && firstTwo <= 25) || (firstTwo >= 40 && firstTwo <= 42) ||
        firstTwo == 71) {
        return 3;
    }
    if ((firstTwo >= 31 && firstTwo <= 36) || firstTwo == 39 || firstTwo == 43 || firstTwo == 70 ||
        firstTwo == 72 || (firstTwo >= 80 && firstTwo <= 82)) {
        return 4;
    }
    return 0;
}

// The fixed length of an element string, AI and data, or 0 for none.
int FixedLength(int firstTwo) {
    switch (firstTwo) {
        case 0:
            return 20;
        case 1:
        case 2:
        case 3:
        case 41:
            return 16;
        case 4:
            return 18;
        case 20:
            return 4;
        default:
            return firstTwo >= 11 && firstTwo <= 19 ? 8 : firstTwo >= 31 && firstTwo <= 36 ? 10 : 0;
    }
}

// The last digit makes the sum of the others, weighted 3 and 1 from the right, a
// multiple of 10.
bool CheckDigitHolds(std::string_view digits) {
    int sum = 0;
    const int last = static_cast<int>(digits.size()) - 1;
    for (int i = last - 1, weight = 3; i >= 0; --i, weight = 4 - weight) {
        sum += weight * (digits[static_cast<std::size_t>(i)] - '0');
    }
    return (sum + digits[static_cast<std::size_t>(last)] - '0') % 10 == 0;
}

bool DateHolds(std::string_view yymmdd) {
    const auto two = [&](std::size_t at) { return (yymmdd[at] - '0') * 10 + yymmdd[at + 1] - '0'; };
    const int year = two(0);
    const int month = two(2);
    const int day = two(4);
    constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return false;
    }
    const int days = month == 2 && year % 4 != 0 ? 28 : kDays[month - 1];
    return day <= days;
}

struct Reader {
    std::string_view text;
    std::size_t at = 0;
    Gs1ElementString out;

    bool Fail(Gs1Outcome outcome, std::string_view ai, std::size_t where) {
        out.outcome = outcome;
        out.ai = std::string(ai);
        out.position = static_cast<int>(where) + 1;
        out.elementString.clear();
        return false;
    }

    // One element: its AI (in brackets or not) and its data, checked.
    bool Element(bool bracketed, bool last(std::string_view, std::size_t)) {
        const std::size_t start = at;
        if (bracketed) {
            ++at;  // the '('
        }
        std::size_t digits = 0;
        while (at + digits < text.size() && IsDigit(text[at + digits]) && digits < 4) {
            ++digits;
        }
        const int firstTwo = digits >= 2 ? (text[at] - '0') * 10 + text[at + 1] - '0' : -1;
        const int length = firstTwo >= 0 ? IdentifierLength(firstTwo) : 0;
        const bool closed = !bracketed || (at + digits < text.size() && text[at + digits] == ')');
        if (length == 0 || (bracketed ? static_cast<int>(digits) != length || !closed
                                      : static_cast<int>(digits) < length)) {
            return Fail(Gs1Outcome::BadIdentifier, text.substr(at, digits), start);
        }
        const std::string_view ai = text.substr(at, static_cast<std::size_t>(length));
        at += static_cast<std::size_t>(length) + (bracketed ? 1 : 0);
        const int fixed = FixedLength(firstTwo);
        const std::size_t dataStart = at;
        std::size_t end = at;
        if (fixed > 0 && !bracketed) {
            end = std::min(text.size(), at + static_cast<std::size_t>(fixed - length));
        } else {
            while (end < text.size() && !last(text, end)) {
                ++end;
            }
        }
        const std::string_view data = text.substr(dataStart, end - dataStart);
        at = end;
        if (data.empty()) {
            return Fail(Gs1Outcome::MissingData, ai, dataStart);
        }
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (!IsGs1Character(data[i]) || (fixed > 0 && !IsDigit(data[i]))) {
                return Fail(Gs1Outcome::BadCharacter, ai, dataStart + i);
            }
        }
        if ((fixed > 0 && static_cast<int>(data.size()) != fixed - length) ||
            static_cast<int>(data.size()) > kMostData) {
            return Fail(Gs1Outcome::WrongLength, ai, dataStart);
        }
        const bool checked = firstTwo <= 2 || firstTwo == 41;
        if (checked && !CheckDigitHolds(data)) {
            return Fail(Gs1Outcome::BadCheckDigit, ai, dataStart + data.size() - 1);
        }
        if (firstTwo >= 11 && firstTwo <= 17 && !DateHolds(data)) {
            return Fail(Gs1Outcome::BadDate, ai, dataStart);
        }
        out.elementString.append(ai);
        out.elementString.append(data);
        pendingSeparator = fixed == 0;
        return true;
    }

    bool pendingSeparator = false;
};

}  // namespace

Gs1ElementString ParseGs1(std::string_view text) {
    Reader reader;
    reader.text = text;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        reader.Fail(Gs1Outcome::Empty, {}, 0);
        return reader.out;
    }
    const std::size_t lastCharacter = text.find_last_not_of(" \t\r\n");
    reader.text = text.substr(0, lastCharacter + 1);
    reader.at = first;
    const bool bracketed = text[first] == '(';
    // Bracketed data run to the next bracket that opens an AI; an element
    // string's to the next separator.
    using EndOfData = bool (*)(std::string_view, std::size_t);
    const EndOfData endOfData =
        bracketed
            ? EndOfData{[](std::string_view t, std::size_t i) { return t[i] == '('; }}
            : EndOfData{[](std::string_view t, std::size_t i) { return t[i] == kGroupSeparator; }};
    while (reader.at < reader.text.size()) {
        if (!bracketed && reader.text[reader.at] == kGroupSeparator) {
            ++reader.at;  // a separator after fixed-length data is not needed
            continue;
        }
        if (bracketed && reader.text[reader.at] != '(') {
            reader.Fail(Gs1Outcome::BadIdentifier, {}, reader.at);
            return reader.out;
        }
        if (reader.pendingSeparator) {
            reader.out.elementString += kGroupSeparator;
        }
        if (!reader.Element(bracketed, endOfData)) {
            return reader.out;
        }
    }
    return reader.out;
}

}  // namespace quirvane
