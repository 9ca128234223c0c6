#include "core/month_calculator.h"

std::int32_t MonthCalculator::FirstWeekday(const MonthDays& commonDays,
                                           const MonthDays& leapDays, std::int32_t year,
                                           std::int32_t month) noexcept {
    const std::int32_t yearsBefore = year - 1;
    leapYearsBefore = FloorDiv(yearsBefore, 4) - FloorDiv(yearsBefore, 100) +
                      FloorDiv(yearsBefore, 400);
    leapYearsBefore1583 = 383;
    leapYearsSince1583 = leapYearsBefore - leapYearsBefore1583;
    commonYearsSince1583 = year - 1583 - leapYearsSince1583;

    const MonthDays& days = IsLeapYear(year) ? leapDays : commonDays;
    daysBeforeMonth = 0;
    for (std::int32_t m = 1; m < month && m <= 12; ++m) {
        daysBeforeMonth += days[static_cast<std::size_t>(m - 1)];
    }

    // Summed in 64 bits so that years near the ends of the 32-bit range
    // cannot overflow. Adding 6 after the first remainder keeps the result
    // in 0..6 when the sum is negative (years before 1583).
    const std::int64_t shift =
        std::int64_t{commonYearsSince1583} + 2 * std::int64_t{leapYearsSince1583};
    const auto jan1 = static_cast<std::int32_t>((shift % 7 + 6) % 7);
    return (jan1 + daysBeforeMonth) % 7;
}

std::int32_t FirstWeekday(std::int32_t year, std::int32_t month) noexcept {
    MonthCalculator calculator;
    return calculator.FirstWeekday(commonMonthDays, leapMonthDays, year, month);
}

void FillDayCells(DayCells& cells, std::int32_t start, std::int32_t year,
                  std::int32_t month) noexcept {
    const std::int32_t length = DaysInMonth(year, month);
    for (std::int32_t i = 0; i < length; ++i) {
        const std::int32_t cell = start + i;
        if (cell >= 0 && cell < static_cast<std::int32_t>(cells.size())) {
            cells[static_cast<std::size_t>(cell)] = i + 1;
        }
    }
}
