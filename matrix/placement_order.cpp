// The placement order of every version: two-module-wide columns from the
// right edge to the left, alternately upward and downward, right module
// before left, stepping around every function module; column 6, the
// vertical timing pattern, belongs to no pair. Each version's order is built
// the first time a symbol of it is placed, into a static table that is never
// freed, so making a symbol neither allocates nor walks the geometry again.
#include "matrix/placement_order.h"

#include <mutex>

#include "encode/encoder_state.h"
#include "matrix/function_areas.h"

namespace quirvane {
namespace {

constexpr int kSideWords = (kLargestSide + 63) / 64;

// Where a version's order starts in the shared table: a version has fewer
// data modules than its side squared, so that much room each is enough.
constexpr int OrderStart(int version) {
    int start = 0;
    for (int v = 1; v < version; ++v) {
        start += SideOf(v) * SideOf(v);
    }
    return start;
}
static_assert(kPlaneCells <= 65536, "a cell offset fits 16 bits");

std::uint16_t orderCells[OrderStart(kLargestVersion + 1)];
PlacementOrder orders[kLargestVersion];
std::once_flag ordersBuilt[kLargestVersion];

void BuildOrder(int version) {
    const int n = SideOf(version);
    // One bit per module, set on the function modules.
    std::uint64_t function[kLargestSide][kSideWords] = {};
    ForEachFunctionArea(version, [&function](Area area) {
        for (int r = area.top; r <= area.bottom; ++r) {
            for (int c = area.left; c <= area.right; ++c) {
                function[r][c / 64] |= std::uint64_t{1} << (c % 64);
            }
        }
    });
    const auto isData = [&function](int r, int c) {
        return ((function[r][c / 64] >> (c % 64)) & 1) == 0;
    };

    std::uint16_t* cells = orderCells + OrderStart(version);
    int count = 0;
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;  // skip the timing column: the pairs go on with (5, 4)
        }
        for (int step = 0; step < n; ++step) {
            const int r = upward ? n - 1 - step : step;
            for (const int c : {right, right - 1}) {
                if (isData(r, c)) {
                    cells[count++] = static_cast<std::uint16_t>(r * kPlaneStride + c);
                }
            }
        }
        upward = !upward;
    }
    orders[version - 1] = {cells, count};
}

}  // namespace

const PlacementOrder& PlacementOrderOf(int version) {
    std::call_once(ordersBuilt[version - 1], BuildOrder, version);
    return orders[version - 1];
}

}  // namespace quirvane
