// What the clock face draws: the dial ring, the three hands with their own
// pens, the seconds at the second hand's tip and the hour labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clock_geometry.h"
#include "tests/shell/program_run.h"

namespace {

using host::Op;

class ClockFace : public ProgramRun {
protected:
    static const host::GdiObject& ObjectOf(HGDIOBJ handle) {
        for (const auto& object : host::GdiObjects()) {
            if (object.handle == handle) return object;
        }
        throw std::runtime_error("unknown GDI object");
    }
};

TEST_F(ClockFace, DrawsTheDialRingBlueAtEveryDegree) {
    Run(MakeTime(2009, 4, 23, 14, 42, 9), {host::Close()});
    const auto dots = CallsOf(LastFrame(), Op::SetPixel);
    ASSERT_EQ(dots.size(), 360u);
    for (int degree = 0; degree < 360; ++degree) {
        const Point expected = DialPoint(degree);
        EXPECT_EQ(dots[static_cast<std::size_t>(degree)].x1, expected.x) << degree;
        EXPECT_EQ(dots[static_cast<std::size_t>(degree)].y1, expected.y) << degree;
        EXPECT_EQ(dots[static_cast<std::size_t>(degree)].colour, 0xFF0000u) << degree;
    }
    EXPECT_EQ(dots[0].x1, 350);
    EXPECT_EQ(dots[0].y1, 220);
}

TEST_F(ClockFace, DrawsTheHandsFromTheCentreWithTheirPensAndTheSecondsAtTheTip) {
    struct Case {
        SYSTEMTIME now;
        POINT hour, minute, second;
        std::string seconds;
    };
    const Case cases[] = {
        {MakeTime(2009, 4, 23, 0, 0, 0), {350, 70}, {350, 52}, {350, 41}, "0"},
        {MakeTime(2009, 4, 23, 14, 42, 9), {399, 112}, {285, 141}, {413, 73}, "9"},
    };
    struct Pen {
        int width;
        COLORREF colour;
    };
    const Pen pens[] = {{6, 0x0000FF}, {4, 0xFF0000}, {2, 0x00FF00}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        Run(c.now, {host::Close()});
        const auto moves = CallsOf(LastFrame(), Op::MoveTo);
        const auto lines = CallsOf(LastFrame(), Op::LineTo);
        ASSERT_EQ(moves.size(), 3u);
        ASSERT_EQ(lines.size(), 3u);
        const POINT tips[] = {c.hour, c.minute, c.second};
        for (std::size_t hand = 0; hand < 3; ++hand) {
            EXPECT_EQ(moves[hand].x1, 350);
            EXPECT_EQ(moves[hand].y1, 120);
            EXPECT_EQ(lines[hand].x1, 350);
            EXPECT_EQ(lines[hand].y1, 120);
            EXPECT_EQ(lines[hand].x2, tips[hand].x);
            EXPECT_EQ(lines[hand].y2, tips[hand].y);
            const host::GdiObject& pen = ObjectOf(lines[hand].state.pen);
            EXPECT_EQ(pen.kind, host::GdiKind::Pen);
            EXPECT_EQ(pen.style, PS_SOLID);
            EXPECT_EQ(pen.width, pens[hand].width);
            EXPECT_EQ(pen.colour, pens[hand].colour);
        }

        // The seconds, drawn black on no background while the second hand's
        // pen is still selected, then the four labels.
        const auto texts = CallsOf(LastFrame(), Op::TextOut);
        ASSERT_GE(texts.size(), 5u);
        const host::DrawCall& seconds = texts[texts.size() - 5];
        EXPECT_EQ(seconds.text, c.seconds);
        EXPECT_EQ(seconds.x1, c.second.x);
        EXPECT_EQ(seconds.y1, c.second.y);
        EXPECT_EQ(seconds.state.pen, lines[2].state.pen);
        const struct {
            int x, y;
            std::string bytes;
        } labels[] = {{340, 5, ToCp949("12시")}, {340, 225, ToCp949("6시")},
                      {455, 115, ToCp949("3시")}, {225, 115, ToCp949("9시")}};
        for (std::size_t i = 0; i < 5; ++i) {
            const host::DrawCall& text = texts[texts.size() - 5 + i];
            EXPECT_EQ(text.state.textColor, 0x000000u);
            EXPECT_EQ(text.state.bkMode, TRANSPARENT);
            if (i == 0) continue;
            EXPECT_EQ(text.x1, labels[i - 1].x);
            EXPECT_EQ(text.y1, labels[i - 1].y);
            EXPECT_EQ(text.text, labels[i - 1].bytes);
        }
        EXPECT_EQ(LastFrame().calls.back().op, Op::TextOut);  // the labels come last
    }
}

// Every pen and brush a paint makes is deselected and deleted in that same
// paint, over many paints, and the dial comes out the same each time.
TEST_F(ClockFace, EveryPaintReleasesItsObjectsAndRepeatsTheDial) {
    std::vector<host::Step> ticks(60, host::Advance(1000));
    Run(MakeTime(2009, 4, 23, 14, 42, 9), {host::Do([&] {
            host::AddSteps(ticks);
            host::AddSteps({host::Close()});
        })});
    ASSERT_EQ(host::Frames().size(), 61u);

    std::vector<int> createdPerFrame(host::Frames().size(), 0);
    for (const host::GdiObject& object : host::GdiObjects()) {
        if (object.stock) continue;
        ASSERT_GE(object.createdInFrame, 0);
        EXPECT_TRUE(object.deleted);
        EXPECT_FALSE(object.deletedWhileSelected);
        EXPECT_EQ(object.deletedInFrame, object.createdInFrame);
        ++createdPerFrame[static_cast<std::size_t>(object.createdInFrame)];
    }
    const auto firstDots = CallsOf(host::Frames()[0], Op::SetPixel);
    for (std::size_t i = 0; i < host::Frames().size(); ++i) {
        const host::Frame& frame = host::Frames()[i];
        EXPECT_FALSE(frame.endedWithOwnObjectsSelected) << "frame " << i;
        EXPECT_EQ(createdPerFrame[i], 5) << "frame " << i;  // a bitmap, a brush and three pens
        const auto dots = CallsOf(frame, Op::SetPixel);
        ASSERT_EQ(dots.size(), firstDots.size());
        for (std::size_t d = 0; d < dots.size(); ++d) {
            ASSERT_EQ(dots[d].x1, firstDots[d].x1);
            ASSERT_EQ(dots[d].y1, firstDots[d].y1);
        }
    }
}

}  // namespace
