#include "core/navigation.h"

namespace {

// Stores the month as offsets from now, so that it is shown at the next
// refresh and keeps its distance from the current month afterwards.
void PointAt(DisplayState& state, const SYSTEMTIME& now, YearMonth target) noexcept {
    state.yearOffset = target.year - now.wYear;
    state.monthOffset = target.month - now.wMonth;
}

// Steps `months` from the month shown so far, across year ends as needed.
void MoveMonths(DisplayState& state, const SYSTEMTIME& now, std::int32_t months) noexcept {
    const YearMonth current = ShownYearMonth(now, state);
    PointAt(state, now, MonthsAfter(current.year, current.month, months));
}

}  // namespace

void ShowPreviousMonth(DisplayState& state, const SYSTEMTIME& now) noexcept {
    MoveMonths(state, now, -1);
}

void ShowNextMonth(DisplayState& state, const SYSTEMTIME& now) noexcept {
    MoveMonths(state, now, 1);
}

void ShowPreviousYear(DisplayState& state, const SYSTEMTIME& now) noexcept {
    MoveMonths(state, now, -12);
}

void ShowNextYear(DisplayState& state, const SYSTEMTIME& now) noexcept {
    MoveMonths(state, now, 12);
}

void ShowCurrentMonth(DisplayState& state) noexcept {
    state.yearOffset = 0;
    state.monthOffset = 0;
}

std::int32_t ScrollMonths(DisplayState& state, const SYSTEMTIME& now, std::int32_t delta) noexcept {
    if ((delta > 0 && state.wheelRemainder < 0) || (delta < 0 && state.wheelRemainder > 0)) {
        state.wheelRemainder = 0;
    }
    const std::int64_t total = std::int64_t{state.wheelRemainder} + delta;
    const auto notches = static_cast<std::int32_t>(total / wheelNotch);  // whole ones, toward zero
    state.wheelRemainder = static_cast<std::int32_t>(total - std::int64_t{notches} * wheelNotch);
    if (notches != 0) MoveMonths(state, now, -notches);  // away from the user goes back
    return notches < 0 ? -notches : notches;
}
