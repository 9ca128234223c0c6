// When the next refresh is due. Each refresh asks for the next one at the
// start of the next whole second of the local time it has just read, so the
// displayed second follows the wall clock's second, whatever the timer's
// granularity, lateness or drift, and whatever the wall clock does.
#pragma once

#include <cstdint>

#include "platform/systemtime.h"

// How long after the second turns the refresh is asked for: timers that fire
// a little early must still find the new second.
inline constexpr std::uint32_t refreshMarginMs = 5;

// Milliseconds from `now` to the start of the next second, plus the margin:
// from refreshMarginMs + 1 (at .999) to 1000 + refreshMarginMs (at .000).
constexpr std::uint32_t NextRefreshDelayMs(const SYSTEMTIME& now) noexcept {
    const std::uint32_t millisecond = now.wMilliseconds < 1000 ? now.wMilliseconds : 999;
    return 1000 - millisecond + refreshMarginMs;
}
