// Everything the window draws, and its refresh from the local time.
#pragma once

#include <cstdint>

#include "core/clock_geometry.h"
#include "core/month_calculator.h"
#include "core/text_format.h"
#include "platform/systemtime.h"

struct DisplayState {
    std::int32_t yearOffset;   // years from the current year to the shown one
    std::int32_t monthOffset;  // months from the current month to the shown one
    std::int32_t shownYear;
    std::int32_t shownMonth;   // 1..12
    DayCells dayCells;         // 7 x row + column, column 0 = Sunday; 0 = empty
    Point hourTip;
    Point minuteTip;
    Point secondTip;
    TextBuffer yearMonthText;  // code page 949
    TextBuffer timeText;
    TextBuffer secondText;
    TextBuffer cellText;       // scratch for one day number while painting
    std::int32_t wheelRemainder;  // wheel movement not yet a whole notch
};

struct YearMonth {
    std::int32_t year;
    std::int32_t month;  // 1..12
};

// The month `months` after (before, when negative) the given one; `month`
// may lie outside 1..12 and carries into the year.
YearMonth MonthsAfter(std::int32_t year, std::int32_t month, std::int64_t months) noexcept;

// The month the offsets point at, seen from now. The offsets count years and
// months from the current month; a month sum outside 1..12 (left behind when
// the real month moves on while an offset is set) carries into the year, so
// the result is always a real month.
YearMonth ShownYearMonth(const SYSTEMTIME& now, const DisplayState& state) noexcept;

// Brings every field but the offsets and cellText up to date: the grid of the
// shown month, the heading and time texts, and the three hand tips.
void RefreshDisplayState(DisplayState& state, const SYSTEMTIME& now) noexcept;
