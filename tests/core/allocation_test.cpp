// The calendar and clock allocate nothing on the heap: every global
// allocation in this program is counted, and the ticks must add none.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/display_state.h"
#include "core/navigation.h"
#include "tests/core/test_time.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(Allocation, TicksAndClicksAllocateNothing) {
    DisplayState state{};
    const long before = allocations.load();
    for (int tick = 0; tick < 10'000; ++tick) {
        const SYSTEMTIME now = MakeTime(2009 + tick / 3600, tick / 300 % 12 + 1, tick % 28 + 1,
                                        tick / 60 % 24, tick % 60, tick % 60);
        if (tick % 3 == 0) ShowPreviousMonth(state, now);
        if (tick % 7 == 0) ShowNextMonth(state, now);
        RefreshDisplayState(state, now);
    }
    EXPECT_EQ(allocations.load() - before, 0);
}

TEST(Allocation, TheCounterSeesAllocations) {
    const long before = allocations.load();
    ::operator delete(::operator new(16));  // a call the compiler cannot elide
    EXPECT_EQ(allocations.load() - before, 1);
}

}  // namespace
