// Moving the calendar through the months: a month or a year back or
// forward, back to the current month, or by mouse-wheel notches. Only the
// offsets change; the next refresh shows the month reached.
#pragma once

#include <cstdint>

#include "core/display_state.h"
#include "platform/systemtime.h"

void ShowPreviousMonth(DisplayState& state, const SYSTEMTIME& now) noexcept;
void ShowNextMonth(DisplayState& state, const SYSTEMTIME& now) noexcept;
void ShowPreviousYear(DisplayState& state, const SYSTEMTIME& now) noexcept;
void ShowNextYear(DisplayState& state, const SYSTEMTIME& now) noexcept;
void ShowCurrentMonth(DisplayState& state) noexcept;

// One wheel notch; high-resolution wheels send parts of it.
inline constexpr std::int32_t wheelNotch = 120;

// Wheel movement: a positive delta (away from the user) goes back, a
// negative one forward, a month per whole notch. Parts of a notch are kept
// until they add up to one; turning the other way drops them. Returns the
// number of months stepped.
std::int32_t ScrollMonths(DisplayState& state, const SYSTEMTIME& now, std::int32_t delta) noexcept;
