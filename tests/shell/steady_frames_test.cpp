// The refresh follows the wall clock's second on a platform whose timers
// are coarse and late (the host layer's model of Windows), and every paint
// reaches the window as one finished picture.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/refresh_schedule.h"
#include "shell/paint_calendar.h"
#include "shell/paint_clock.h"
#include "tests/shell/program_run.h"

namespace {

constexpr std::int64_t usPerSecond = 1'000'000;

// The refreshes the timer brought (not the first one, sent at creation).
std::vector<host::Delivery> TimerRefreshes() {
    std::vector<host::Delivery> ticks;
    for (const host::Delivery& delivery : host::Deliveries()) {
        if (delivery.message == WM_TIMER && !delivery.sent) ticks.push_back(delivery);
    }
    return ticks;
}

std::int64_t SecondOfDay(const SYSTEMTIME& t) {
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

class SteadySeconds : public ProgramRun {};

// An hour on timers that fire at the system clock tick and up to 50 ms late,
// started at a random moment: every wall-clock second is shown once, none
// is skipped or shown twice, and each shows soon after its second begins.
TEST_F(SteadySeconds, EverySecondOfAnHourIsShownOnceAndOnTime) {
    struct Case {
        const char* what;
        std::int64_t granularityUs;
        std::int64_t maxLatenessUs;
    };
    const Case cases[] = {
        {"exact timers", 0, 0},
        {"15.625 ms ticks", 15'625, 0},
        {"15.625 ms ticks, a busy queue", 15'625, 50'000},
        {"55 ms ticks of older systems, a busy queue", 55'000, 50'000},
    };
    std::mt19937 random(20091123);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::uniform_int_distribution<std::int64_t> lateness(0, c.maxLatenessUs);
        std::uniform_int_distribution<int> millisecond(0, 999);
        SYSTEMTIME start = MakeTime(2009, 12, 31, 23, 30, 0);
        start.wMilliseconds = static_cast<WORD>(millisecond(random));
        const std::int64_t tickOrigin =
            std::uniform_int_distribution<std::int64_t>(0, 54'999)(random);

        timerModel = {c.granularityUs, tickOrigin, [&] { return lateness(random); }};
        Run(start, {host::Do([] { host::RecordDrawing(false); }), host::Advance(3600 * 1000),
                    host::Close()});
        ASSERT_FALSE(host::RanOutOfScript());

        // Frames: the first one and then one per second, each the next second.
        const auto& frames = host::Frames();
        ASSERT_EQ(frames.size(), 3601u);
        for (std::size_t i = 1; i < frames.size(); ++i) {
            const std::int64_t step =
                (SecondOfDay(frames[i].time) - SecondOfDay(frames[i - 1].time) + 86'400) % 86'400;
            ASSERT_EQ(step, 1) << "frame " << i << " shows a second "
                               << (step == 0 ? "twice" : "skipped");
        }

        // Each refresh runs at most a tick, the margin and the lateness after
        // its second began, and never before it. The system time itself moves
        // on only at each tick, so a refresh that ran off a tick (late, or the
        // first one, at the start) read a time up to a tick old and asked for
        // the next one up to a tick later: one more tick for those.
        const std::int64_t onTimeLimitUs =
            c.granularityUs + refreshMarginMs * 1000 + c.maxLatenessUs;
        const std::int64_t limitUs =
            onTimeLimitUs + (c.maxLatenessUs > 0 ? c.granularityUs : 0);
        const auto ticks = TimerRefreshes();
        ASSERT_EQ(ticks.size(), 3600u);
        std::int64_t latest = 0;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            const host::Delivery& tick = ticks[i];
            const std::int64_t intoSecond = tick.localUs % usPerSecond;
            if (i > 0) latest = std::max(latest, intoSecond);
            ASSERT_LE(intoSecond, i == 0 ? onTimeLimitUs + c.granularityUs : limitUs)
                << "at " << tick.localUs;
            ASSERT_GE(intoSecond, refreshMarginMs * 1000) << "at " << tick.localUs;
        }
        EXPECT_EQ(host::ActiveTimers(), 0);
        std::cout << "  " << c.what << ": first refresh " << ticks[0].localUs % usPerSecond / 1000.0
                  << " ms into its second, the latest after it " << latest / 1000.0
                  << " ms (limit " << limitUs / 1000.0 << " ms)\n";
    }
}

// The user sets the clock back or forward, or the machine sleeps: the next
// refresh still comes within about a second and shows the new time, and the
// ones after it follow the new second again.
TEST_F(SteadySeconds, ClockChangesAndSleepAreFollowedWithinASecond) {
    struct Case {
        const char* what;
        host::Step change;
    };
    const Case cases[] = {
        {"set back an hour", host::SetLocalClock(-3'600'000)},
        {"set forward a day and 0.3 s", host::SetLocalClock(86'400'300)},
        {"set back 0.7 s", host::SetLocalClock(-700)},
        {"asleep for three hours", host::Sleep(3 * 3'600'000 + 250)},
    };
    constexpr std::int64_t tickUs = 15'625;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SYSTEMTIME start = MakeTime(2009, 3, 28, 1, 59, 50);
        start.wMilliseconds = 123;
        std::int64_t changedAtUs = 0;
        std::int64_t localAtEndUs = 0;
        Run(start, {host::Advance(2000), c.change,
                    host::Do([&] { changedAtUs = host::NowMs() * 1000; }), host::Advance(5000),
                    host::Do([&] { localAtEndUs = host::LocalNowUs(); }), host::Close()});

        const auto ticks = TimerRefreshes();
        std::size_t first = 0;
        while (first < ticks.size() && ticks[first].monotonicUs < changedAtUs) ++first;
        ASSERT_LT(first + 4, ticks.size());
        EXPECT_LE(ticks[first].monotonicUs - changedAtUs, 1000 * (1000 + refreshMarginMs) + tickUs)
            << "the first refresh after the change";
        for (std::size_t i = first + 1; i < ticks.size(); ++i) {
            EXPECT_LE(ticks[i].localUs % usPerSecond, tickUs + refreshMarginMs * 1000)
                << "refresh " << i;
        }
        const std::int64_t secondAtEnd = localAtEndUs / usPerSecond % 86'400;
        const std::int64_t shown = SecondOfDay(host::Frames().back().time);
        EXPECT_LE((secondAtEnd - shown + 86'400) % 86'400, 1)
            << "the last frame is not the new time";
    }
}

class WholeFrames : public ProgramRun {
protected:
    static const host::GdiObject* Object(HGDIOBJ handle) {
        for (const host::GdiObject& object : host::GdiObjects()) {
            if (object.handle == handle) return &object;
        }
        return nullptr;
    }
};

// Each paint puts exactly one copy of the whole client area on the window
// and nothing else: no erase, no drawing in between.
TEST_F(WholeFrames, EachPaintReachesTheWindowAsOneCopy) {
    Run(MakeTime(2009, 4, 23, 14, 42, 9),
        {host::Advance(3000), host::Resize(800, 600), host::Advance(1000), host::Close()});
    ASSERT_GE(host::Frames().size(), 5u);
    for (std::size_t i = 0; i < host::Frames().size(); ++i) {
        SCOPED_TRACE(testing::Message() << "frame " << i);
        const host::Frame& frame = host::Frames()[i];
        const int width = i < 4 ? 474 : 784, height = i < 4 ? 241 : 561;
        ASSERT_EQ(frame.windowCalls.size(), 1u);
        const host::DrawCall& copy = frame.windowCalls[0];
        EXPECT_EQ(copy.op, host::Op::BitBlt);
        EXPECT_EQ(copy.x1, 0);
        EXPECT_EQ(copy.y1, 0);
        EXPECT_EQ(copy.x2, width);
        EXPECT_EQ(copy.y2, height);
        EXPECT_EQ(copy.sourceAt.x, 0);
        EXPECT_EQ(copy.sourceAt.y, 0);
        EXPECT_EQ(copy.rop, SRCCOPY);
        const host::GdiObject* bitmap = Object(copy.sourceBitmap);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->kind, host::GdiKind::Bitmap);
        EXPECT_FALSE(bitmap->stock);
        EXPECT_EQ(bitmap->width, width);
        EXPECT_EQ(bitmap->height, height);

        // Off-screen, the class's white fills the client area first, on a
        // device context in its default state.
        ASSERT_FALSE(frame.calls.empty());
        const host::DrawCall& fill = frame.calls[0];
        EXPECT_EQ(fill.op, host::Op::FillRect);
        EXPECT_EQ(fill.colour, RGB(255, 255, 255));
        EXPECT_EQ(fill.x2, width);
        EXPECT_EQ(fill.y2, height);
        EXPECT_EQ(fill.state.textColor, RGB(0, 0, 0));
        EXPECT_EQ(fill.state.bkColor, RGB(255, 255, 255));
        EXPECT_EQ(fill.state.bkMode, OPAQUE);
        EXPECT_EQ(fill.state.pen, GetStockObject(BLACK_PEN));
        EXPECT_EQ(fill.state.brush, GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(fill.state.bitmap, copy.sourceBitmap);
    }
}

// Off-screen, the painters make exactly the calls they make straight on a
// window's device context, in the same order and the same states.
TEST_F(WholeFrames, TheOffscreenPictureIsWhatThePaintersDrawOnAWindow) {
    std::size_t directFrame = 0;
    Run(MakeTime(2009, 4, 23, 14, 42, 9),
        {host::Do([&] {
             const HWND hwnd = host::Windows()[0].handle;
             SYSTEMTIME now;
             GetLocalTime(&now);
             PAINTSTRUCT paint;
             directFrame = host::Frames().size();
             const HDC hdc = BeginPaint(hwnd, &paint);
             PaintCalendarPanel(hdc, MainDisplayState(), now);
             PaintClockFace(hdc, MainDisplayState());
             EndPaint(hwnd, &paint);
         }),
         host::Close()});
    const auto& offscreen = host::Frames()[0].calls;
    const auto& direct = host::Frames()[directFrame].windowCalls;
    ASSERT_EQ(offscreen.size(), direct.size() + 1);  // and the background fill
    for (std::size_t i = 0; i < direct.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "call " << i);
        const host::DrawCall& a = offscreen[i + 1];
        const host::DrawCall& b = direct[i];
        ASSERT_EQ(a.op, b.op);
        EXPECT_EQ(a.x1, b.x1);
        EXPECT_EQ(a.y1, b.y1);
        EXPECT_EQ(a.x2, b.x2);
        EXPECT_EQ(a.y2, b.y2);
        EXPECT_EQ(a.colour, b.colour);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.state.textColor, b.state.textColor);
        EXPECT_EQ(a.state.bkColor, b.state.bkColor);
        EXPECT_EQ(a.state.bkMode, b.state.bkMode);
        EXPECT_EQ(Object(a.state.pen)->colour, Object(b.state.pen)->colour);
        EXPECT_EQ(Object(a.state.pen)->width, Object(b.state.pen)->width);
        EXPECT_EQ(Object(a.state.brush)->colour, Object(b.state.brush)->colour);
    }
}

// Over an hour of ticks, clicks and paints, every bitmap, pen and brush is
// deleted in the paint that made it, and no device context is left behind.
TEST_F(WholeFrames, AnHourLeavesNoObjectOrDeviceContextBehind) {
    std::vector<host::Step> steps;
    for (int minute = 0; minute < 60; ++minute) {
        steps.push_back(host::Click(minute % 2 ? host::Button::Left : host::Button::Right));
        steps.push_back(host::Advance(60'000));
        steps.push_back(host::Do([] { ASSERT_EQ(host::LiveDeviceContexts(), 0); }));
    }
    steps.push_back(host::Close());
    Run(MakeTime(2009, 12, 31, 23, 30, 0),
        {host::Do([&] {
            host::RecordDrawing(false);
            host::AddSteps(steps);
        })});
    ASSERT_FALSE(host::RanOutOfScript());
    ASSERT_EQ(host::Frames().size(), 3601u);
    EXPECT_EQ(host::LiveDeviceContexts(), 0);
    std::vector<int> bitmapsPerFrame(host::Frames().size(), 0);
    for (const host::GdiObject& object : host::GdiObjects()) {
        if (object.stock) continue;
        ASSERT_TRUE(object.deleted);
        ASSERT_FALSE(object.deletedWhileSelected);
        ASSERT_EQ(object.deletedInFrame, object.createdInFrame);
        if (object.kind == host::GdiKind::Bitmap) {
            ++bitmapsPerFrame[static_cast<std::size_t>(object.createdInFrame)];
        }
    }
    for (std::size_t i = 0; i < host::Frames().size(); ++i) {
        ASSERT_FALSE(host::Frames()[i].endedWithOwnObjectsSelected) << "frame " << i;
        ASSERT_EQ(bitmapsPerFrame[i], 1) << "frame " << i;
    }
}

// Without an off-screen bitmap the frame is still drawn, on the window
// itself, and the memory device context is not leaked.
TEST_F(WholeFrames, WithoutAnOffscreenBitmapTheFrameIsDrawnOnTheWindow) {
    EXPECT_EQ(Run(MakeTime(2009, 4, 23, 14, 42, 9), {host::Advance(1000), host::Close()},
                  host::Failure::OffscreenBitmap),
              0);
    ASSERT_EQ(host::Frames().size(), 2u);
    for (const host::Frame& frame : host::Frames()) {
        EXPECT_TRUE(frame.calls.empty());
        ASSERT_FALSE(frame.windowCalls.empty());
        EXPECT_EQ(frame.windowCalls.front().op, host::Op::FillRect);
        EXPECT_EQ(HeadingOf(frame.windowCalls), Heading(2009, 4));
    }
    EXPECT_EQ(host::LiveDeviceContexts(), 0);
}

}  // namespace
