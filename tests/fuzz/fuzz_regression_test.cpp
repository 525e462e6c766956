// Replays the fuzzer's corpus, sweeps every (version, level, mode, mask) of
// CreateData and every (version, level) of CreateSymbol's segment modes
// through the fuzz driver, and shows that the checker's own parts are right
// and not blind: damage is found, the mask scores match the worked example,
// the reader decodes hand-made streams, and the shortest-stream walk agrees
// with trying every segmentation (the reference the encoder's is held to too).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/mask_penalty.h"
#include "fuzz/stream_cost.h"
#include "fuzz/stream_reader.h"
#include "fuzz/symbol_checker.h"
#include "tests/support/fewest_stream_bits.h"

namespace quirvane::fuzz {
namespace {

TEST(FuzzRegression, EveryCorpusFileRunsClean) {
    namespace fs = std::filesystem;
    const std::set<fs::path> files(fs::directory_iterator(QUIRVANE_FUZZ_CORPUS), {});
    ASSERT_GE(files.size(), 30u);
    auto state = std::make_unique<EncoderState>();  // shared, in a fixed order, as the fuzzer does
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        EXPECT_EQ(RunCase(*state, DecodeFuzzInput(data, bytes.size())), "") << file;
    }
}

// Each mask takes another length: empty, one character, a third, one short,
// exactly full, one over, twice over and past the 16384-byte input copy. The
// byte text mixes 1- to 4-byte UTF-8, so cuts fall inside characters. A
// failure prints version, level, mode and mask run together (the last three
// are one digit each).
TEST(FuzzRegression, EverySettingReadsBack) {
    const std::string_view pieces[4] = {"", "Quirvane \xE2\x9C\x93 \xC3\xA4\xF0\x9F\x98\x80 QR\r\n",
                                        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:",
                                        "31415926535897932384626433832795028841971"};
    std::string texts[4];
    for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
        for (std::size_t i = 0; i < 20000; ++i) {
            texts[mode] += pieces[mode][i % pieces[mode].size()];
        }
    }
    auto state = std::make_unique<EncoderState>();
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int cap = CapacityOf(*FindSymbolParameters(version, level), mode);
                const int lengths[8] = {0, 1, cap / 3, cap - 1, cap, cap + 1, 2 * cap, 20000};
                for (int mask = 0; mask < 8; ++mask) {
                    const std::string text = texts[mode].substr(0, lengths[mask]);
                    const FuzzCase c{{mode, version, level, mask}, mask % 2 == 1, text};
                    ASSERT_EQ(RunCase(*state, c), "") << version << level << mode << mask;
                }
            }
        }
    }
}

TEST(FuzzRegression, RefusalsKeepThePreviousSymbol) {
    auto state = std::make_unique<EncoderState>();
    ASSERT_EQ(RunCase(*state, {{kModeByte, 2, kLevelQ, 3}, false, "before"}), "");
    const FuzzCase refused[] = {
        {{kModeNone, 1, kLevelL, 0}, false, "A"},
        {{4, 1, kLevelL, 0}, true, "A"},
        {{kModeByte, 0, kLevelL, 0}, false, "A"},
        {{kModeByte, 41, kLevelL, 0}, false, "A"},
        {{kModeByte, 1, 5, 0}, false, "A"},
        {{kModeByte, 1, kLevelL, 8}, false, "A"},
        {{kModeAlphanumeric, 1, kLevelL, 0}, false, "hello"},
        {{kModeNumeric, 1, kLevelL, 0}, true, "12a4"},
    };
    for (const FuzzCase& c : refused) {
        const EncoderSettings& s = c.settings;
        SCOPED_TRACE(::testing::Message()
                     << s.characterMode << " v" << s.version << " " << s.errorCorrectionLevel << " "
                     << s.maskReference << " " << c.text);
        EXPECT_EQ(RunCase(*state, c), "");
        EXPECT_EQ(state->symbolVersion, 2);
    }
}

