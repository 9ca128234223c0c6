// Gregorian month arithmetic: the weekday a month starts on and the day grid.
#pragma once

#include <array>
#include <cstdint>

using MonthDays = std::array<std::int32_t, 12>;
using DayCells = std::array<std::int32_t, 42>;

inline constexpr MonthDays commonMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
inline constexpr MonthDays leapMonthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Remainders below take the sign of the dividend, as C++'s % does.
constexpr bool IsLeapYear(std::int32_t year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Division rounding toward minus infinity. For non-negative dividends it is
// plain truncating division; for negative ones it keeps counts of leap years
// right for years 0 and before.
constexpr std::int32_t FloorDiv(std::int32_t a, std::int32_t b) noexcept {
    const std::int32_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Works out the weekday of a month's first day by counting from 1 January
// 1583, a Saturday: a common year moves the weekday on by one, a leap year by
// two. The fields hold the intermediate counts of the last call.
class MonthCalculator {
public:
    std::int32_t leapYearsBefore = 0;       // leap years from year 1 to year - 1
    std::int32_t leapYearsBefore1583 = 0;   // always 383 after a call
    std::int32_t leapYearsSince1583 = 0;
    std::int32_t commonYearsSince1583 = 0;
    std::int32_t daysBeforeMonth = 0;

    // 0 = Sunday ... 6 = Saturday. month must be 1 to 12.
    constexpr std::int32_t FirstWeekday(const MonthDays& commonDays, const MonthDays& leapDays,
                                        std::int32_t year, std::int32_t month) noexcept {
        const std::int32_t yearsBefore = year - 1;
        leapYearsBefore = FloorDiv(yearsBefore, 4) - FloorDiv(yearsBefore, 100) +
                          FloorDiv(yearsBefore, 400);
        leapYearsBefore1583 = 383;
        leapYearsSince1583 = leapYearsBefore - leapYearsBefore1583;
        commonYearsSince1583 = year - 1583 - leapYearsSince1583;

        const MonthDays& days = IsLeapYear(year) ? leapDays : commonDays;
        // A fixed count of steps, each adding its month or nothing: no
        // branch on the month, which changes from call to call.
        daysBeforeMonth = 0;
        for (std::int32_t m = 1; m < 12; ++m) {
            daysBeforeMonth += m < month ? days[static_cast<std::size_t>(m - 1)] : 0;
        }

        // Summed in 64 bits so that years near the ends of the 32-bit range
        // cannot overflow. Adding 6 after the first remainder keeps the
        // result in 0..6 when the sum is negative (years before 1583).
        const std::int64_t shift =
            std::int64_t{commonYearsSince1583} + 2 * std::int64_t{leapYearsSince1583};
        const auto jan1 = static_cast<std::int32_t>((shift % 7 + 6) % 7);
        return (jan1 + daysBeforeMonth) % 7;
    }
};

// The weekday of the first day of the month, with a fresh calculator.
constexpr std::int32_t FirstWeekday(std::int32_t year, std::int32_t month) noexcept {
    MonthCalculator calculator;
    return calculator.FirstWeekday(commonMonthDays, leapMonthDays, year, month);
}

// Number of days in the month; month must be 1 to 12.
constexpr std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) noexcept {
    const MonthDays& days = IsLeapYear(year) ? leapMonthDays : commonMonthDays;
    return days[static_cast<std::size_t>(month - 1)];
}

// Writes 1..n into cells start..start+n-1 (n = the month's length). The
// caller has cleared the grid. start is a weekday column, 0 to 6, so the
// last cell written is at most 36; any other start writes nothing, so the
// grid is never overrun.
constexpr void FillDayCells(DayCells& cells, std::int32_t start, std::int32_t year,
                            std::int32_t month) noexcept {
    if (start < 0 || start > 6) {
        return;
    }
    const std::int32_t length = DaysInMonth(year, month);
    for (std::int32_t day = 1; day <= length; ++day) {
        cells[static_cast<std::size_t>(start + day - 1)] = day;
    }
}

// 1 January 2009 was a Thursday, 1 January of year 0 a Saturday.
static_assert(FirstWeekday(2009, 1) == 4 && FirstWeekday(0, 1) == 6);
