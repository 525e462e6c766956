// Mask evaluation against the checker's plain reading of the penalty rules
// (fuzz/mask_penalty.h, a module at a time): on hand-checked planes, on
// random planes of every width class, and on real symbols, where every
// mask's score must equal the score of the symbol made with that mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <quirvane/encoder.h>
#include <quirvane/mask_evaluation.h>

#include "fuzz/mask_penalty.h"

namespace quirvane {
namespace {

// '1' is dark, any other cell light.
int PlainPenalty(const char* cells, int n) {
    std::vector<std::uint8_t> dark(static_cast<std::size_t>(n * n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            dark[static_cast<std::size_t>(r * n + c)] = cells[r * kPlaneStride + c] == '1';
        }
    }
    return fuzz::NaivePenalty(dark, n);
}

// Everything outside the square is dark, which no rule may look at.
std::vector<char> PlaneOf(const std::vector<std::string>& rows) {
    std::vector<char> plane(kPlaneCells, '1');
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::copy(rows[r].begin(), rows[r].end(), plane.begin() + r * kPlaneStride);
    }
    return plane;
}

TEST(SymbolPenalty, HandCheckedPlanes) {
    struct Case {
        const char* what;
        int side;
        std::vector<std::pair<int, int>> flips;  // modules inverted
        int expected;
        char base = 'c';  // a checkerboard, dark where row + column is even; or '0', '1'
    };
    const Case cases[] = {
        // A checkerboard has no run, block or pattern, and is half dark.
        {"checkerboard", 10, {}, 0},
        // N1: row 0 gets a dark run of 5 (3), of 7 (5), a light run of 6 (4).
        {"dark run of 5", 8, {{0, 1}, {0, 3}}, 3},
        {"dark run of 7", 8, {{0, 1}, {0, 3}, {0, 5}}, 5},
        {"light run of 6", 8, {{0, 0}, {0, 2}, {0, 4}}, 4},
        // N2: a 3 x 3 dark square holds four blocks.
        {"3 x 3 dark square", 10, {{0, 1}, {1, 0}, {1, 2}, {2, 1}}, 12},
        {"all dark, side 3", 3, {}, 4 * 3 + 100, '1'},
        // Runs of 5 in 5 rows and 5 columns, 16 blocks, no dark module.
        {"all light, side 5", 5, {}, 10 * 3 + 16 * 3 + 100, '0'},
        // N3: 1011101 at the start of row 0, light outside the symbol before it...
        {"pattern at the left edge", 10, {{0, 3}}, 40},
        // ...at the end of row 1, light only after it...
        {"pattern at the right edge", 10, {{1, 6}}, 40},
        // ...filling row 0 or column 0, light on both sides: still once.
        {"pattern filling a row", 7, {{0, 3}}, 40},
        {"pattern filling a column", 7, {{3, 0}}, 40},
        // N4 on 100 modules: 45 and 55 dark score a step, 46 and 54 none.
        {"45 % dark", 10, {{0, 0}, {2, 2}, {4, 4}, {6, 6}, {8, 8}}, 10},
        {"46 % dark", 10, {{0, 0}, {2, 2}, {4, 4}, {6, 6}}, 0},
        {"55 % dark", 10, {{0, 1}, {2, 7}, {7, 2}, {9, 0}, {8, 9}}, 10},
        {"54 % dark", 10, {{0, 1}, {2, 7}, {7, 2}, {9, 0}}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> rows(c.side, std::string(c.side, c.base));
        for (int r = 0; r < c.side; ++r) {
            for (int k = 0; k < c.side && c.base == 'c'; ++k) {
                rows[r][k] = (r + k) % 2 == 0 ? '1' : '0';
            }
        }
        for (const auto& [r, k] : c.flips) {
            rows[r][k] = rows[r][k] == '1' ? '0' : '1';
        }
        const std::vector<char> plane = PlaneOf(rows);
        EXPECT_EQ(PlainPenalty(plane.data(), c.side), c.expected) << c.what;
        EXPECT_EQ(SymbolPenalty(plane.data(), c.side), c.expected) << c.what;
    }
}

// Random planes on both sides of every word boundary, thin and dense, so
// that long runs and the finder-like pattern turn up across words. Light
// cells are not only '0': anything but '1' is light, even '3', whose lowest
// bit is set.
TEST(SymbolPenalty, RandomPlanesMatchThePlainRules) {
    std::mt19937 random(2024);
    for (int side : {1, 2, 5, 7, 11, 21, 63, 64, 65, 127, 128, 129, 177}) {
        for (int darkPercent : {10, 50, 90}) {
            std::vector<std::string> rows(side, std::string(side, '0'));
            for (std::string& row : rows) {
                for (char& cell : row) {
                    cell = static_cast<int>(random() % 100) < darkPercent ? '1'
                                                                          : "00003*"[random() % 6];
                }
            }
            const std::vector<char> plane = PlaneOf(rows);
            EXPECT_EQ(SymbolPenalty(plane.data(), side), PlainPenalty(plane.data(), side))
                << "side " << side << ", " << darkPercent << " % dark";
        }
    }
}

struct Sample {
    int version;
    int level;
    int mode;
    std::string text;
};

// Random texts of every mode and length up to capacity, in each level of
// versions with and without version information and alignment patterns.
std::vector<Sample> Samples() {
    std::mt19937 random(7);
    std::vector<Sample> samples;
    for (int version : {1, 2, 7, 14, 20, 40}) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const int mode = kModeByte + static_cast<int>(random() % 3);
            const int capacity = CapacityOf(*FindSymbolParameters(version, level), mode);
            const int length = static_cast<int>(random() % static_cast<unsigned>(capacity + 1));
            std::string text;
            for (int i = 0; i < length; ++i) {
                const unsigned pick = random();
                text += mode == kModeNumeric ? static_cast<char>('0' + pick % 10)
                        : mode == kModeAlphanumeric
                            ? "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[pick % 45]
                            : static_cast<char>(' ' + pick % 95);
            }
            samples.push_back({version, level, mode, text});
        }
    }
    return samples;
}