// One flip in a function pattern and one in the data must both be reported.
TEST(FuzzRegression, CheckerFindsDamage) {
    auto state = std::make_unique<EncoderState>();
    const std::string text = "Quirvane checks its own symbols";
    ASSERT_EQ(RunCase(*state, {{kModeByte, 7, kLevelM, 5}, false, text}), "");
    const Expectation expected{kModeByte, 7, kLevelM, 5, text};
    ASSERT_EQ(CheckSymbol(state->symbolMatrix, expected), "");
    for (const auto& [row, column, fault] :
         {std::tuple{3, 3, "finder"}, {30, 20, "Reed-Solomon"}}) {
        std::vector<char> damaged(state->symbolMatrix, state->symbolMatrix + kPlaneCells);
        damaged[static_cast<std::size_t>(row * kPlaneStride + column)] ^= 1;  // '0' <-> '1'
        EXPECT_NE(CheckSymbol(damaged.data(), expected).find(fault), std::string::npos)
            << fault << ": " << CheckSymbol(damaged.data(), expected);
    }
}

std::string Repeated(std::string_view piece, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) {
        text += piece;
    }
    return text;
}

// How the texts below split into characters: UTF-8, Shift_JIS (every byte
// that opens a double byte takes the next), or one byte each.
enum class Split { Utf8, ShiftJis, Bytes };

// The bytes of the first `characters` characters.
std::size_t PrefixBytes(const std::string& text, Split split, int characters) {
    std::size_t at = 0;
    for (int k = 0; k < characters && at < text.size(); ++k) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (split == Split::ShiftJis) {
            at += (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
        } else if (split == Split::Utf8) {
            do {
                ++at;
            } while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
        } else {
            ++at;
        }
    }
    return at;
}

int CharacterCount(const std::string& text, Split split) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        at += PrefixBytes(text.substr(at, 4), split, 1);
    }
    return count;
}

// Every version and level of Kanji mode, automatic mode (both families) and
// byte mode with an ECI (each designator length, UTF-8, Shift_JIS and bytes
// that are neither): a text longer than the version holds, cut there with a
// mask chosen; then what it held, with the version chosen automatically
// (the checker works out which version that must be). A
// failure prints version, level and kind run together. The automatic mask
// comes in on a quarter of the second runs, which still meets every kind,
// version and level.
TEST(FuzzRegression, EverySymbolModeReadsBack) {
    struct Kind {
        int mode;
        int designator;
        TextEncoding encoding;
        Split split;
        std::string text;
    };
    const Kind kinds[] = {
        {kModeKanji, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("漢字東京都〜＼Ａ１アイウ亜漾熙日本語", 8000)},
        {kModeAuto, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("QUIRVANE 0123456789 漢字 Quirvane 3.14159 東京都 HTTP://X.JP/A ", 8000)},
        {kModeAuto, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("é 😀 0123456789012 ABCDEF ｱｲ ① abc \\~ 漢字 ", 8000)},
        {kModeByte, kEciUtf8, TextEncoding::Utf8, Split::Utf8, Repeated("Quirvane é😀 漢字 ", 8000)},
        {kModeByte, kEciShiftJis, TextEncoding::ShiftJis, Split::ShiftJis,
         Repeated("\x8A\xBF\x8E\x9A \x93\x8C\x8B\x9E QR ", 8000)},
        {kModeByte, 3, TextEncoding::Utf8, Split::Bytes, Repeated("caf\xE9 na\xEFve ", 8000)},
        {kModeByte, 200, TextEncoding::Utf8, Split::Utf8, Repeated("two-byte designator ", 8000)},
        {kModeByte, 70000, TextEncoding::Utf8, Split::Utf8,
         Repeated("three-byte designator ", 8000)},
    };
    int totals[8];
    for (int k = 0; k < 8; ++k) {
        totals[k] = CharacterCount(kinds[k].text, kinds[k].split);
    }
    auto state = std::make_unique<EncoderState>();
    auto probe = std::make_unique<EncoderState>();
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            // Kanji and the first automatic text everywhere; each other kind
            // on every other (version, level), which still meets every version
            // and every level.
            for (int k = 0; k < 8; ++k) {
                if (k >= 2 && (version + level + k) % 2 != 0) {
                    continue;
                }
                const Kind& kind = kinds[k];
                FuzzCase c;
                c.text = kind.text;
                c.symbolCase = true;
                c.request.characterMode = kind.mode;
                c.request.version = version;
                c.request.errorCorrectionLevel = level;
                c.request.maskReference = (version + level) % 8;
                c.request.eciDesignator = kind.designator;
                c.request.byteEncoding = kind.encoding;
                ASSERT_EQ(RunCase(*state, c), "") << version << level << k;

                const GenerationResult cut = probe->CreateSymbol(c.text, c.request);
                ASSERT_TRUE(cut.Created() && cut.charactersLeftOut > 0) << version << level << k;
                c.text.resize(
                    PrefixBytes(kind.text, kind.split, totals[k] - cut.charactersLeftOut));
                c.request.version = kVersionAuto;
                // Scoring all eight masks is the slow part of the check.
                c.request.maskReference = (version + level + k) % 4 == 0 ? kMaskAuto : k;
                ASSERT_EQ(RunCase(*state, c), "") << version << level << k << " automatic";
            }
        }
    }
}

