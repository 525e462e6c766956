// Counts heap allocations, so the benchmark can show that making a symbol
// allocates nothing.
#pragma once

#include <cstdint>

namespace quirvane::bench {

std::uint64_t AllocationCount();

}  // namespace quirvane::bench
