// The packed, word-at-a-time mask scoring against the checker's plain reading
// of the penalty rules (fuzz/mask_penalty.h, a module at a time): all eight
// scores of symbols of every mode and length, in versions with and without
// version information and alignment patterns; and the worked choices.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "encode/encoder_state.h"
#include "fuzz/mask_penalty.h"

namespace quirvane {
namespace {

// The eight scores the encoder gave a symbol made with the automatic mask,
// and the eight the plain rules give the symbol it made.
void ExpectPlainScores(EncoderState& state, const std::string& text, const Request& request) {
    const Result made = state.CreateSymbol(text, request);
    ASSERT_TRUE(made);
    const std::vector<int> packed(state.maskEvaluation.penalties,
                                  state.maskEvaluation.penalties + kMaskCount);
    const std::array<int, 8> plain =
        fuzz::ScoreEveryMask(state.symbolMatrix, made.symbol.Version(),
                             LevelNumberOf(request.level), made.symbol.Mask());
    EXPECT_EQ(packed, std::vector<int>(plain.begin(), plain.end()));
}

TEST(EvaluateMasks, EveryScoreIsThePlainRulesScore) {
    std::mt19937 random(7);
    auto state = std::make_unique<EncoderState>();
    for (int version : {1, 2, 7, 14, 20, 40}) {
        for (Level level : {Level::L, Level::M, Level::Q, Level::H}) {
            const Mode mode = static_cast<Mode>(random() % 3);
            const int length = static_cast<int>(random() % 2000);
            std::string text;
            for (int i = 0; i < length; ++i) {
                const unsigned pick = random();
                text += mode == Mode::Numeric ? static_cast<char>('0' + pick % 10)
                        : mode == Mode::Alphanumeric
                            ? "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[pick % 45]
                            : static_cast<char>(' ' + pick % 95);
            }
            SCOPED_TRACE(::testing::Message() << version << "-" << static_cast<int>(level) << " "
                                              << static_cast<int>(mode) << " " << length);
            ExpectPlainScores(*state, text,
                              {.mode = mode, .level = level, .version = version, .cutToFit = true});
        }
    }
}

// The textbook symbol, "01234567" at 1-M, which chooses mask 2; and a text
// whose lowest score is shared by masks 0 and 7, where the lower one wins.
TEST(EvaluateMasks, WorkedChoices) {
    struct Case {
        Level level;
        const char* digits;
        std::vector<int> penalties;
        int chosen;
    };
    const Case cases[] = {
        {Level::M, "01234567", {1057, 1093, 1037, 1052, 1130, 1197, 1099, 1046}, 2},
        {Level::L, "228", {1007, 1066, 1017, 1059, 1051, 1032, 1090, 1007}, 0},
    };
    auto state = std::make_unique<EncoderState>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        const Request request{.mode = Mode::Numeric, .level = c.level, .version = 1};
        const Result made = state->CreateSymbol(c.digits, request);
        ASSERT_TRUE(made);
        EXPECT_EQ(made.symbol.Mask(), c.chosen);
        EXPECT_EQ(std::vector<int>(state->maskEvaluation.penalties,
                                   state->maskEvaluation.penalties + kMaskCount),
                  c.penalties);
        ExpectPlainScores(*state, c.digits, request);
    }
}

}  // namespace
}  // namespace quirvane
