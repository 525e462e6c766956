// Mask evaluation against a penalty written plainly from the rules, one
// module at a time: on hand-checked planes, on random planes of every width
// class, and on real symbols, where every mask's score must equal the score
// of the symbol the generation command makes with that mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <quirvane/encoder.h>
#include <quirvane/mask_evaluation.h>

namespace quirvane {
namespace {

// The rules read straight off: runs walked module by module, every 2 x 2
// block and every place the finder-like pattern could start looked at, and
// the dark share stepped through in 5 % steps.
int NaivePenalty(const char* cells, int n) {
    const auto dark = [&](int r, int c) {
        return r >= 0 && c >= 0 && r < n && c < n && cells[r * kPlaneStride + c] == '1';
    };
    int penalty = 0;
    for (const bool down : {false, true}) {
        const auto at = [&](int line, int k) { return down ? dark(k, line) : dark(line, k); };
        for (int line = 0; line < n; ++line) {
            int length = 1;
            for (int k = 1; k <= n; ++k) {
                if (k < n && at(line, k) == at(line, k - 1)) {
                    ++length;
                    continue;
                }
                if (length >= 5) {
                    penalty += 3 + (length - 5);
                }
                length = 1;
            }
            const bool finder[7] = {true, false, true, true, true, false, true};
            for (int k = 0; k + 7 <= n; ++k) {
                bool match = true, lightBefore = true, lightAfter = true;
                for (int i = 0; i < 7; ++i) {
                    match = match && at(line, k + i) == finder[i];
                }
                for (int i = 1; i <= 4; ++i) {
                    lightBefore = lightBefore && !at(line, k - i);
                    lightAfter = lightAfter && !at(line, k + 6 + i);
                }
                if (match && (lightBefore || lightAfter)) {
                    penalty += 40;
                }
            }
        }
    }
    int darkCount = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            darkCount += dark(r, c) ? 1 : 0;
            if (r + 1 < n && c + 1 < n && dark(r, c) == dark(r, c + 1) &&
                dark(r, c) == dark(r + 1, c) && dark(r, c) == dark(r + 1, c + 1)) {
                penalty += 3;
            }
        }
    }
    // As many whole 5 % steps as fit between the dark share and 50 %.
    const int total = n * n;
    int steps = 0;
    while (5 * (steps + 1) * total <= std::abs(100 * darkCount - 50 * total)) {
        ++steps;
    }
    return penalty + 10 * steps;
}

// A plane of the given side; everything outside the square is dark, which
// no rule may look at.
std::vector<char> PlaneOf(int side, const std::vector<std::string>& rows) {
    std::vector<char> plane(kPlaneCells, '1');
    for (int r = 0; r < side; ++r) {
        std::copy(rows[r].begin(), rows[r].end(), plane.begin() + r * kPlaneStride);
    }
    return plane;
}

enum class Base { Light, Dark, Checkerboard };

// The base plane with the listed modules inverted; the checkerboard is dark
// where row + column is even.
std::vector<std::string> Rows(Base base, int side, const std::vector<std::pair<int, int>>& flips) {
    std::vector<std::string> rows(side, std::string(side, '0'));
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const bool isDark =
                base == Base::Dark || (base == Base::Checkerboard && (r + c) % 2 == 0);
            rows[r][c] = isDark ? '1' : '0';
        }
    }
    for (const auto& [r, c] : flips) {
        rows[r][c] = rows[r][c] == '1' ? '0' : '1';
    }
    return rows;
}

TEST(SymbolPenalty, HandCheckedPlanes) {
    struct Case {
        const char* what;
        Base base;
        int side;
        std::vector<std::pair<int, int>> flips;
        int expected;
    };
    const Case cases[] = {
        // A checkerboard has no run, block or pattern, and is half dark.
        {"checkerboard", Base::Checkerboard, 10, {}, 0},
        // N1: row 0 gets a dark run of 5 (3), of 7 (5), a light run of 6 (4).
        {"dark run of 5", Base::Checkerboard, 8, {{0, 1}, {0, 3}}, 3},
        {"dark run of 7", Base::Checkerboard, 8, {{0, 1}, {0, 3}, {0, 5}}, 5},
        {"light run of 6", Base::Checkerboard, 8, {{0, 0}, {0, 2}, {0, 4}}, 4},
        // N2: a 3 x 3 dark square holds four blocks.
        {"3 x 3 dark square", Base::Checkerboard, 10, {{0, 1}, {1, 0}, {1, 2}, {2, 1}}, 12},
        {"all dark, side 3", Base::Dark, 3, {}, 4 * 3 + 100},
        // Runs of 5 in 5 rows and 5 columns, 16 blocks, no dark module.
        {"all light, side 5", Base::Light, 5, {}, 10 * 3 + 16 * 3 + 100},
        // N3: 1011101 at the start of row 0, light outside the symbol before it...
        {"pattern at the left edge", Base::Checkerboard, 10, {{0, 3}}, 40},
        // ...at the end of row 1, light only after it...
        {"pattern at the right edge", Base::Checkerboard, 10, {{1, 6}}, 40},
        // ...filling row 0 or column 0, light on both sides: still once.
        {"pattern filling a row", Base::Checkerboard, 7, {{0, 3}}, 40},
        {"pattern filling a column", Base::Checkerboard, 7, {{3, 0}}, 40},
        // N4 on 100 modules: 45 and 55 dark score a step, 46 and 54 none.
        {"45 % dark", Base::Checkerboard, 10, {{0, 0}, {2, 2}, {4, 4}, {6, 6}, {8, 8}}, 10},
        {"46 % dark", Base::Checkerboard, 10, {{0, 0}, {2, 2}, {4, 4}, {6, 6}}, 0},
        {"55 % dark", Base::Checkerboard, 10, {{0, 1}, {2, 7}, {7, 2}, {9, 0}, {8, 9}}, 10},
        {"54 % dark", Base::Checkerboard, 10, {{0, 1}, {2, 7}, {7, 2}, {9, 0}}, 0},
    };
    for (const Case& c : cases) {
        const std::vector<char> plane = PlaneOf(c.side, Rows(c.base, c.side, c.flips));
        EXPECT_EQ(NaivePenalty(plane.data(), c.side), c.expected) << c.what;
        EXPECT_EQ(SymbolPenalty(plane.data(), c.side), c.expected) << c.what;
    }
}

