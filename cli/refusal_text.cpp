#include "cli/refusal_text.h"

#include <algorithm>
#include <cstdio>

#include "cli/printable.h"
#include "cli/tool_messages.h"
#include "text/input_text.h"

namespace quirvane {
namespace {

// The character at `byteOffset` of a text in UTF-8, and its place in
// characters; a byte that starts none is shown alone.
std::string CharacterAt(std::string_view bytes, int byteOffset, int& position) {
    const auto at = static_cast<std::size_t>(byteOffset);
    position = 1;
    for (const char c : bytes.substr(0, at)) {
        position += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    int length = 0;
    const char32_t character = Utf8CharacterAt(bytes, at, length);
    return length > 0 ? CharacterShown(character) : Quoted(bytes.substr(at, 1));
}

// The smallest symbol that would hold the text: a larger version at the same
// level first, then the highest level below it.
std::string WouldHold(Encoder& encoder, std::string_view bytes, const Request& request) {
    Request other = request;
    other.cutToFit = false;
    other.version = kVersionAuto;
    other.maxVersion = kLargestVersion;
    const int tried = request.version != kVersionAuto ? request.version : request.maxVersion;
    if (tried < kLargestVersion) {
        other.minVersion = tried;
        if (const Result larger = encoder.Encode(bytes, other)) {
            return VersionName(larger.symbol.Version(), request.level);
        }
    }
    other.minVersion = 1;
    for (int level = static_cast<int>(request.level) - 1; level >= 0; --level) {
        other.level = static_cast<Level>(level);
        if (const Result lower = encoder.Encode(bytes, other)) {
            return VersionName(lower.symbol.Version(), other.level);
        }
    }
    return {};
}

std::string TooLong(Encoder& encoder, const Result& refused, const Request& request,
                    std::string_view bytes) {
    const int tried = request.version != kVersionAuto ? request.version : request.maxVersion;
    const std::string held =
        Fill(translate("quirvane-encode",
                       "the text does not fit: version %1 holds only the "
                       "first %2 of its %3 characters"),
             {VersionName(tried, request.level), std::to_string(refused.charactersHeld),
              std::to_string(refused.charactersTotal)});
    const std::string other = WouldHold(encoder, bytes, request);
    return held + (other.empty()
                       ? translate("quirvane-encode",
                                   "; no single symbol holds it: -S spreads it over several")
                       : Fill(translate("quirvane-encode", "; version %1 would hold it"), {other}));
}

// The check digit GS1 data should end in: the digits before it weighted 3,
// 1, 3, ... from the right.
char CheckDigitFor(std::string_view digits) {
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        sum += (digits[digits.size() - 1 - i] - '0') * (i % 2 == 0 ? 3 : 1);
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

std::string VersionName(int version, Level level) {
    return std::to_string(version) + "-" + "LMQH"[static_cast<int>(level)];
}

std::string PartsRefusal(const Result& refused, const Request& request, int parts) {
    if (refused.outcome != Outcome::TooLong) {
        return Fill(
            translate(
                "quirvane-encode",
                "the text is too short for %2 symbols, which need a character each; it has %1"),
            {std::to_string(refused.charactersTotal), std::to_string(std::max(parts, 2))});
    }
    const std::string version = VersionName(
        request.version != kVersionAuto ? request.version : request.maxVersion, request.level);
    if (refused.partsNeeded == 0) {
        return Fill(translate("quirvane-encode", "a character of the text does not fit version %1"),
                    {version});
    }
    return parts == 0
               ? Fill(translate("quirvane-encode",
                                "the text needs %1 symbols of version %2, and structured append "
                                "joins at most %3"),
                      {std::to_string(refused.partsNeeded), version, std::to_string(kMostParts)})
               : Fill(translate("quirvane-encode",
                                "the text needs %1 symbols of version %2, more than --parts %3"),
                      {std::to_string(refused.partsNeeded), version, std::to_string(parts)});
}

std::string Gs1Refusal(const Gs1ElementString& refused, std::string_view text) {
    const auto at = static_cast<std::size_t>(std::max(refused.position - 1, 0));
    int position = refused.position;
    const std::string where = std::to_string(refused.position);
    const std::string ai = "(" + refused.ai + ")";
    switch (refused.outcome) {
        case Gs1Outcome::BadIdentifier:
            return refused.ai.empty()
                       ? Fill(translate("quirvane-encode",
                                        "--gs1: character %1 starts no Application Identifier; "
                                        "write each in brackets, such as (01)"),
                              {where})
                       : Fill(translate("quirvane-encode",
                                        "--gs1: character %1: %2 is not an Application Identifier "
                                        "GS1 defines"),
                              {where, ai});
        case Gs1Outcome::MissingData:
            return Fill(translate("quirvane-encode", "--gs1: AI %1 has no data after it"), {ai});
        case Gs1Outcome::BadCharacter: {
            const std::string shown = CharacterAt(text, static_cast<int>(at), position);
            return Fill(translate("quirvane-encode",
                                  "--gs1: AI %1: character %2, %3, may not stand there: its data "
                                  "is digits only, or GS1's 82 characters"),
                        {ai, std::to_string(position), shown});
        }
        case Gs1Outcome::WrongLength:
            return Fill(translate("quirvane-encode",
                                  "--gs1: AI %1: its data, from character %2, is not of the "
                                  "length the AI takes"),
                        {ai, where});
        case Gs1Outcome::BadCheckDigit: {
            // (00) holds 18 digits, (01) and (02) 14, (41x) 13, the last the check digit.
            const std::size_t digits = refused.ai == "00" ? 17 : refused.ai.size() == 2 ? 13 : 12;
            const std::string_view data = text.substr(at - std::min(at, digits), digits);
            return Fill(translate("quirvane-encode",
                                  "--gs1: AI %1: the check digit, character %2, is wrong: it "
                                  "should be %3"),
                        {ai, where, std::string(1, CheckDigitFor(data))});
        }
        case Gs1Outcome::BadDate:
            return Fill(translate("quirvane-encode",
                                  "--gs1: AI %1: %2, from character %3, is not a date "
                                  "(YYMMDD, DD 00 for a whole month)"),
                        {ai, Quoted(text.substr(at, 6)), where});
        case Gs1Outcome::Empty:
        case Gs1Outcome::Parsed:
            break;
    }
    return translate("quirvane-encode", "--gs1: the element string is empty");
}

std::string CharacterShown(char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(character));
    return Quoted(Utf8Of(character)) + code;
}

std::string NoShiftJisForm(char32_t character, int position) {
    return Fill(translate("quirvane-encode", "character %1, %2, has no Shift_JIS form"),
                {std::to_string(position), CharacterShown(character)});
}

std::string RefusalText(Encoder& encoder, const Result& refused, const Request& request,
                        std::string_view bytes) {
    int position = refused.position;
    switch (refused.outcome) {
        case Outcome::NotNumeric: {
            const std::string shown = CharacterAt(bytes, refused.byteOffset, position);
            return Fill(translate("quirvane-encode",
                                  "character %1, %2, is not a digit: numeric mode writes only "
                                  "0-9"),
                        {std::to_string(position), shown});
        }
        case Outcome::NotAlphanumeric: {
            const std::string shown = CharacterAt(bytes, refused.byteOffset, position);
            return Fill(translate("quirvane-encode",
                                  "character %1, %2, is not one alphanumeric mode writes: 0-9, "
                                  "A-Z, space and $%*+-./:"),
                        {std::to_string(position), shown});
        }
        case Outcome::NotKanji:
            return Fill(translate("quirvane-encode",
                                  "character %1, %2, is not a JIS X 0208 character, which Kanji "
                                  "mode writes"),
                        {std::to_string(position), CharacterShown(refused.character)});
        case Outcome::NotAscii:
            return Fill(translate("quirvane-encode",
                                  "character %1, %2, is not ASCII, which GS1 and FNC1 symbols "
                                  "hold"),
                        {std::to_string(position), CharacterShown(refused.character)});
        case Outcome::NotUtf8:
            return Fill(
                translate("quirvane-encode", "the text is not UTF-8: byte %1 starts no character"),
                {std::to_string(refused.byteOffset + 1)});
        case Outcome::TooLong:
            return TooLong(encoder, refused, request, bytes);
        case Outcome::Created:
        case Outcome::InvalidRequest:
            break;
    }
    return translate("quirvane-encode", "the encoder refused the request");
}

}  // namespace quirvane
