// GS1 element strings: the bracketed form and the element string give the
// same data, separators only after data of no fixed length that is not last,
// and each fault is refused naming the AI.
#include <gtest/gtest.h>

#include <string>

#include <quirvane/gs1.h>

namespace quirvane {
namespace {

TEST(Gs1, ReadsBothFormsAndSeparatesOnlyWhatNeedsIt) {
    const std::pair<std::string, std::string> rows[] = {
        {"(01)09501101530003(17)251231(10)ABC123",
         "010950110153000317251231"
         "10ABC123"},
        {"(10)ABC123(01)09501101530003",
         "10ABC123\x1D"
         "0109501101530003"},
        {"(00)106141412345678908", "00106141412345678908"},
        {" (3103)000189(400)ORDER-7(91)%x!",
         "3103000189400ORDER-7\x1D"
         "91%x!"},
        {"(11)240200(15)240229", "1124020015240229"},  // DD 00: the whole month; a leap day
        {"(410)1234567890128", "4101234567890128"},
        // The element string itself: separators where fields end, none needed
        // after fixed-length data.
        {"0109501101530003"
         "10ABC\x1D"
         "21XYZ",
         "010950110153000310ABC\x1D"
         "21XYZ"},
        {"0109501101530003\x1D"
         "17251231",
         "010950110153000317251231"},
    };
    for (const auto& [input, expected] : rows) {
        const Gs1ElementString parsed = ParseGs1(input);
        EXPECT_TRUE(parsed.Parsed())
            << input << ": " << static_cast<int>(parsed.outcome) << " at " << parsed.position;
        EXPECT_EQ(parsed.elementString, expected) << input;
    }
}

TEST(Gs1, RefusesNamingTheIdentifierAndWhere) {
    struct Row {
        std::string input;
        Gs1Outcome outcome;
        std::string ai;
        int position;
    };
    using enum Gs1Outcome;
    const Row rows[] = {
        {"  ", Empty, "", 1},
        {"(01)09501101530004", BadCheckDigit, "01", 18},
        {"(00)106141412345678909", BadCheckDigit, "00", 22},
        {"(414)5412345000010", BadCheckDigit, "414", 18},
        {"(01)0950110153000", WrongLength, "01", 5},
        {"(01)095011015300033", WrongLength, "01", 5},
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
        {"(91)" + std::string(91, 'A'), WrongLength, "91", 5},
    };
    for (const Row& r : rows) {
        const Gs1ElementString parsed = ParseGs1(r.input);
        EXPECT_EQ(parsed.outcome, r.outcome) << r.input;
        EXPECT_EQ(parsed.ai, r.ai) << r.input;
        EXPECT_EQ(parsed.position, r.position) << r.input;
        EXPECT_EQ(parsed.elementString, "") << r.input;
    }
}

}  // namespace
}  // namespace quirvane
