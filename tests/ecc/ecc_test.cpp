// The parameter table: every row against the standard's table as it lists
// each version (total codewords, error-correction codewords per block and
// blocks, per level), and each capacity as the longest text whose stream,
// as the fuzz checker counts it, fits the data codewords. (The shapes of the
// blocks are proved when the table is compiled.)
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "encode/encoder_settings.h"
#include "fuzz/symbol_checker.h"

namespace quirvane {
namespace {

TEST(ParameterTable, EveryRowAsTheStandardListsIt) {
    struct Listed {
        int version;
        int total;
        int ecPerBlock[4];  // L, M, Q, H
        int blocks[4];
    };
    // clang-format off
    const Listed listed[] = {
        {1, 26, {7, 10, 13, 17}, {1, 1, 1, 1}},
        {2, 44, {10, 16, 22, 28}, {1, 1, 1, 1}},
        {3, 70, {15, 26, 18, 22}, {1, 1, 2, 2}},
        {4, 100, {20, 18, 26, 16}, {1, 2, 2, 4}},
        {5, 134, {26, 24, 18, 22}, {1, 2, 4, 4}},
        {6, 172, {18, 16, 24, 28}, {2, 4, 4, 4}},
        {7, 196, {20, 18, 18, 26}, {2, 4, 6, 5}},
        {8, 242, {24, 22, 22, 26}, {2, 4, 6, 6}},
        {9, 292, {30, 22, 20, 24}, {2, 5, 8, 8}},
        {10, 346, {18, 26, 24, 28}, {4, 5, 8, 8}},
        {11, 404, {20, 30, 28, 24}, {4, 5, 8, 11}},
        {12, 466, {24, 22, 26, 28}, {4, 8, 10, 11}},
        {13, 532, {26, 22, 24, 22}, {4, 9, 12, 16}},
        {14, 581, {30, 24, 20, 24}, {4, 9, 16, 16}},
        {15, 655, {22, 24, 30, 24}, {6, 10, 12, 18}},
        {16, 733, {24, 28, 24, 30}, {6, 10, 17, 16}},
        {17, 815, {28, 28, 28, 28}, {6, 11, 16, 19}},
        {18, 901, {30, 26, 28, 28}, {6, 13, 18, 21}},
        {19, 991, {28, 26, 26, 26}, {7, 14, 21, 25}},
        {20, 1085, {28, 26, 30, 28}, {8, 16, 20, 25}},
        {21, 1156, {28, 26, 28, 30}, {8, 17, 23, 25}},
        {22, 1258, {28, 28, 30, 24}, {9, 17, 23, 34}},
        {23, 1364, {30, 28, 30, 30}, {9, 18, 25, 30}},
        {24, 1474, {30, 28, 30, 30}, {10, 20, 27, 32}},
        {25, 1588, {26, 28, 30, 30}, {12, 21, 29, 35}},
        {26, 1706, {28, 28, 28, 30}, {12, 23, 34, 37}},
        {27, 1828, {30, 28, 30, 30}, {12, 25, 34, 40}},
        {28, 1921, {30, 28, 30, 30}, {13, 26, 35, 42}},
        {29, 2051, {30, 28, 30, 30}, {14, 28, 38, 45}},
        {30, 2185, {30, 28, 30, 30}, {15, 29, 40, 48}},
        {31, 2323, {30, 28, 30, 30}, {16, 31, 43, 51}},
        {32, 2465, {30, 28, 30, 30}, {17, 33, 45, 54}},
        {33, 2611, {30, 28, 30, 30}, {18, 35, 48, 57}},
        {34, 2761, {30, 28, 30, 30}, {19, 37, 51, 60}},
        {35, 2876, {30, 28, 30, 30}, {19, 38, 53, 63}},
        {36, 3034, {30, 28, 30, 30}, {20, 40, 56, 66}},
        {37, 3196, {30, 28, 30, 30}, {21, 43, 59, 70}},
        {38, 3362, {30, 28, 30, 30}, {22, 45, 62, 74}},
        {39, 3532, {30, 28, 30, 30}, {24, 47, 65, 77}},
        {40, 3706, {30, 28, 30, 30}, {25, 49, 68, 81}},
    };
    // clang-format on
    for (const Listed& l : listed) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(std::to_string(l.version) + "-" + "?LMQH"[level]);
            const SymbolParameters& p = FindSymbolParameters(l.version, level);
            const int i = level - kLevelL;
            EXPECT_EQ(
                std::tuple(p.totalCodewords, p.r1, p.b1 + p.b2, p.errorCorrectionCodewords),
                std::tuple(l.total, l.ecPerBlock[i], l.blocks[i], l.ecPerBlock[i] * l.blocks[i]));
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int capacity = CapacityOf(p, mode);
                EXPECT_LE(fuzz::StreamBits(mode, l.version, capacity), 8 * p.dataCodewords) << mode;
                EXPECT_GT(fuzz::StreamBits(mode, l.version, capacity + 1), 8 * p.dataCodewords)
                    << mode;
            }
        }
    }
}

}  // namespace
}  // namespace quirvane
