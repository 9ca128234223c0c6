#include "core/display_state.h"

#include <gtest/gtest.h>

#include <string>

#include "core/navigation.h"
#include "core/refresh_schedule.h"
#include "tests/core/test_time.h"

namespace {

std::string Text(const TextBuffer& buffer) { return buffer.data(); }

void ExpectCellsHoldMonth(const DisplayState& state, int start, int length) {
    for (int cell = 0; cell < 42; ++cell) {
        const bool inMonth = cell >= start && cell < start + length;
        EXPECT_EQ(state.dayCells[static_cast<size_t>(cell)], inMonth ? cell - start + 1 : 0)
            << "cell " << cell;
    }
}

TEST(RefreshDisplayState, FillsEverythingFromTheLocalTime) {
    DisplayState state{};
    RefreshDisplayState(state, MakeTime(2009, 4, 23, 14, 42, 9));

    EXPECT_EQ(state.shownYear, 2009);
    EXPECT_EQ(state.shownMonth, 4);
    ExpectCellsHoldMonth(state, 3, 30);
    EXPECT_EQ(Text(state.yearMonthText), ToCp949("  2009 [년]    4[월]"));
    EXPECT_EQ(Text(state.timeText), ToCp949("[현재시각] 14:42:9"));
    EXPECT_EQ(Text(state.secondText), "9");
    EXPECT_EQ(state.hourTip, (Point{399, 112}));
    EXPECT_EQ(state.minuteTip, (Point{285, 141}));
    EXPECT_EQ(state.secondTip, (Point{413, 73}));
    EXPECT_EQ(Text(state.cellText), "");
}

TEST(RefreshDisplayState, FormatsTextsLikePrintf) {
    struct Case {
        SYSTEMTIME now;
        std::string heading;
        std::string time;
    };
    const Case cases[] = {
        {MakeTime(2009, 4, 23, 9, 5, 7), "  2009 [년]    4[월]", "[현재시각] 9:5:7"},
        {MakeTime(2009, 12, 1, 0, 0, 0), "  2009 [년]   12[월]", "[현재시각] 0:0:0"},
        {MakeTime(2026, 1, 31, 23, 59, 59), "  2026 [년]    1[월]", "[현재시각] 23:59:59"},
    };
    for (const Case& c : cases) {
        DisplayState state{};
        RefreshDisplayState(state, c.now);
        EXPECT_EQ(Text(state.yearMonthText), ToCp949(c.heading));
        EXPECT_EQ(Text(state.timeText), ToCp949(c.time));
    }
}

TEST(RefreshDisplayState, ShowsTheNavigatedMonthWithTheCurrentTime) {
    const SYSTEMTIME now = MakeTime(2009, 4, 23, 14, 42, 9);
    DisplayState state{};
    RefreshDisplayState(state, now);
    for (int i = 0; i < 8; ++i) {
        ShowPreviousMonth(state, now);
    }
    RefreshDisplayState(state, now);

    EXPECT_EQ(state.shownYear, 2008);
    EXPECT_EQ(state.shownMonth, 8);
    ExpectCellsHoldMonth(state, 5, 31);  // 1 August 2008 was a Friday
    EXPECT_EQ(Text(state.yearMonthText), ToCp949("  2008 [년]    8[월]"));
    EXPECT_EQ(Text(state.timeText), ToCp949("[현재시각] 14:42:9"));
    EXPECT_EQ(state.secondTip, (Point{413, 73}));
}

TEST(RefreshDisplayState, ClearsCellsLeftFromALongerMonth) {
    const SYSTEMTIME now = MakeTime(2009, 8, 1);
    DisplayState state{};
    RefreshDisplayState(state, now);
    ExpectCellsHoldMonth(state, 6, 31);

    state.monthOffset = -6;  // February 2009: starts on a Sunday, four rows
    RefreshDisplayState(state, now);
    ExpectCellsHoldMonth(state, 0, 28);
}

// The offsets count months from the current one. When the real month moves
// on while an offset is set, the shown month moves with it and carries into
// the next or previous year instead of leaving 1..12.
TEST(RefreshDisplayState, CarriesTheShownMonthAcrossARealMonthChange) {
    struct Case {
        const char* name;
        SYSTEMTIME clickedAt;
        int rightClicks;  // negative for left clicks
        SYSTEMTIME shownAt;
        int year, month;
    };
    const Case cases[] = {
        {"November +1 seen in December", MakeTime(2009, 11, 30), 1, MakeTime(2009, 12, 1), 2010, 1},
        {"January -1 seen in February", MakeTime(2010, 1, 31), -1, MakeTime(2010, 2, 1), 2010, 1},
        {"December -1 seen in January", MakeTime(2009, 12, 31), -1, MakeTime(2010, 1, 1), 2009, 12},
        {"January +11 seen in December", MakeTime(2009, 1, 1), 11, MakeTime(2009, 12, 1), 2010, 11},
        {"March -14 seen a year later", MakeTime(2009, 3, 1), -14, MakeTime(2010, 3, 1), 2009, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayState state{};
        for (int i = 0; i < c.rightClicks; ++i) ShowNextMonth(state, c.clickedAt);
        for (int i = 0; i > c.rightClicks; --i) ShowPreviousMonth(state, c.clickedAt);
        RefreshDisplayState(state, c.shownAt);
        EXPECT_EQ(state.shownYear, c.year);
        EXPECT_EQ(state.shownMonth, c.month);
        ExpectCellsHoldMonth(state, FirstWeekday(c.year, c.month), DaysInMonth(c.year, c.month));
    }
}

}  // namespace

namespace {

// The next refresh is asked for just after the next second begins, counted
// from the millisecond just read; never sooner than the margin, never more
// than a second and the margin away, even for an out-of-range reading.
TEST(NextRefresh, IsDueJustAfterTheNextSecondBegins) {
    struct Case {
        int millisecond;
        std::uint32_t delayMs;
    };
    const Case cases[] = {{0, 1005}, {1, 1004}, {500, 505}, {994, 11}, {995, 10}, {999, 6},
                          {1000, 6}, {65535, 6}};
    for (const Case& c : cases) {
        SYSTEMTIME now = MakeTime(2009, 4, 23, 14, 42, 9);
        now.wMilliseconds = static_cast<WORD>(c.millisecond);
        EXPECT_EQ(NextRefreshDelayMs(now), c.delayMs) << "at ." << c.millisecond;
    }
    static_assert(refreshMarginMs == 5);
}

}  // namespace
