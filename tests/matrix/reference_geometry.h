// A symbol's geometry written out plainly from its rules, for the matrix
// stages to be compared with.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quirvane::reference {

using Module = std::pair<int, int>;  // (row, column)

inline int Distance(int y, int x, Module m) {
    return std::max(std::abs(y - m.first), std::abs(x - m.second));
}

// v / 7 + 2 coordinates from 6 to n - 7, an even step apart but for the first
// gap; a pattern stands at every pair of them where it misses the finders.
// Version 32 is the one version whose step the rule does not give: 26, not 28.
inline std::vector<Module> AlignmentCentres(int v) {
    const int n = 4 * v + 17, count = v / 7 + 2;
    const int step = v == 32 ? 26 : ((n - 13 + count - 2) / (count - 1) + 1) / 2 * 2;
    const auto at = [&](int i) { return i == 0 ? 6 : n - 7 - (count - 1 - i) * step; };
    std::vector<Module> centres;
    for (int i = 0; v > 1 && i < count * count; ++i) {
        const int r = at(i / count), c = at(i % count);
        if (!((r < 10 && (c < 10 || c > n - 11)) || (r > n - 11 && c < 10))) {
            centres.push_back({r, c});
        }
    }
    return centres;
}

// Finders with separators and format areas, timing, version areas, alignment patterns.
inline bool IsFunctionModule(int v, int y, int x) {
    const int n = 4 * v + 17;
    const auto centres = AlignmentCentres(v);
    return (y <= 8 && (x <= 8 || x >= n - 8)) || (y >= n - 8 && x <= 8) || y == 6 || x == 6 ||
           (v >= 7 && std::min(y, x) <= 5 && std::max(y, x) >= n - 11 && std::max(y, x) <= n - 9) ||
           std::any_of(centres.begin(), centres.end(),
                       [&](Module c) { return Distance(y, x, c) <= 2; });
}

// '1' on the dark modules of finders, alignment patterns, timing and the dark module.
inline char PatternModule(int v, int y, int x) {
    const int n = 4 * v + 17;
    for (Module finder : {Module{3, 3}, Module{3, n - 4}, Module{n - 4, 3}}) {
        if (const int d = Distance(y, x, finder); d <= 4) {
            return d == 2 || d == 4 ? '0' : '1';  // distance 4 is the separator
        }
    }
    for (Module centre : AlignmentCentres(v)) {
        if (const int d = Distance(y, x, centre); d <= 2) {
            return d == 1 ? '0' : '1';
        }
    }
    const bool timing = (y == 6 || x == 6) && (y + x) % 2 == 0;
    return timing || (y == n - 8 && x == 8) ? '1' : '0';
}

}  // namespace quirvane::reference
