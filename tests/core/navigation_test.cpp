#include "core/navigation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/core/test_time.h"

namespace {

struct ClickCase {
    int nowYear, nowMonth;
    std::string clicks;  // 'L' = left (previous), 'R' = right (next)
    int shownYear, shownMonth;
    int yearOffset, monthOffset;
};

void Click(DisplayState& state, const SYSTEMTIME& now, char button) {
    if (button == 'L') {
        ShowPreviousMonth(state, now);
    } else {
        ShowNextMonth(state, now);
    }
}

TEST(Navigation, StepsAndWrapsTheYear) {
    const ClickCase cases[] = {
        {2009, 4, "L", 2009, 3, 0, -1},
        {2009, 4, "LL", 2009, 2, 0, -2},
        {2009, 4, "LLL", 2009, 1, 0, -3},
        {2009, 4, "LLLL", 2008, 12, -1, 8},
        {2009, 4, "LLLLR", 2009, 1, 0, -3},
        {2009, 4, "LLLLRR", 2009, 2, 0, -2},
        {2009, 12, "R", 2010, 1, 1, -11},
        {2009, 12, "RL", 2009, 12, 0, 0},
        {2009, 1, "LLLLLLLLLLLLL", 2007, 12, -2, 11},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nowYear << "-" << c.nowMonth << " " << c.clicks);
        const SYSTEMTIME now = MakeTime(c.nowYear, c.nowMonth, 15);
        DisplayState state{};
        for (const char button : c.clicks) {
            Click(state, now, button);
        }
        EXPECT_EQ(state.yearOffset, c.yearOffset);
        EXPECT_EQ(state.monthOffset, c.monthOffset);
        RefreshDisplayState(state, now);
        EXPECT_EQ(state.shownYear, c.shownYear);
        EXPECT_EQ(state.shownMonth, c.shownMonth);
    }
}

// A long random walk of clicks, with the real date moving forward now and
// then, against a model that only counts months from the current one.
TEST(Navigation, RandomWalkMatchesCountingMonthsFromNow) {
    std::mt19937 random(20091123);
    std::bernoulli_distribution leftClick(0.5);
    std::uniform_int_distribution<int> roll(0, 99);

    int nowMonths = 2009 * 12 + 3;  // April 2009, counted from January of year 0
    int modelOffset = 0;
    DisplayState state{};
    for (int step = 0; step < 200'000; ++step) {
        if (roll(random) == 0) {
            ++nowMonths;  // the real month ends
        }
        const SYSTEMTIME now = MakeTime(nowMonths / 12, nowMonths % 12 + 1, 1);
        const bool left = leftClick(random);
        Click(state, now, left ? 'L' : 'R');
        modelOffset += left ? -1 : 1;

        // The stored month sum stays in 1..12 while the real month stays.
        ASSERT_GE(now.wMonth + state.monthOffset, 1);
        ASSERT_LE(now.wMonth + state.monthOffset, 12);

        const int shown = nowMonths + modelOffset;
        const YearMonth expected{shown >= 0 ? shown / 12 : -((-shown + 11) / 12),
                                 ((shown % 12) + 12) % 12 + 1};
        const YearMonth actual = ShownYearMonth(now, state);
        ASSERT_EQ(actual.year, expected.year) << "step " << step;
        ASSERT_EQ(actual.month, expected.month) << "step " << step;
    }
}

}  // namespace