// Random planes on both sides of every word boundary, thin and dense, so
// that long runs and the finder-like pattern turn up across words. Light
// cells are not only '0': anything but '1' is light, even '3', whose lowest
// bit is set.
TEST(SymbolPenalty, RandomPlanesMatchTheNaiveRules) {
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
            const std::vector<char> plane = PlaneOf(side, rows);
            EXPECT_EQ(SymbolPenalty(plane.data(), side), NaivePenalty(plane.data(), side))
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

std::unique_ptr<EncoderState> StateFor(const Sample& sample, int mask) {
    auto state = std::make_unique<EncoderState>();
    state->settings = EncoderSettings{sample.mode, sample.version, sample.level, mask};
    return state;
}

TEST(SymbolPenalty, EverySymbolMatchesTheNaiveRules) {
    for (const Sample& sample : Samples()) {
        auto state = StateFor(sample, 0);
        for (int mask = 0; mask < kMaskCount; ++mask) {
            state->settings.maskReference = mask;
            ASSERT_TRUE(state->CreateData(sample.text).Created());
            const int side = state->SymbolSide();
            EXPECT_EQ(SymbolPenalty(state->symbolMatrix, side),
                      NaivePenalty(state->symbolMatrix, side))
                << "version " << sample.version << " level " << sample.level << " mask " << mask;
        }
    }
}

// The planes EvaluateMasks starts from: the stages of the generation command
// up to placement, on the text it has just cut and checked, and the patterns.
void PlaceUnmasked(EncoderState& state) {
    const EncoderSettings& s = state.settings;
    const int v = s.version;
    state.BuildDataCodewords(s.characterMode, v, state.symbolParameters.dataCodewords);
    state.EncodeBlocks(v, s.errorCorrectionLevel);
    state.MarkFunctionAreas(v, 1, kFunctionMark);
    state.InterleaveBlocks(v, s.errorCorrectionLevel);
    state.BuildFunctionPatterns(v);
}

struct Evaluation {
    int chosen;
    std::vector<int> penalties;
};

// Scores each mask from the unmasked planes; checks that neither plane
// changed and that the choice is the lowest score, the lowest mask on a tie.
Evaluation Evaluate(const Sample& sample, MaskEvaluation& scratch) {
    auto state = StateFor(sample, 0);
    EXPECT_TRUE(state->CreateData(sample.text).Created());
    PlaceUnmasked(*state);
    const std::string data(state->dataPlane, kPlaneCells);
    const std::string pattern(state->patternPlane, kPlaneCells);
    const int chosen =
        EvaluateMasks(state->dataPlane, state->patternPlane, sample.version, sample.level, scratch);
    EXPECT_EQ(std::string(state->dataPlane, kPlaneCells), data);
    EXPECT_EQ(std::string(state->patternPlane, kPlaneCells), pattern);
    const std::vector<int> penalties(scratch.penalties, scratch.penalties + kMaskCount);
    EXPECT_EQ(chosen, std::ranges::min_element(penalties) - penalties.begin());
    return {chosen, penalties};
}

// The score of the symbol the generation command makes with each mask, by
// SymbolPenalty or by the naive rules.
std::vector<int> MadeSymbolPenalties(const Sample& sample, bool naive = false) {
    std::vector<int> penalties;
    for (int mask = 0; mask < kMaskCount; ++mask) {
        auto state = StateFor(sample, mask);
        EXPECT_TRUE(state->CreateData(sample.text).Created());
        const int side = state->SymbolSide();
        penalties.push_back(naive ? NaivePenalty(state->symbolMatrix, side)
                                  : SymbolPenalty(state->symbolMatrix, side));
    }
    return penalties;
}

TEST(EvaluateMasks, EveryMaskScoresTheSymbolItMakes) {
    auto scratch = std::make_unique<MaskEvaluation>();
    // Largest first, so the smaller symbols are scored on a record full of leftovers.
    std::vector<Sample> samples = Samples();
    std::ranges::reverse(samples);
    for (const Sample& sample : samples) {
        EXPECT_EQ(Evaluate(sample, *scratch).penalties, MadeSymbolPenalties(sample))
            << "version " << sample.version << " level " << sample.level;
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
        const Sample sample{1, c.level, kModeNumeric, c.digits};
        const Evaluation evaluation = Evaluate(sample, *scratch);
        EXPECT_EQ(evaluation.chosen, c.chosen) << c.digits;
        EXPECT_EQ(evaluation.penalties, c.penalties) << c.digits;
        EXPECT_EQ(MadeSymbolPenalties(sample, true), c.penalties) << c.digits;
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
