// What the calendar panel draws, call by call, with the state each call was
// made in.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "shell/paint_calendar.h"
#include "tests/shell/program_run.h"

namespace {

using host::Op;

struct Text {
    int x, y;
    std::string bytes;
    COLORREF colour;
    int bkMode;
    COLORREF bkColor;  // matters only when opaque
};

constexpr COLORREF kBlack = 0x000000, kRed = 0x0000FF, kBlue = 0xFF0000, kCyan = 0xFFFF00,
                   kWhite = 0xFFFFFF, kGrey = 0xC8C8C8;

class CalendarPanel : public ProgramRun {
protected:
    void SetUp() override { Run(MakeTime(2009, 4, 23, 14, 42, 9), {host::Close()}); }
    const host::Frame& frame() { return host::Frames().at(0); }
};

TEST_F(CalendarPanel, DrawsEveryTextInOrderWithItsColourAndBackground) {
    // April 2009 starts on a Wednesday (column 3).
    std::vector<Text> expected = {
        {50, 10, Heading(2009, 4), kBlack, OPAQUE, kWhite},
        {15, 35, ToCp949("일"), kRed, OPAQUE, kGrey},
        {42, 35, ToCp949("월   화   수   목   금"), kBlack, OPAQUE, kGrey},
        {180, 35, ToCp949("토"), kBlue, OPAQUE, kGrey},
    };
    const std::set<int> sundays{5, 12, 19, 26}, saturdays{4, 11, 18, 25};
    for (int day = 1; day <= 30; ++day) {
        const int cell = 3 + day - 1;
        const COLORREF colour = day == 15              ? kCyan
                                : sundays.count(day)   ? kRed
                                : saturdays.count(day) ? kBlue
                                                       : kBlack;
        expected.push_back(
            {28 * (cell % 7) + 15, 20 * (cell / 7) + 55, std::to_string(day), colour, TRANSPARENT, kGrey});
    }
    expected.push_back({45, 220, ToCp949("[현재시각] 14:42:9"), kBlack, TRANSPARENT, kGrey});

    const auto texts = CallsOf(frame(), Op::TextOut);
    ASSERT_GE(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "text " << i << " '" << expected[i].bytes << "'");
        EXPECT_EQ(texts[i].x1, expected[i].x);
        EXPECT_EQ(texts[i].y1, expected[i].y);
        EXPECT_EQ(texts[i].text, expected[i].bytes);
        EXPECT_EQ(texts[i].state.textColor, expected[i].colour);
        EXPECT_EQ(texts[i].state.bkMode, expected[i].bkMode);
        if (expected[i].bkMode == OPAQUE) {
            EXPECT_EQ(texts[i].state.bkColor, expected[i].bkColor);
        }
    }
    // Spot checks of the grid against known positions.
    EXPECT_EQ(texts[4].x1, 99);
    EXPECT_EQ(texts[4].y1, 55);
    EXPECT_EQ(texts[4 + 22].text, "23");
    EXPECT_EQ(texts[4 + 22].x1, 127);
    EXPECT_EQ(texts[4 + 22].y1, 115);
}

TEST_F(CalendarPanel, DrawsTheGreyBarsWithAGreyBrushAndTheDefaultPen) {
    const auto bars = CallsOf(frame(), Op::Rectangle);
    ASSERT_EQ(bars.size(), 2u);
    const int boxes[2][4] = {{0, 30, 220, 55}, {0, 200, 220, 210}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bars[i].x1, boxes[i][0]);
        EXPECT_EQ(bars[i].y1, boxes[i][1]);
        EXPECT_EQ(bars[i].x2, boxes[i][2]);
        EXPECT_EQ(bars[i].y2, boxes[i][3]);
        EXPECT_EQ(bars[i].state.pen, GetStockObject(BLACK_PEN));
        const host::GdiObject* brush = nullptr;
        for (const auto& object : host::GdiObjects()) {
            if (object.handle == bars[i].state.brush) brush = &object;
        }
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brush->kind, host::GdiKind::Brush);
        EXPECT_EQ(brush->colour, kGrey);
    }
    // The bars come before any text.
    EXPECT_EQ(frame().calls[1].op, Op::Rectangle);
    EXPECT_EQ(frame().calls[2].op, Op::Rectangle);
}

TEST_F(CalendarPanel, CirclesTodayWithTheDefaultPenAndBrushBeforeItsNumber) {
    const auto& calls = frame().calls;
    const auto circles = CallsOf(frame(), Op::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].x1, 123);
    EXPECT_EQ(circles[0].y1, 111);
    EXPECT_EQ(circles[0].x2, 147);
    EXPECT_EQ(circles[0].y2, 135);
    EXPECT_EQ(circles[0].state.pen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(circles[0].state.brush, GetStockObject(WHITE_BRUSH));
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].op == Op::Ellipse) {
            EXPECT_EQ(calls[i + 1].op, Op::TextOut);
            EXPECT_EQ(calls[i + 1].text, "23");
        }
    }
}

TEST_F(CalendarPanel, LeavesBlackTextOnATransparentBackgroundForTheClock) {
    const auto dots = CallsOf(frame(), Op::SetPixel);
    ASSERT_FALSE(dots.empty());
    EXPECT_EQ(dots[0].state.textColor, kBlack);
    EXPECT_EQ(dots[0].state.bkMode, TRANSPARENT);
    EXPECT_EQ(dots[0].state.bkColor, kGrey);
}

TEST_F(CalendarPanel, NoCircleInAnotherMonthOrYear) {
    struct Case {
        const char* what;
        host::Button button;
        int clicks;
    };
    for (const Case c : {Case{"a month back", host::Button::Left, 1},
                         Case{"a year ahead", host::Button::Right, 12}}) {
        SCOPED_TRACE(c.what);
        Run(MakeTime(2009, 4, 23, 14, 42, 9),
            {host::Do([&] {
                host::AddSteps(std::vector<host::Step>(static_cast<std::size_t>(c.clicks),
                                                       host::Click(c.button)));
                host::AddSteps({host::Advance(1000), host::Close()});
            })});
        ASSERT_EQ(host::Frames().size(), 2u);
        EXPECT_EQ(CallsOf(host::Frames()[0], Op::Ellipse).size(), 1u);
        EXPECT_TRUE(CallsOf(host::Frames()[1], Op::Ellipse).empty());
    }
}

}  // namespace
