#include "core/month_calculator.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

namespace chr = std::chrono;

int ChronoFirstWeekday(int year, int month) {
    const chr::year_month_day first{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                    chr::day{1}};
    return static_cast<int>(chr::weekday{chr::sys_days{first}}.c_encoding());
}

int ChronoMonthLength(int year, int month) {
    const chr::year_month_day_last last{chr::year{year},
                                        chr::month_day_last{chr::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

TEST(IsLeapYear, CenturiesAreLeapOnlyEveryFourHundredYears) {
    struct Case {
        int year;
        bool leap;
    };
    for (const Case c : {Case{1900, false}, Case{2000, true}, Case{2008, true},
                         Case{2009, false}, Case{0, true}, Case{-4, true}, Case{-100, false}}) {
        EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    }
}

TEST(FirstWeekday, KnownMonths) {
    struct Case {
        int year, month, weekday;
    };
    for (const Case c : {Case{1583, 1, 6}, Case{1900, 1, 1}, Case{2000, 1, 6}, Case{2009, 1, 4},
                         Case{2009, 2, 0}, Case{2009, 3, 0}, Case{2009, 4, 3}, Case{2009, 8, 6},
                         Case{2009, 12, 2}, Case{2008, 2, 5}, Case{2024, 2, 4},
                         // 1 January of year 0 is a Saturday in the proleptic calendar.
                         Case{0, 1, 6}}) {
        EXPECT_EQ(FirstWeekday(c.year, c.month), c.weekday) << c.year << "-" << c.month;
    }
}

TEST(FirstWeekday, KeepsItsIntermediateCounts) {
    MonthCalculator calculator;
    EXPECT_EQ(calculator.FirstWeekday(commonMonthDays, leapMonthDays, 2009, 4), 3);
    EXPECT_EQ(calculator.leapYearsBefore, 487);
    EXPECT_EQ(calculator.leapYearsBefore1583, 383);
    EXPECT_EQ(calculator.leapYearsSince1583, 104);
    EXPECT_EQ(calculator.commonYearsSince1583, 322);
    EXPECT_EQ(calculator.daysBeforeMonth, 90);

    calculator.FirstWeekday(commonMonthDays, leapMonthDays, 2008, 2);
    EXPECT_EQ(calculator.daysBeforeMonth, 31);
}

void ExpectMonthsMatchCalendar(int firstYear, int lastYear) {
    for (int year = firstYear; year <= lastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int start = FirstWeekday(year, month);
            ASSERT_EQ(start, ChronoFirstWeekday(year, month)) << year << "-" << month;

            DayCells cells{};
            FillDayCells(cells, start, year, month);
            const int length = ChronoMonthLength(year, month);
            for (int cell = 0; cell < static_cast<int>(cells.size()); ++cell) {
                const bool inMonth = cell >= start && cell < start + length;
                ASSERT_EQ(cells[static_cast<size_t>(cell)], inMonth ? cell - start + 1 : 0)
                    << year << "-" << month << " cell " << cell;
            }
        }
    }
}

TEST(FirstWeekday, MatchesTheGregorianCalendarForYears1To9999) {
    ExpectMonthsMatchCalendar(1, 9999);
}

TEST(FirstWeekday, MatchesTheGregorianCalendarForYearsUpToZero) {
    ExpectMonthsMatchCalendar(-32767, 0);
}

TEST(FirstWeekday, StaysInRangeAtTheEndsOfThe32BitYears) {
    for (const int year : {2'000'000'000, -2'000'000'000}) {
        for (int month = 1; month <= 12; ++month) {
            const int weekday = FirstWeekday(year, month);
            EXPECT_GE(weekday, 0);
            EXPECT_LE(weekday, 6);
        }
    }
}

TEST(FillDayCells, NeverWritesPastTheGrid) {
    DayCells cells{};
    FillDayCells(cells, 6, 2009, 8);  // the longest reach: 31 days from Saturday
    EXPECT_EQ(cells[36], 31);
    EXPECT_EQ(cells[37], 0);
    for (const int start : {-1, 7, 20, 2'000'000'000}) {
        DayCells untouched{};
        FillDayCells(untouched, start, 2009, 8);
        EXPECT_EQ(untouched, DayCells{}) << "start " << start;
    }
}

}  // namespace
