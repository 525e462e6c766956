// The geometry of a symbol written out plainly from the standard's rules:
// the function modules, the function patterns and the order in which data
// modules take their bits. The matrix stages are compared with it.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quirvane::reference {

using Module = std::pair<int, int>;  // (row, column)

inline constexpr int kVersions[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                    12, 13, 14, 15, 16, 17, 18, 19, 20, 40};

inline int Side(int version) {
    return 4 * version + 17;
}

// Alignment centres: every pair of the version's coordinates except the
// three that would sit on a finder.
inline std::vector<Module> AlignmentCentres(int version) {
    static const std::vector<int> kLists[21] = {{},
                                                {6, 18},
                                                {6, 22},
                                                {6, 26},
                                                {6, 30},
                                                {6, 34},
                                                {6, 22, 38},
                                                {6, 24, 42},
                                                {6, 26, 46},
                                                {6, 28, 50},
                                                {6, 30, 54},
                                                {6, 32, 58},
                                                {6, 34, 62},
                                                {6, 26, 46, 66},
                                                {6, 26, 48, 70},
                                                {6, 26, 50, 74},
                                                {6, 30, 54, 78},
                                                {6, 30, 56, 82},
                                                {6, 30, 58, 86},
                                                {6, 34, 62, 90},
                                                {6, 30, 58, 86, 114, 142, 170}};
    const std::vector<int>& list = kLists[version == 40 ? 20 : version - 1];
    std::vector<Module> centres;
    for (int r : list) {
        for (int c : list) {
            if (!(r == 6 && (c == 6 || c == list.back())) && !(c == 6 && r == list.back())) {
                centres.push_back({r, c});
            }
        }
    }
    return centres;
}

inline int Distance(int y, int x, Module centre) {
    return std::max(std::abs(y - centre.first), std::abs(x - centre.second));
}

inline bool IsFunctionModule(int version, int y, int x) {
    const int n = Side(version);
    const bool finder = (y <= 7 && x <= 7) || (y <= 7 && x >= n - 8) || (y >= n - 8 && x <= 7);
    const bool format = (y == 8 && (x <= 8 || x >= n - 8)) || (x == 8 && (y <= 8 || y >= n - 8));
    const bool versionInfo = version >= 7 && ((y <= 5 && x >= n - 11 && x <= n - 9) ||
                                              (x <= 5 && y >= n - 11 && y <= n - 9));
    const auto centres = AlignmentCentres(version);
    return finder || format || versionInfo || y == 6 || x == 6 ||
           std::any_of(centres.begin(), centres.end(),
                       [&](Module c) { return Distance(y, x, c) <= 2; });
}

// '1' for the dark modules of finders, timing, alignment patterns and the
// dark module; '0' everywhere else.
inline char PatternModule(int version, int y, int x) {
    const int n = Side(version);
    for (Module finder : {Module{3, 3}, Module{3, n - 4}, Module{n - 4, 3}}) {
        const int d = Distance(y, x, finder);
        if (d <= 4) {
            return d == 2 || d == 4 ? '0' : '1';  // distance 4 is the separator
        }
    }
    for (const Module& centre : AlignmentCentres(version)) {
        const int d = Distance(y, x, centre);
        if (d <= 2) {
            return d == 1 ? '0' : '1';
        }
    }
    if (y == 6 || x == 6) {
        return (y + x) % 2 == 0 ? '1' : '0';
    }
    return y == n - 8 && x == 8 ? '1' : '0';
}

// Data modules in placement order: the columns from the right edge, column 6
// left out, taken two at a time; the pairs run upward and downward in turn,
// the right module of a row first.
inline std::vector<Module> PlacementOrder(int version) {
    const int n = Side(version);
    std::vector<int> columns;
    for (int x = n - 1; x >= 0; --x) {
        if (x != 6) {
            columns.push_back(x);
        }
    }
    std::vector<Module> order;
    for (std::size_t pair = 0; pair < columns.size() / 2; ++pair) {
        for (int step = 0; step < n; ++step) {
            const int y = pair % 2 == 0 ? n - 1 - step : step;
            for (int x : {columns[2 * pair], columns[2 * pair + 1]}) {
                if (!IsFunctionModule(version, y, x)) {
                    order.push_back({y, x});
                }
            }
        }
    }
    return order;
}

}  // namespace quirvane::reference
