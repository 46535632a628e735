// Counts the heap allocations the whole program makes, so that a benchmark
// can show how many one step costs (a step that allocated per element or per
// field would show thousands).
#pragma once

#include <cstdint>

uint64_t allocations_so_far();