struct Evaluation {
    int chosen;
    std::vector<int> penalties;
};

// Scores each mask from the unmasked planes, as the generation command has
// them before it masks; checks that neither plane changed and that the
// choice is the lowest score, the lowest mask on a tie.
Evaluation Evaluate(const Sample& sample, MaskEvaluation& scratch) {
    auto state = std::make_unique<EncoderState>();
    state->settings = EncoderSettings{sample.mode, sample.version, sample.level, 0};
    EXPECT_TRUE(state->CreateData(sample.text).Created());
    const int v = sample.version;
    state->BuildDataCodewords(sample.mode, v, state->symbolParameters.dataCodewords);
    state->EncodeBlocks(v, sample.level);
    state->MarkFunctionAreas(v, 1, kFunctionMark);
    state->InterleaveBlocks(v, sample.level);
    state->BuildFunctionPatterns(v);
    const std::string data(state->dataPlane, kPlaneCells);
    const std::string pattern(state->patternPlane, kPlaneCells);
    const int chosen =
        EvaluateMasks(state->dataPlane, state->patternPlane, v, sample.level, scratch);
    EXPECT_EQ(std::string(state->dataPlane, kPlaneCells), data);
    EXPECT_EQ(std::string(state->patternPlane, kPlaneCells), pattern);
    const std::vector<int> penalties(scratch.penalties, scratch.penalties + kMaskCount);
    EXPECT_EQ(chosen, std::ranges::min_element(penalties) - penalties.begin());
    return {chosen, penalties};
}

// The score of the symbol made with each mask, the same by SymbolPenalty and
// by the plain rules.
std::vector<int> MadeSymbolPenalties(const Sample& sample) {
    std::vector<int> penalties;
    auto state = std::make_unique<EncoderState>();
    for (int mask = 0; mask < kMaskCount; ++mask) {
        state->settings = EncoderSettings{sample.mode, sample.version, sample.level, mask};
        EXPECT_TRUE(state->CreateData(sample.text).Created());
        const int side = state->SymbolSide();
        penalties.push_back(SymbolPenalty(state->symbolMatrix, side));
        EXPECT_EQ(penalties.back(), PlainPenalty(state->symbolMatrix, side)) << "mask " << mask;
    }
    return penalties;
}

TEST(EvaluateMasks, EveryMaskScoresTheSymbolItMakes) {
    auto scratch = std::make_unique<MaskEvaluation>();
    // Largest first, so the smaller symbols are scored on a record full of leftovers.
    std::vector<Sample> samples = Samples();
    std::ranges::reverse(samples);
    for (const Sample& sample : samples) {
        SCOPED_TRACE(::testing::Message()
                     << "version " << sample.version << " level " << sample.level);
        EXPECT_EQ(Evaluate(sample, *scratch).penalties, MadeSymbolPenalties(sample));
    }
}

// The textbook symbol, "01234567" at 1-M, which chooses mask 2; and a text
// whose lowest score is shared by masks 0 and 7, where the lower one wins.
TEST(EvaluateMasks, WorkedChoices) {
    struct Case {
        int level;
        const char* digits;
        std::vector<int> penalties;
        int chosen;
    };
    const Case cases[] = {
        {kLevelM, "01234567", {1057, 1093, 1037, 1052, 1130, 1197, 1099, 1046}, 2},
        {kLevelL, "228", {1007, 1066, 1017, 1059, 1051, 1032, 1090, 1007}, 0},
    };
    auto scratch = std::make_unique<MaskEvaluation>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        const Sample sample{1, c.level, kModeNumeric, c.digits};
        const Evaluation evaluation = Evaluate(sample, *scratch);
        EXPECT_EQ(evaluation.chosen, c.chosen);
        EXPECT_EQ(evaluation.penalties, c.penalties);
        EXPECT_EQ(MadeSymbolPenalties(sample), c.penalties);
    }
}

TEST(EvaluateMasks, RefusesWhatHasNoSymbol) {
    auto state = std::make_unique<EncoderState>();
    auto scratch = std::make_unique<MaskEvaluation>();
    const std::pair<int, int> refused[] = {{0, kLevelL}, {41, kLevelL}, {1, 0}, {1, 5}};
    for (const auto& [version, level] : refused) {
        EXPECT_EQ(EvaluateMasks(state->dataPlane, state->patternPlane, version, level, *scratch),
                  -1)
            << version << "/" << level;
    }
}

}  // namespace
}  // namespace quirvane