TEST(FuzzRegression, SymbolRefusalsKeepThePreviousSymbol) {
    auto state = std::make_unique<EncoderState>();
    ASSERT_EQ(RunCase(*state, {{kModeByte, 2, kLevelQ, 3}, false, "before"}), "");
    struct Refused {
        SymbolRequest request;  // mode, version, bounds, level, mask, ECI designator
        std::string text;
        GenerationOutcome outcome;
    };
    const std::string digits(8000, '7');
    using enum GenerationOutcome;
    // clang-format off
    const Refused refused[] = {
        {{kModeAuto, kVersionAuto, 5, 4, kLevelL, kMaskAuto, 0}, "A", UnsupportedSettings},
        {{kModeAuto, 3, 0, 40, kLevelL, kMaskAuto, 0}, "A", UnsupportedSettings},
        {{kModeAuto, 3, 1, 41, kLevelL, kMaskAuto, 0}, "A", UnsupportedSettings},
        {{kModeAuto, 41, 1, 40, kLevelL, kMaskAuto, 0}, "A", UnsupportedSettings},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 26}, "漢", UnsupportedSettings},
        {{kModeAlphanumeric, 1, 1, 40, kLevelL, 0, 26}, "A", UnsupportedSettings},
        {{kModeByte, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 1000000}, "A", UnsupportedSettings},
        {{kModeByte, kVersionAuto, 1, 40, kLevelL, kMaskAuto, -1}, "A", UnsupportedSettings},
        {{6, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "A", UnsupportedSettings},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, 8, 0}, "A", UnsupportedSettings},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, -2, 0}, "A", UnsupportedSettings},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "漢A", NotKanji},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "①", NotKanji},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "～", NotKanji},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "A\xFF", NotKanji},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "漢\xFF", NotUtf8},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "\xC0\xAF", NotUtf8},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "\xED\xA0\x80", NotUtf8},
        {{kModeAuto, kVersionAuto, 1, 2, kLevelL, kMaskAuto, 0}, std::string(200, '7'), DoesNotFit},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, digits, DoesNotFit},
        {{kModeNumeric, kVersionAuto, 1, 9, kLevelL, kMaskAuto, 0}, digits, DoesNotFit},
        {{kModeByte, kVersionAuto, 3, 3, kLevelL, kMaskAuto, 26}, std::string(100, '7'), DoesNotFit},
        {{kModeAlphanumeric, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 0}, "abc", NotAlphanumeric},
    };
    // clang-format on
    for (const Refused& r : refused) {
        FuzzCase c;
        c.text = r.text;
        c.symbolCase = true;
        c.request = r.request;
        SCOPED_TRACE(::testing::Message()
                     << "mode " << r.request.characterMode << " v" << r.request.version << " "
                     << r.request.minVersion << "-" << r.request.maxVersion << " mask "
                     << r.request.maskReference << " ECI " << r.request.eciDesignator << " "
                     << r.text.size() << " bytes");
        EXPECT_EQ(RunCase(*state, c), "");
        EXPECT_EQ(state->CreateSymbol(r.text, r.request).outcome, r.outcome);
        EXPECT_EQ(state->symbolVersion, 2);
    }
}

// "01234567" in numeric mode at version 1-M scores these for masks 0-7.
TEST(FuzzRegression, MaskScoresMatchTheWorkedExample) {
    auto state = std::make_unique<EncoderState>();
    state->settings = {kModeNumeric, 1, kLevelM, 5};
    ASSERT_TRUE(state->CreateData("01234567").Created());
    const std::array<int, 8> expected = {1057, 1093, 1037, 1052, 1130, 1197, 1099, 1046};
    EXPECT_EQ(ScoreEveryMask(state->symbolMatrix, 1, kLevelM, 5), expected);
}

