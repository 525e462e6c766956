// Alignment centre coordinates per version, as the standard lists them; kept
// as explicit lists rather than recomputed by a rule.
#include "matrix/alignment_centres.h"

#include "ecc/symbol_parameters.h"

namespace quirvane {
namespace {

// clang-format off
constexpr AlignmentCoordinates kCoordinates[kLargestVersion] = {
    {0, {}},                                // 1
    {2, {6, 18}},                           // 2
    {2, {6, 22}},                           // 3
    {2, {6, 26}},                           // 4
    {2, {6, 30}},                           // 5
    {2, {6, 34}},                           // 6
    {3, {6, 22, 38}},                       // 7
    {3, {6, 24, 42}},                       // 8
    {3, {6, 26, 46}},                       // 9
    {3, {6, 28, 50}},                       // 10
    {3, {6, 30, 54}},                       // 11
    {3, {6, 32, 58}},                       // 12
    {3, {6, 34, 62}},                       // 13
    {4, {6, 26, 46, 66}},                   // 14
    {4, {6, 26, 48, 70}},                   // 15
    {4, {6, 26, 50, 74}},                   // 16
    {4, {6, 30, 54, 78}},                   // 17
    {4, {6, 30, 56, 82}},                   // 18
    {4, {6, 30, 58, 86}},                   // 19
    {4, {6, 34, 62, 90}},                   // 20
    {5, {6, 28, 50, 72, 94}},               // 21
    {5, {6, 26, 50, 74, 98}},               // 22
    {5, {6, 30, 54, 78, 102}},              // 23
    {5, {6, 28, 54, 80, 106}},              // 24
    {5, {6, 32, 58, 84, 110}},              // 25
    {5, {6, 30, 58, 86, 114}},              // 26
    {5, {6, 34, 62, 90, 118}},              // 27
    {6, {6, 26, 50, 74, 98, 122}},          // 28
    {6, {6, 30, 54, 78, 102, 126}},         // 29
    {6, {6, 26, 52, 78, 104, 130}},         // 30
    {6, {6, 30, 56, 82, 108, 134}},         // 31
    {6, {6, 34, 60, 86, 112, 138}},         // 32
    {6, {6, 30, 58, 86, 114, 142}},         // 33
    {6, {6, 34, 62, 90, 118, 146}},         // 34
    {7, {6, 30, 54, 78, 102, 126, 150}},    // 35
    {7, {6, 24, 50, 76, 102, 128, 154}},    // 36
    {7, {6, 28, 54, 80, 106, 132, 158}},    // 37
    {7, {6, 32, 58, 84, 110, 136, 162}},    // 38
    {7, {6, 26, 54, 82, 110, 138, 166}},    // 39
    {7, {6, 30, 58, 86, 114, 142, 170}},    // 40
};
// clang-format on

}  // namespace

const AlignmentCoordinates& AlignmentCoordinatesOf(int version) {
    static constexpr AlignmentCoordinates kNone{0, {}};
    if (!IsSupportedVersion(version)) {
        return kNone;
    }
    return kCoordinates[version - 1];
}

}  // namespace quirvane
