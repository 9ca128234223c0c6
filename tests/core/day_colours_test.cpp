#include "core/day_colours.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/month_calculator.h"
#include "tests/core/test_time.h"

namespace {

TEST(DayTextColor, MarkedDaysComeBeforeTheWeekendColumns) {
    struct Case {
        const char* what;
        int month, day, column;
        std::optional<Colour> colour;
    };
    const Case cases[] = {
        {"18 January on a Sunday", 1, 18, 0, green},
        {"1 January on a Saturday", 1, 1, 6, red},
        {"15 April", 4, 15, 3, cyan},
        {"15 August", 8, 15, 3, red},
        {"8 February on a Sunday", 2, 8, 0, cyan},
        {"8 March midweek", 3, 8, 2, std::nullopt},
        {"8 March on a Saturday", 3, 8, 6, blue},
        {"25 December on a Sunday", 12, 25, 0, red},
        {"30 September on a Saturday", 9, 30, 6, cyan},
        {"a plain Sunday", 6, 7, 0, red},
        {"a plain Saturday", 6, 13, 6, blue},
        {"a plain weekday", 6, 10, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayTextColor(c.month, c.day, c.column), c.colour) << c.what;
    }
}

TEST(DayTextColor, NovemberFollowsOnlyTheWeekendRule) {
    for (int day = 1; day <= 30; ++day) {
        for (int column = 0; column < 7; ++column) {
            const std::optional<Colour> expected =
                column == 0 ? std::optional{red} : column == 6 ? std::optional{blue} : std::nullopt;
            EXPECT_EQ(DayTextColor(11, day, column), expected) << day << " col " << column;
        }
    }
}

TEST(DayTextColor, FebruaryEighth2009IsCyanInTheSundayColumn) {
    const int column = (FirstWeekday(2009, 2) + 8 - 1) % 7;
    EXPECT_EQ(column, 0);
    EXPECT_EQ(DayTextColor(2, 8, column), cyan);
}

TEST(IsTodayCell, NeedsTheSameYearMonthAndDay) {
    const SYSTEMTIME now = MakeTime(2009, 4, 23);
    EXPECT_TRUE(IsTodayCell(2009, 4, 23, now));
    EXPECT_FALSE(IsTodayCell(2010, 4, 23, now));
    EXPECT_FALSE(IsTodayCell(2009, 5, 23, now));
    EXPECT_FALSE(IsTodayCell(2009, 4, 22, now));
}

}  // namespace
