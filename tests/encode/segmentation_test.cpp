// Segmentation against a brute force that tries every split and mode of
// short texts, plus the band-dependent choices, the choice of family and the
// count-field limits on long runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quirvane/segmentation.h>

namespace quirvane {
namespace {

constexpr std::u32string_view kDigits = U"0123456789";
constexpr std::u32string_view kAlphanumerics = U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
constexpr SegmentMode kModes[] = {SegmentMode::Numeric, SegmentMode::Alphanumeric,
                                  SegmentMode::Byte, SegmentMode::Kanji};

// Count indicator widths as QR Code tables them: numeric, alphanumeric,
// byte, Kanji for versions 1-9, 10-26 and 27-40.
int ReferenceCountBits(SegmentMode mode, int version) {
    const int table[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    const int band = version < 10 ? 0 : (version < 27 ? 1 : 2);
    return table[band][static_cast<int>(mode)];
}

// The Shift_JIS codes of the JIS X 0208 characters these tests use; 0 for
// everything else, as the caller's converter would give.
std::uint16_t ShiftJisOf(char32_t code) {
    switch (code) {
        case U'あ':
            return 0x82A0;
        case U'い':
            return 0x82A2;
        case U'う':
            return 0x82A4;
        case U'漢':
            return 0x8ABF;
        case U'字':
            return 0x8E9A;
        case U'α':
            return 0x83BF;
        default:
            return 0;
    }
}

int Utf8Length(char32_t code) {
    return code < 0x80 ? 1 : (code < 0x800 ? 2 : (code < 0x10000 ? 3 : 4));
}

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (char32_t code : text) {
        const int length = Utf8Length(code);
        const unsigned char lead[] = {0, 0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(lead[length] | (code >> (6 * (length - 1))));
        for (int i = length - 2; i >= 0; --i) {
            out += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
        }
    }
    return out;
}

std::vector<TextCharacter> CharactersOf(std::u32string_view text) {
    std::vector<TextCharacter> characters;
    for (char32_t code : text) {
        characters.push_back(TextCharacter{code, static_cast<std::uint8_t>(Utf8Length(code)),
                                           code < 0x80 ? std::uint16_t{0} : ShiftJisOf(code)});
    }
    return characters;
}

bool Holds(SegmentMode mode, char32_t code, bool eci) {
    switch (mode) {
        case SegmentMode::Numeric:
            return kDigits.find(code) != std::u32string_view::npos;
        case SegmentMode::Alphanumeric:
            return kAlphanumerics.find(code) != std::u32string_view::npos;
        case SegmentMode::Byte:
            return eci || code < 0x80;
        case SegmentMode::Kanji:
            return !eci && code >= 0x80 && ShiftJisOf(code) != 0;
    }
    return false;
}

bool PlainFamilyAllowed(std::u32string_view text) {
    const bool allJisOrAscii = std::all_of(
        text.begin(), text.end(), [](char32_t c) { return c < 0x80 || ShiftJisOf(c) != 0; });
    const bool anyKanji =
        std::any_of(text.begin(), text.end(), [](char32_t c) { return c >= 0x80; });
    const bool yenOrOverline = text.find(U'\\') != std::u32string_view::npos ||
                               text.find(U'~') != std::u32string_view::npos;
    return allJisOrAscii && !(anyKanji && yenOrOverline);
}

// A segment's bits the long way: header, then group by group.
int NaiveSegmentBits(SegmentMode mode, std::u32string_view run, int version) {
    int bits = 4 + ReferenceCountBits(mode, version);
    int left = static_cast<int>(run.size());
    switch (mode) {
        case SegmentMode::Numeric:
            for (; left >= 3; left -= 3) {
                bits += 10;
            }
            bits += left == 2 ? 7 : (left == 1 ? 4 : 0);
            break;
        case SegmentMode::Alphanumeric:
            for (; left >= 2; left -= 2) {
                bits += 11;
            }
            bits += left == 1 ? 6 : 0;
            break;
        case SegmentMode::Byte:
            for (char32_t code : run) {
                bits += 8 * Utf8Length(code);
            }
            break;
        case SegmentMode::Kanji:
            bits += 13 * left;
            break;
    }
    return bits;
}

// Every way to go on from here; a branch already as long as the best
// complete stream is dropped, since segments only add bits.
void Enumerate(std::u32string_view text, int version, bool eci, int bitsSoFar, int& best) {
    if (bitsSoFar >= best) {
        return;
    }
    if (text.empty()) {
        best = bitsSoFar;
        return;
    }
    for (SegmentMode mode : kModes) {
        for (std::size_t length = 1; length <= text.size() && Holds(mode, text[length - 1], eci);
             ++length) {
            Enumerate(text.substr(length), version, eci,
                      bitsSoFar + NaiveSegmentBits(mode, text.substr(0, length), version), best);
        }
    }
}

// The shortest stream of a family over every segmentation and mode, or
// INT_MAX when the family does not allow the text.
int BruteForceBits(std::u32string_view text, int version, bool eci) {
    if (!eci && !PlainFamilyAllowed(text)) {
        return INT_MAX;
    }
    int best = INT_MAX;
    Enumerate(text, version, eci, eci ? 12 : 0, best);
    return best;
}

// The plan covers the text in order, each segment's mode holds its
// characters in the plan's family and fits its count field, and the
// segments add up to the plan's bits.
void ExpectSoundPlan(std::u32string_view text, int version, const SegmentPlan& plan) {
    int bits = plan.eci ? 12 : 0;
    int next = 0;
    for (int i = 0; i < plan.count; ++i) {
        const Segment& segment = plan.segments[i];
        ASSERT_EQ(segment.start, next) << "segment " << i;
        ASSERT_GT(segment.length, 0) << "segment " << i;
        const std::u32string_view run = text.substr(segment.start, segment.length);
        for (char32_t code : run) {
            ASSERT_TRUE(Holds(segment.mode, code, plan.eci)) << "segment " << i;
        }
        int counted = segment.length;
        if (segment.mode == SegmentMode::Byte) {
            counted = 0;
            for (char32_t code : run) {
                counted += Utf8Length(code);
            }
        }
        EXPECT_LT(counted, 1 << ReferenceCountBits(segment.mode, version)) << "segment " << i;
        bits += NaiveSegmentBits(segment.mode, run, version);
        next += segment.length;
    }
    EXPECT_EQ(next, static_cast<int>(text.size()));
    EXPECT_EQ(bits, plan.bits);
}

// "ECI B1 N8 B1": the ECI if there is one, then each segment's mode letter
// and length in characters.
std::string Describe(const SegmentPlan& plan) {
    std::string out = plan.eci ? "ECI" : "";
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

    bool Plan(std::u32string_view text, int version) {
        const std::vector<TextCharacter> characters = CharactersOf(text);
        return PlanSegments(characters.data(), static_cast<int>(characters.size()), version,
                            *scratch, *plan);
    }
    bool PlanFamily(std::u32string_view text, int version, bool eci) {
        const std::vector<TextCharacter> characters = CharactersOf(text);
        return PlanSegmentsInFamily(characters.data(), static_cast<int>(characters.size()), version,
                                    eci, *scratch, *plan);
    }
};

void ExpectOptimal(Planner& planner, std::u32string_view text) {
    for (int version : {1, 10, 27}) {
        SCOPED_TRACE(testing::Message() << "\"" << Utf8(text) << "\" at version " << version);
        const int plain = BruteForceBits(text, version, false);
        const int utf8 = BruteForceBits(text, version, true);
        for (bool eci : {false, true}) {
            const int want = eci ? utf8 : plain;
            ASSERT_EQ(planner.PlanFamily(text, version, eci), want != INT_MAX) << "eci " << eci;
            if (want != INT_MAX) {
                EXPECT_EQ(planner.plan->eci, eci);
                EXPECT_EQ(planner.plan->bits, want) << "eci " << eci;
                ExpectSoundPlan(text, version, *planner.plan);
            }
        }
        ASSERT_TRUE(planner.Plan(text, version));
        EXPECT_EQ(planner.plan->eci, plain > utf8);
        EXPECT_EQ(planner.plan->bits, std::min(plain, utf8));
        ExpectSoundPlan(text, version, *planner.plan);
    }
}

TEST(Segmentation, MatchesBruteForceOnChosenTexts) {
    const std::u32string_view texts[] = {
        // ASCII: runs of digits and alphanumerics inside other text.
        U"",
        U"1",
        U"0123456789",
        U"HELLO WORLD",
        U"hello",
        U"a12345678a",
        U"AB123456CD",
        U"ab12345cd9",
        U"A1b2C3d4E5",
        U"12345a6789",
        U"\\~12AB~\\ab",
        // Kanji-mode material beside ASCII, yen and overline.
        U"あいう漢字",
        U"漢字ABC123",
        U"漢a漢1漢Bあ",
        U"漢字\\12",
        U"あ~",
        U"α12αAB",
        U"ab漢字cd123",
        // Characters only UTF-8 carries.
        U"é12345é",
        U"①ABCDEF",
        U"ééé1234567",
        U"漢字①123",
        U"😀12345678",
        // Close calls that only the rounding of each segment to whole bits decides.
        U"0漢a31 :9",
        U"0漢a0361E",
        U":3288973842AB7a",
        U"z83 5501703921A",
    };
    Planner planner;
    for (std::u32string_view text : texts) {
        ExpectOptimal(planner, text);
    }
}

// Random mixes drawn with a fixed seed from alphabets weighted toward
// digits and alphanumerics, so runs worth their own segment and close calls
// between modes turn up.
TEST(Segmentation, MatchesBruteForceOnRandomTexts) {
    constexpr std::u32string_view kAlphabets[] = {
        U"0123456789ABZ $:az",
        U"000111999AAZZ  $::aazz\\~あい漢字αé①",
        U"0123AB a漢αé",
    };
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> lengthOf(1, 12);
    Planner planner;
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

// The band's count widths decide whether a run earns its own segment.
TEST(Segmentation, BestSegmentsChangeWithTheBand) {
    struct Case {
        const char32_t* text;
        int version;
        const char* segments;
    };
    const Case cases[] = {
        // Eight digits inside lower case save 37 bits; the extra numeric and
        // byte headers cost 26, 36 and 38 bits in the three bands.
        {U"a12345678a", 1, "B1 N8 B1"},
        {U"a12345678a", 10, "B1 N8 B1"},
        {U"a12345678a", 27, "B10"},
        // Six digits save 28 bits against 26, 36 and 38.
        {U"a123456a", 9, "B1 N6 B1"},
        {U"a123456a", 10, "B8"},
        // Lower case after six alphanumerics: an alphanumeric header of 13
        // or 17 bits against 15 bits saved (a tie at 15 bits in versions 10-26).
        {U"ABCDEFa", 1, "A6 B1"},
        {U"ABCDEFa", 9, "A6 B1"},
        {U"ABCDEFa", 27, "B7"},
        // A Kanji character between two digits: three segments cost 61, 67
        // and 73 bits against the ECI stream's 64, 72 and 72.
        {U"1漢1", 1, "N1 K1 N1"},
        {U"1漢1", 26, "N1 K1 N1"},
        {U"1漢1", 27, "ECI B3"},
    };
    Planner planner;
    for (const Case& c : cases) {
        ASSERT_TRUE(planner.Plan(c.text, c.version));
        EXPECT_EQ(Describe(*planner.plan), c.segments) << "version " << c.version;
        ExpectSoundPlan(c.text, c.version, *planner.plan);
    }
}

TEST(Segmentation, ChoosesTheFamilyReadersDecode) {
    struct Case {
        const char32_t* text;
        const char* segments;
    };
    const Case cases[] = {
        {U"HELLO WORLD", "A11"},
        {U"back\\slash~tilde", "B16"},  // pure ASCII keeps both without an ECI
        {U"あいう漢字", "K5"},
        {U"漢字ABCDEF", "K2 A6"},
        {U"漢字\\", "ECI B3"},  // yen beside Kanji: UTF-8 bytes instead
        {U"漢~", "ECI B2"},
        {U"あ①", "ECI B2"},  // a code-page-932 extension has no Kanji code
        {U"ｱｲｳ", "ECI B3"},  // nor has half-width katakana
        {U"é", "ECI B1"},
        {U"é1234567890", "ECI B1 N10"},
    };
    Planner planner;
    for (const Case& c : cases) {
        for (int version : {1, 10, 27}) {
            ASSERT_TRUE(planner.Plan(c.text, version));
            EXPECT_EQ(Describe(*planner.plan), c.segments) << "version " << version;
            ExpectSoundPlan(c.text, version, *planner.plan);
        }
    }
}

TEST(Segmentation, PureAsciiNeverCarriesAnEci) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    Planner planner;
    for (int round = 0; round < 200; ++round) {
        std::u32string text;
        for (int n = 0; n < 40; ++n) {
            text += static_cast<char32_t>(printable(generator));
        }
        for (int version : {1, 10, 27}) {
            ASSERT_TRUE(planner.Plan(text, version));
            EXPECT_FALSE(planner.plan->eci);
            ExpectSoundPlan(text, version, *planner.plan);
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
        const int pieces = planner.plan->count;
        const int whole = NaiveSegmentBits(planner.plan->segments[0].mode, text, c.version);
        EXPECT_EQ(
            planner.plan->bits,
            whole + (planner.plan->eci ? 12 : 0) +
                (pieces - 1) * (4 + ReferenceCountBits(planner.plan->segments[0].mode, c.version)));
    }
}

// Cutting an overlong run needn't be optimal, because such a run's data alone
// overflows the largest symbol of its band (at level L: 232, 1370 and 2956
// data codewords at versions 9, 26 and 40).
TEST(Segmentation, OverlongRunsNeverFitTheirBand) {
    const int largestDataBits[3][2] = {{9, 232 * 8}, {26, 1370 * 8}, {40, 2956 * 8}};
    for (const auto& [version, capacity] : largestDataBits) {
        for (SegmentMode mode : kModes) {
            const int overlong = 1 << CountIndicatorBits(mode, version);
            EXPECT_GT(SegmentDataBits(mode, overlong, overlong), capacity)
                << "version " << version << " mode " << static_cast<int>(mode);
        }
    }
}

TEST(Segmentation, RefusesOnlyTextsBeyondTheLargestSymbol) {
    Planner planner;
    const std::u32string longest(kMaxSegmentCharacters, U'a');
    EXPECT_TRUE(planner.Plan(longest, 40));
    EXPECT_FALSE(planner.Plan(longest + U'a', 40));
    EXPECT_FALSE(PlanSegments(nullptr, -1, 1, *planner.scratch, *planner.plan));
    ASSERT_TRUE(planner.Plan(U"", 1));
    EXPECT_EQ(planner.plan->count, 0);
    EXPECT_EQ(planner.plan->bits, 0);
    EXPECT_FALSE(planner.plan->eci);
}

TEST(SegmentationHelpers, AgreeWithTheirDefinitions) {
    for (int version = 1; version <= 40; ++version) {
        for (SegmentMode mode : kModes) {
            EXPECT_EQ(CountIndicatorBits(mode, version), ReferenceCountBits(mode, version))
                << "version " << version << " mode " << static_cast<int>(mode);
        }
    }
    const std::u32string sample = U"0123456789012345678901234567";
    for (std::size_t n = 0; n <= sample.size(); ++n) {
        for (SegmentMode mode : kModes) {
            const std::u32string_view run = std::u32string_view(sample).substr(0, n);
            EXPECT_EQ(SegmentDataBits(mode, static_cast<int>(n), static_cast<int>(n)),
                      NaiveSegmentBits(mode, run, 1) - 4 - ReferenceCountBits(mode, 1))
                << n << " characters, mode " << static_cast<int>(mode);
        }
    }
    for (char32_t code = 0; code < 0x3100; ++code) {
        EXPECT_EQ(IsAlphanumericCharacter(code),
                  kAlphanumerics.find(code) != std::u32string_view::npos)
            << static_cast<int>(code);
    }
    // The edges of the two Shift_JIS ranges Kanji mode writes.
    for (const auto& [code, writable] : {std::pair{0x8140, true},
                                         {0x9FFC, true},
                                         {0xE040, true},
                                         {0xEBBF, true},
                                         {0x813F, false},
                                         {0xA000, false},
                                         {0xEBC0, false},
                                         {0, false}}) {
        EXPECT_EQ(IsKanjiModeCode(static_cast<std::uint16_t>(code)), writable) << code;
    }
}

}  // namespace
}  // namespace quirvane
