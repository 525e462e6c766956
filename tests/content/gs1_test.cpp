// GS1 element strings: the bracketed form and the element string give the
// same data, separators only after data of no fixed length that is not last,
// and each fault is refused naming the AI and where.
#include <gtest/gtest.h>

#include <string>

#include <quirvane/gs1.h>

namespace quirvane {
namespace {

using enum Gs1Outcome;
const std::string kGs = "\x1D";

TEST(Gs1, ReadsBothFormsSeparatesOnlyWhatNeedsItAndNamesEachFault) {
    const struct {
        std::string input;
        Gs1Outcome outcome;
        std::string ai;
        int position;
        std::string elementString = "";
    } rows[] = {
        {"(01)09501101530003(17)251231(10)ABC123", Parsed, "", 0,
         "01095011015300031725123110ABC123"},
        {"(10)ABC123(01)09501101530003", Parsed, "", 0, "10ABC123" + kGs + "0109501101530003"},
        {"(00)106141412345678908", Parsed, "", 0, "00106141412345678908"},
        {" (3103)000189(400)ORDER-7(91)%x!", Parsed, "", 0, "3103000189400ORDER-7" + kGs + "91%x!"},
        // DD 00: the whole month; a leap day.
        {"(11)240200(15)240229", Parsed, "", 0, "1124020015240229"},
        {"(410)1234567890128", Parsed, "", 0, "4101234567890128"},
        // The element string itself: separators where fields end, none needed
        // after fixed-length data.
        {"010950110153000310ABC" + kGs + "21XYZ", Parsed, "", 0,
         "010950110153000310ABC" + kGs + "21XYZ"},
        {"0109501101530003" + kGs + "17251231", Parsed, "", 0, "010950110153000317251231"},
        {"  ", Empty, "", 1},
        {"(01)09501101530004", BadCheckDigit, "01", 18},
        {"(414)5412345000010", BadCheckDigit, "414", 18},
        {"(01)0950110153000", WrongLength, "01", 5},
        {"(01)095011015300033", WrongLength, "01", 5},
        {"(91)" + std::string(91, 'A'), WrongLength, "91", 5},
        {"(17)251301", BadDate, "17", 5},
        {"(11)230229", BadDate, "11", 5},
        {"(17)2512AB", BadCharacter, "17", 9},
        {"(10)ABC 123", BadCharacter, "10", 8},
        {"(10)", MissingData, "10", 5},
        {"(1)23", BadIdentifier, "1", 1},
        {"(0100)09501101530003", BadIdentifier, "0100", 1},
        {"(50)12", BadIdentifier, "50", 1},
        {"(10ABC", BadIdentifier, "10", 1},
        {"X(10)A", BadIdentifier, "", 1},
    };
    for (const auto& r : rows) {
        const Gs1ElementString parsed = ParseGs1(r.input);
        EXPECT_TRUE(parsed.outcome == r.outcome && parsed.ai == r.ai &&
                    parsed.position == r.position && parsed.elementString == r.elementString)
            << r.input << ": " << static_cast<int>(parsed.outcome) << ", AI " << parsed.ai << " at "
            << parsed.position << ": " << parsed.elementString;
    }
}

}  // namespace
}  // namespace quirvane
