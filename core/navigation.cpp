#include "core/navigation.h"

namespace {

// Stores the month as offsets from now, so that it is shown at the next
// refresh and keeps its distance from the current month afterwards.
void PointAt(DisplayState& state, const SYSTEMTIME& now, YearMonth target) noexcept {
    state.yearOffset = target.year - now.wYear;
    state.monthOffset = target.month - now.wMonth;
}

}  // namespace

void ShowPreviousMonth(DisplayState& state, const SYSTEMTIME& now) noexcept {
    const YearMonth current = ShownYearMonth(now, state);
    PointAt(state, now,
            current.month <= 1 ? YearMonth{current.year - 1, 12}
                               : YearMonth{current.year, current.month - 1});
}

void ShowNextMonth(DisplayState& state, const SYSTEMTIME& now) noexcept {
    const YearMonth current = ShownYearMonth(now, state);
    PointAt(state, now,
            current.month >= 12 ? YearMonth{current.year + 1, 1}
                                : YearMonth{current.year, current.month + 1});
}
