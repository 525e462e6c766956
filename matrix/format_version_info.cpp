// Format information (level and mask, BCH(15,5)-protected and masked) and,
// from version 7, version information. Written after masking and after the
// marks are cleared, so the mask never touches them.
#include <array>
#include <cassert>

#include "encode/encoder_state.h"
#include "matrix/format_placement.h"
#include "matrix/format_word.h"

namespace quirvane {
namespace {

constexpr int kFormatGenerator = 0b10100110111;  // x^10 + x^8 + x^5 + x^4 + x^2 + x + 1
constexpr int kFormatMask = 0b101010000010010;

constexpr int kVersionGenerator = 0x1F25;  // x^12 + x^11 + x^10 + x^9 + x^8 + x^5 + x^2 + 1

// The version information word: the version in the upper 6 bits, its
// BCH(18,6) check bits in the lower 12. Worked out by the compiler, so the
// words are constants of the program.
constexpr int MakeVersionWord(int version) {
    int remainder = version << 12;
    for (int bit = 17; bit >= 12; --bit) {
        if ((remainder >> bit) & 1) {
            remainder ^= kVersionGenerator << (bit - 12);
        }
    }
    return (version << 12) | remainder;
}

constexpr std::array<int, kLargestVersion + 1> kVersionWords = [] {
    std::array<int, kLargestVersion + 1> words{};
    for (int v = 7; v <= kLargestVersion; ++v) {
        words[v] = MakeVersionWord(v);
    }
    return words;
}();
static_assert(kVersionWords[7] == 0x07C94 && kVersionWords[40] == 0x28C69,
              "the first and last words the standard lists");

// The level indicators are 01 L, 00 M, 11 Q, 10 H.
int LevelIndicator(int level) {
    constexpr int kIndicators[4] = {0b01, 0b00, 0b11, 0b10};
    return kIndicators[level - kLevelL];
}

}  // namespace

int VersionWordOf(int version) {
    return version >= 7 && version <= kLargestVersion ? kVersionWords[version] : 0;
}

// The 15-bit format word, most significant bit = F[0].
int FormatWordOf(int level, int mask) {
    assert(IsSupportedLevel(level) && IsSupportedMask(mask));
    const int data = (LevelIndicator(level) << 3) | mask;
    // Long division of data * x^10 by the generator leaves the check bits.
    int remainder = data << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if ((remainder >> bit) & 1) {
            remainder ^= kFormatGenerator << (bit - 10);
        }
    }
    return ((data << 10) | remainder) ^ kFormatMask;
}

void EncoderState::WriteFormatAndVersionInfo(int forVersion, int level, int mask) {
    assert(IsSupportedVersion(forVersion));
    const int n = SideOf(forVersion);
    const int word = FormatWordOf(level, mask);
    auto put = [this](int row, int column, int value) {
        dataPlane[row * kPlaneStride + column] = value != 0 ? '1' : '0';
    };
    PlaceFormatBits(n, word, put);
    if (forVersion < 7) {
        return;
    }
    PlaceVersionBits(n, VersionWordOf(forVersion), put);
}

}  // namespace quirvane
