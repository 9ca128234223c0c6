// Counters kept by this test program's replacement of the global
// allocation functions (counting_new.cpp).
#pragma once

#include <atomic>

// Every allocation.
extern std::atomic<long> allocations;

// While countingProgram is set: allocations made by the program's own code,
// that is, outside the host platform layer.
extern std::atomic<bool> countingProgram;
extern std::atomic<long> programAllocations;
