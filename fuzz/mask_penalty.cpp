// Every rule looks at one module at a time; modules outside the symbol are
// light, which only the finder-like rule can see.
#include "fuzz/mask_penalty.h"

#include <cstdlib>

#include "fuzz/symbol_geometry.h"

namespace quirvane::fuzz {
namespace {

int RunsAndFinderLikes(const std::vector<std::uint8_t>& dark, int n, bool byRows) {
    static const int finderLike[7] = {1, 0, 1, 1, 1, 0, 1};
    constexpr int kPad = 4;  // light modules on either side, where a line leaves the symbol
    std::vector<std::uint8_t> modules(static_cast<std::size_t>(n + 2 * kPad), 0);
    int penalty = 0;
    for (int line = 0; line < n; ++line) {
        for (int i = 0; i < n; ++i) {
            modules[kPad + i] = byRows ? dark[line * n + i] : dark[i * n + line];
        }
        const auto at = [&](int i) { return modules[kPad + i]; };
        int run = 1;
        for (int i = 1; i <= n; ++i) {
            if (i < n && at(i) == at(i - 1)) {
                ++run;
                continue;
            }
            if (run >= 5) {
                penalty += 3 + (run - 5);  // N1
            }
            run = 1;
        }
        for (int start = 0; start + 7 <= n; ++start) {
            int matched = 0;
            while (matched < 7 && at(start + matched) == finderLike[matched]) {
                ++matched;
            }
            if (matched < 7) {
                continue;
            }
            bool lightBefore = true;
            bool lightAfter = true;
            for (int k = 1; k <= 4; ++k) {
                lightBefore = lightBefore && at(start - k) == 0;
                lightAfter = lightAfter && at(start + 6 + k) == 0;
            }
            if (lightBefore || lightAfter) {
                penalty += 40;  // N3
            }
        }
    }
    return penalty;
}

}  // namespace

int NaivePenalty(const std::vector<std::uint8_t>& dark, int n) {
    int penalty = RunsAndFinderLikes(dark, n, true) + RunsAndFinderLikes(dark, n, false);
    int darkCount = 0;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            darkCount += dark[r * n + c];
            if (r + 1 < n && c + 1 < n) {
                const int v = dark[r * n + c];
                if (dark[r * n + c + 1] == v && dark[(r + 1) * n + c] == v &&
                    dark[(r + 1) * n + c + 1] == v) {
                    penalty += 3;  // N2
                }
            }
        }
    }
    // N4: 10 for each whole 5 points the dark share lies from 50 %, in whole
    // numbers: |100 d - 50 t| / (5 t) rounded down.
    const int all = n * n;
    penalty += 10 * (std::abs(100 * darkCount - 50 * all) / (5 * all));
    return penalty;
}

std::array<int, 8> ScoreEveryMask(const char* matrix, int version, int level, int mask) {
    const Geometry& g = GeometryOf(version);
    const int n = g.n;
    std::vector<std::uint8_t> unmasked(static_cast<std::size_t>(n * n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            unmasked[r * n + c] = matrix[r * kStride + c] == '1' ? 1 : 0;
        }
    }
    for (int at : g.order) {
        unmasked[at / kStride * n + at % kStride] ^= MaskHits(mask, at / kStride, at % kStride);
    }
    std::array<int, 8> scores{};
    for (int m = 0; m < 8; ++m) {
        std::vector<std::uint8_t> symbol = unmasked;
        for (int at : g.order) {
            symbol[at / kStride * n + at % kStride] ^= MaskHits(m, at / kStride, at % kStride);
        }
        const int word = FormatWord(level, m);
        for (int copy = 0; copy < 2; ++copy) {
            for (int k = 0; k < 15; ++k) {
                const auto [r, c] = FormatModule(copy, k, n);
                symbol[r * n + c] = static_cast<std::uint8_t>(word >> k & 1);
            }
        }
        scores[m] = NaivePenalty(symbol, n);
    }
    return scores;
}

}  // namespace quirvane::fuzz
