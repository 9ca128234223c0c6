// Replaces the global allocation functions to count allocations. A source
// of its own, so that the compiler never sees a replacement and its callers
// together.
#include "tests/counting_new.h"

#include <cstdlib>
#include <new>

#include "platform/host/host_control.h"

std::atomic<long> allocations{0};
std::atomic<bool> countingProgram{false};
std::atomic<long> programAllocations{0};

void* operator new(std::size_t size) {
    ++allocations;
    if (countingProgram && !host::InHostCode()) {
        ++programAllocations;
    }
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
