// Segmentation against the slow reference that tries every split and mode
// (tests/support/fewest_stream_bits.h), on short texts in each band of count
// widths and each family, plus the count-field limits on long runs.
#include "encode/segmentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "encode/shift_jis.h"
#include "tests/support/fewest_stream_bits.h"

namespace quirvane {
namespace {

using testing::ReferenceCharacter;
using testing::ReferenceCountBits;
using testing::ReferenceSegmentBits;

// The Kanji-mode code of a character as the encoder's caller gives it (0 for
// none), from the table shift_jis_test.cpp checks against iconv.
std::uint16_t KanjiCodeOf(char32_t code) {
    return static_cast<std::uint16_t>(code < 0x80 ? 0 : std::max(0, JisX0208CodeOf(code)));
}

int Utf8Length(char32_t code) {
    return code < 0x80 ? 1 : (code < 0x800 ? 2 : (code < 0x10000 ? 3 : 4));
}

std::vector<TextCharacter> CharactersOf(std::u32string_view text) {
    std::vector<TextCharacter> characters;
    for (char32_t code : text) {
        const bool alphanumeric = testing::ReferenceHolds(1, {code, 1, false}, false);
        characters.push_back(TextCharacter{code, static_cast<std::uint8_t>(Utf8Length(code)),
                                           static_cast<std::uint8_t>(alphanumeric ? 1 : 0),
                                           KanjiCodeOf(code)});
    }
    return characters;
}

std::vector<ReferenceCharacter> ReferenceOf(std::u32string_view text) {
    std::vector<ReferenceCharacter> characters;
    for (char32_t code : text) {
        characters.push_back({code, Utf8Length(code), KanjiCodeOf(code) != 0});
    }
    return characters;
}

// The plan covers the text in order, each segment's mode holds its
// characters in the plan's family and fits its count field, and the
// segments add up to the plan's bits.
void ExpectSoundPlan(std::u32string_view text, int version, const SegmentPlan& plan) {
    const std::vector<ReferenceCharacter> characters = ReferenceOf(text);
    const bool eci = plan.eciDesignator != 0;
    int bits = eci ? 12 : 0;
    int next = 0;
    for (int i = 0; i < plan.count; ++i) {
        const Segment& segment = plan.segments[i];
        const int mode = static_cast<int>(segment.mode);
        ASSERT_EQ(segment.start, next) << "segment " << i;
        ASSERT_GT(segment.length, 0) << "segment " << i;
        int counted = 0;
        for (int k = next; k < next + segment.length; ++k) {
            ASSERT_TRUE(testing::ReferenceHolds(mode, characters[k], eci)) << "segment " << i;
            counted += segment.mode == Mode::Byte ? characters[k].bytes : 1;
        }
        EXPECT_LT(counted, 1 << ReferenceCountBits(mode, version)) << "segment " << i;
        bits += ReferenceSegmentBits(mode, &characters[next], segment.length, version);
        next += segment.length;
    }
    EXPECT_EQ(next, static_cast<int>(text.size()));
    EXPECT_EQ(bits, plan.bits);
}

// "ECI B1 N8 B1": the ECI if there is one, then each segment's mode letter
// and length in characters.
std::string Describe(const SegmentPlan& plan) {
    std::string out = plan.eciDesignator != 0 ? "ECI" : "";
    for (int i = 0; i < plan.count; ++i) {
        out += (out.empty() ? "" : " ");
        out += "NABK"[static_cast<int>(plan.segments[i].mode)];
        out += std::to_string(plan.segments[i].length);
    }
    return out;
}

struct Planner {
    std::unique_ptr<SegmentScratch> scratch = std::make_unique<SegmentScratch>();
    std::unique_ptr<SegmentPlan> plan = std::make_unique<SegmentPlan>();