// The bits (spaces between fields for the reader's eye), then the
// terminator's room and the pad codewords, in `codewords` bytes.
std::vector<std::uint8_t> Packed(std::string bits, std::size_t codewords) {
    std::erase(bits, ' ');
    std::vector<std::uint8_t> bytes(codewords, 0);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bytes[i / 8] |= static_cast<std::uint8_t>((bits[i] == '1' ? 1 : 0) << (7 - i % 8));
    }
    for (std::size_t i = (bits.size() + 4 + 7) / 8, pad = 0; i < codewords; ++i, pad ^= 1) {
        bytes[i] = pad == 0 ? 0xEC : 0x11;
    }
    return bytes;
}

// Streams written out by hand, bit by bit, at version 1 (count fields: Kanji 8,
// byte 8, alphanumeric 9, numeric 10 bits).
TEST(FuzzRegression, ReaderReadsHandMadeStreams) {
    struct Row {
        const char* name;
        std::string bits;
        std::string text;  // all segments' characters; empty with a fault
        const char* fault;
    };
    // clang-format off
    const Row rows[] = {
        {"ECI 26 in one byte, then byte 'A'", "0111 00011010 0100 00000001 01000001", "A", ""},
        {"ECI 200 in two bytes", "0111 10000000 11001000 0100 00000000", "", ""},
        {"ECI 999999 in three bytes", "0111 11001111 01000010 00111111 0100 00000000", "", ""},
        {"ECI designator opening 111", "0111 11100000", "", "designator opens"},
        // 点 is 0x935F: 0x935F - 0x8140 = 0x121F, 0x12 * 0xC0 + 0x1F = 0xD9F.
        {"Kanji 点", "1000 00000001 0110110011111", "点", ""},
        // 茗 is 0xE4AA: 0xE4AA - 0xC140 = 0x236A, 0x23 * 0xC0 + 0x6A = 0x1AAA.
        {"Kanji 茗", "1000 00000001 1101010101010", "茗", ""},
        // 0x8740 (①) is code page 932's, not JIS X 0208's: 0x6 * 0xC0 = 0x480.
        {"Kanji of no JIS X 0208 character", "1000 00000001 0010010000000", "", "no JIS X 0208"},
        {"numeric 012, alphanumeric AC-",
         "0001 0000000011 0000001100 0010 000000011 00111001110 101001", "012AC-", ""},
        {"numeric group 1000", "0001 0000000011 1111101000", "", "numeric group"},
        {"unknown mode 0011", "0011 0000", "", "mode indicator 3"}};
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DataStream stream;
        const std::string fault = ReadDataStream(Packed(row.bits, 19), 1, stream);
        if (*row.fault != '\0') {
            EXPECT_NE(fault.find(row.fault), std::string::npos) << fault;
            continue;
        }
        ASSERT_EQ(fault, "");
        std::string text;
        for (const StreamItem& item : stream.items) {
            text += item.text;
        }
        EXPECT_EQ(text, row.text);
        EXPECT_EQ(stream.bits, std::count_if(row.bits.begin(), row.bits.end(),
                                             [](char bit) { return bit != ' '; }));
    }
}

// The shortest stream of every text of up to five characters from a small
// alphabet against the slow reference that tries every split into segments
// and every mode, in both families.
TEST(FuzzRegression, ShortestStreamsAgreeWithEverySegmentation) {
    const std::string alphabet[] = {"1", "A", "a", "\\", "漢", "é", "¢"};
    const int size = static_cast<int>(std::size(alphabet));
    for (int version : {1, 10, 27}) {
        for (int length = 1, combinations = size; length <= 5; ++length, combinations *= size) {
            for (int n = 0; n < combinations; ++n) {
                std::string text;
                for (int i = 0, rest = n; i < length; ++i, rest /= size) {
                    text += alphabet[rest % size];
                }
                std::vector<CostCharacter> characters;
                std::size_t badByte = 0;
                ASSERT_TRUE(ReadCostCharacters(text, characters, badByte));
                std::vector<testing::ReferenceCharacter> reference;
                for (const CostCharacter& c : characters) {
                    reference.push_back({c.code, c.bytes, c.kanjiCode != 0});
                }
                for (bool eci : {false, true}) {
                    const int fewest = testing::ReferenceFewestBits(reference, version, eci);
                    ASSERT_EQ(ShortestStreams(characters, version, eci).back(),
                              fewest == INT_MAX ? kNoStream : fewest)
                        << text << " at version " << version << (eci ? " with" : " without")
                        << " the ECI";
                }
            }
        }
    }
}

}  // namespace
}  // namespace quirvane::fuzz
