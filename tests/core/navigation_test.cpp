#include "core/navigation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/core/test_time.h"

namespace {

struct ClickCase {
    int nowYear, nowMonth;
    std::string clicks;  // 'L' = previous month, 'R' = next month, '<' / '>' = a year back /
                         // forward, 'H' = back to the current month
    int shownYear, shownMonth;
    int yearOffset, monthOffset;
};

void Click(DisplayState& state, const SYSTEMTIME& now, char button) {
    switch (button) {
        case 'L': ShowPreviousMonth(state, now); break;
        case 'R': ShowNextMonth(state, now); break;
        case '<': ShowPreviousYear(state, now); break;
        case '>': ShowNextYear(state, now); break;
        default: ShowCurrentMonth(state); break;
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
        // A year at a time keeps the month, across year ends and back.
        {2009, 4, "<", 2008, 4, -1, 0},
        {2009, 4, ">>", 2011, 4, 2, 0},
        {2009, 4, "LLLL>", 2009, 12, 0, 8},
        {2009, 12, "R<", 2009, 1, 0, -11},
        {2009, 4, "<<<<<<<<<<R>", 2000, 5, -9, 1},
        // Home: the current month, whatever came before.
        {2009, 4, "LLLLLLLLLLLLLLLLLLLLH", 2009, 4, 0, 0},
        {2009, 4, ">>>RH", 2009, 4, 0, 0},
        {2009, 4, "H", 2009, 4, 0, 0},
        {2009, 4, "HL", 2009, 3, 0, -1},
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

// Wheel deltas, one message each: whole notches step a month (up = back),
// parts of a notch add up, and turning the other way drops a part.
TEST(Navigation, WheelNotchesStepAndPartsAddUp) {
    struct Case {
        const char* what;
        std::vector<std::int32_t> deltas;
        std::vector<std::int32_t> steps;  // what each message returns
        int shownYear, shownMonth;
    };
    const Case cases[] = {
        {"a notch up", {120}, {1}, 2009, 3},
        {"a notch down", {-120}, {1}, 2009, 5},
        {"three notches in one message", {360}, {3}, 2009, 1},
        {"thirds of a notch", {40, 40, 40, 40}, {0, 0, 1, 0}, 2009, 3},
        {"a part, then the other way", {60, -60, -60}, {0, 0, 1}, 2009, 5},
        {"a notch and a half, then half", {180, 60}, {1, 1}, 2009, 2},
        {"down across the year end", std::vector<std::int32_t>(9, -120),
         std::vector<std::int32_t>(9, 1), 2010, 1},
        {"the largest delta a message holds", {32767}, {273}, 1986, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SYSTEMTIME now = MakeTime(2009, 4, 15);
        DisplayState state{};
        std::vector<std::int32_t> steps;
        for (const std::int32_t delta : c.deltas) steps.push_back(ScrollMonths(state, now, delta));
        EXPECT_EQ(steps, c.steps);
        const YearMonth shown = ShownYearMonth(now, state);
        EXPECT_EQ(shown.year, c.shownYear);
        EXPECT_EQ(shown.month, c.shownMonth);
        EXPECT_LT(state.wheelRemainder < 0 ? -state.wheelRemainder : state.wheelRemainder,
                  wheelNotch);
    }
}

int MonthsMoved(char move) {
    switch (move) {
        case 'L': return -1;
        case 'R': return 1;
        case '<': return -12;
        default: return 12;
    }
}

// A long random walk of months, years and returns home, with the real date
// moving forward now and then, against a model that only counts months
// from the current one.
TEST(Navigation, RandomWalkMatchesCountingMonthsFromNow) {
    std::mt19937 random(20091123);
    std::uniform_int_distribution<int> action(0, 20);
    std::uniform_int_distribution<int> roll(0, 99);

    int nowMonths = 2009 * 12 + 3;  // April 2009, counted from January of year 0
    int modelOffset = 0;
    DisplayState state{};
    for (int step = 0; step < 200'000; ++step) {
        if (roll(random) == 0) {
            ++nowMonths;  // the real month ends
        }
        const SYSTEMTIME now = MakeTime(nowMonths / 12, nowMonths % 12 + 1, 1);
        const int a = action(random);
        const char move = a < 8 ? 'L' : a < 16 ? 'R' : a < 18 ? '<' : a < 20 ? '>' : 'H';
        Click(state, now, move);
        modelOffset = move == 'H' ? 0 : modelOffset + MonthsMoved(move);

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