    bool Plan(std::u32string_view text, int version, Family family = Family::Either) {
        const std::vector<TextCharacter> characters = CharactersOf(text);
        return PlanSegments(characters.data(), static_cast<int>(characters.size()), version, family,
                            *scratch, *plan);
    }
};

void ExpectOptimal(Planner& planner, std::u32string_view text) {
    for (int version : {1, 10, 27}) {
        SCOPED_TRACE(::testing::PrintToString(std::u32string(text)) + " at version " +
                     std::to_string(version));
        const int plain = testing::ReferenceFewestBits(ReferenceOf(text), version, false),
                  utf8 = testing::ReferenceFewestBits(ReferenceOf(text), version, true);
        for (bool eci : {false, true}) {
            const int want = eci ? utf8 : plain;
            ASSERT_EQ(planner.Plan(text, version, eci ? Family::Utf8 : Family::Plain),
                      want != INT_MAX)
                << "eci " << eci;
            if (want != INT_MAX) {
                EXPECT_EQ(planner.plan->eciDesignator != 0, eci);
                EXPECT_EQ(planner.plan->bits, want) << "eci " << eci;
                ExpectSoundPlan(text, version, *planner.plan);
            }
        }
        ASSERT_TRUE(planner.Plan(text, version));
        EXPECT_EQ(planner.plan->eciDesignator != 0, plain > utf8);
        EXPECT_EQ(planner.plan->bits, std::min(plain, utf8));
        ExpectSoundPlan(text, version, *planner.plan);
    }
}

// Chosen texts, then random mixes drawn with a fixed seed from alphabets
// weighted toward digits and alphanumerics, so runs worth their own segment
// and close calls between modes turn up.
TEST(Segmentation, MatchesBruteForce) {
    // clang-format off
    const std::u32string_view texts[] = {
        // Kanji-mode material beside ASCII, yen and overline.
        U"あいう漢字", U"漢字ABC123", U"漢a漢1漢Bあ", U"漢字\\12", U"あ~", U"α12αAB", U"ab漢字cd123",
        // Characters only UTF-8 carries.
        U"é12345é", U"①ABCDEF", U"ééé1234567", U"漢字①123", U"😀12345678",
        // Close calls that only the rounding of each segment to whole bits decides.
        U"0漢a31 :9", U"0漢a0361E", U":3288973842AB7a", U"z83 5501703921A",
        // Choices that change with the band: eight digits inside lower case
        // save 37 bits against headers of 26, 36 and 38; six digits save 28;
        // lower case after six alphanumerics; Kanji between two digits.
        U"a123456a", U"ABCDEFa", U"1漢1",
        // The family readers decode: yen or overline beside Kanji, a
        // code-page-932 extension or half-width katakana, need the ECI.
        U"漢字\\", U"漢~", U"あ①", U"ｱｲｳ", U"é1234567890",
    };
    // clang-format on
    Planner planner;
    for (std::u32string_view text : texts) {
        ExpectOptimal(planner, text);
    }
    constexpr std::u32string_view kAlphabets[] = {
        U"0123456789ABZ $:az", U"000111999AAZZ  $::aazz\\~あい漢字αé①", U"0123AB a漢αé"};
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> lengthOf(1, 12);
    for (std::u32string_view alphabet : kAlphabets) {
        std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
        for (int round = 0; round < 1000; ++round) {
            std::u32string text;
            for (int n = lengthOf(generator); n > 0; --n) {
                text += alphabet[pick(generator)];
            }
            ExpectOptimal(planner, text);
        }
    }
}

// Runs too long for one count field are cut into pieces that fit; the cut
// adds only the headers, since full pieces hold whole digit triples or
// character pairs.
TEST(Segmentation, LongRunsRespectTheCountFields) {
    struct Case {
        char32_t character;
        int length;
        int version;
        const char* segments;
    };
    const Case cases[] = {
        {U'7', kMaxSegmentCharacters, 1, "N951 N1023 N1023 N1023 N1023 N1023 N1023"},
        {U'7', kMaxSegmentCharacters, 10, "N2994 N4095"},
        {U'7', kMaxSegmentCharacters, 27, "N7089"},
        {U'Q', 1100, 1, "A80 A510 A510"},
        {U'Q', 4100, 10, "A8 A2046 A2046"},
        {U'q', 600, 1, "B90 B255 B255"},
        {U'é', 300, 1, "ECI B46 B127 B127"},
        {U'😀', 100, 1, "ECI B37 B63"},
        {U'漢', 300, 1, "K45 K255"},
        {U'漢', 2100, 10, "K54 K1023 K1023"},
        {U'漢', 4100, 27, "K5 K4095"},
    };
    Planner planner;
    for (const Case& c : cases) {
        const std::u32string text(c.length, c.character);
        ASSERT_TRUE(planner.Plan(text, c.version));
        EXPECT_EQ(Describe(*planner.plan), c.segments) << "version " << c.version;
        ExpectSoundPlan(text, c.version, *planner.plan);
        const int mode = static_cast<int>(planner.plan->segments[0].mode);
        const int whole = ReferenceSegmentBits(mode, ReferenceOf(text).data(), c.length, c.version);
        EXPECT_EQ(planner.plan->bits,
                  whole + (planner.plan->eciDesignator != 0 ? 12 : 0) +
                      (planner.plan->count - 1) * (4 + ReferenceCountBits(mode, c.version)));
    }
}

}  // namespace
}  // namespace quirvane
