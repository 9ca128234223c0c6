// Whole runs of the program on the host layer: start-up, the one-second
// tick, clicks, closing, and what happens when the platform fails.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/app_window.h"
#include "tests/shell/program_run.h"

namespace {

using host::Advance;
using host::Button;
using host::Click;
using host::Close;

const SYSTEMTIME april23 = MakeTime(2009, 4, 23, 14, 42, 9);

class ProgramFlow : public ProgramRun {};

TEST_F(ProgramFlow, StartsWithTheClassAndWindowAndPaintsTheCurrentMonthAtOnce) {
    EXPECT_EQ(Run(april23, {Close()}), 0);

    const WNDCLASSA* windowClass = host::RegisteredClass("Sorelan");
    ASSERT_NE(windowClass, nullptr);
    EXPECT_EQ(windowClass->style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(windowClass->lpfnWndProc, &MainWindowProc);
    EXPECT_EQ(windowClass->cbClsExtra, 0);
    EXPECT_EQ(windowClass->cbWndExtra, 0);
    EXPECT_NE(windowClass->hIcon, nullptr);
    EXPECT_NE(windowClass->hCursor, nullptr);
    EXPECT_EQ(windowClass->hbrBackground, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(windowClass->lpszMenuName, nullptr);
    EXPECT_EQ(Count("LoadIconA 101"), 1);
    EXPECT_EQ(host::CursorFile(), ".\\Cursor\\Busy.ani");

    ASSERT_EQ(host::Windows().size(), 1u);
    const host::WindowRecord& window = host::Windows()[0];
    EXPECT_EQ(window.className, "Sorelan");
    EXPECT_EQ(window.title, "Sorelan");
    EXPECT_EQ(window.style, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(window.x, CW_USEDEFAULT);
    EXPECT_EQ(window.y, CW_USEDEFAULT);
    EXPECT_EQ(window.width, 490);
    EXPECT_EQ(window.height, 280);
    EXPECT_EQ(window.showCommand, SW_SHOWNORMAL);

    // The timer starts and the first refresh runs inside WM_CREATE, so the
    // first paint, with no tick yet, already shows the month and the time;
    // the timer is set for just after the next second (the start is at .500).
    ASSERT_GE(host::Deliveries().size(), 2u);
    EXPECT_EQ(host::Deliveries()[0].message, WM_CREATE);
    EXPECT_EQ(host::Deliveries()[1].message, WM_TIMER);
    EXPECT_TRUE(host::Deliveries()[1].sent);
    ASSERT_GE(Count("SetTimer 1 "), 1);
    EXPECT_EQ(Count("SetTimer 1 505"), Count("SetTimer 1 "));
    ASSERT_EQ(host::Frames().size(), 1u);
    EXPECT_EQ(HeadingOf(host::Frames()[0]), Heading(2009, 4));
    EXPECT_EQ(host::Frames()[0].time.wSecond, 9);
}

TEST_F(ProgramFlow, RepaintsEverySecondWithTheTime) {
    Run(april23, {Advance(1000), Advance(1000), Advance(59'000), Close()});
    ASSERT_EQ(host::Frames().size(), 62u);
    for (std::size_t i = 0; i < host::Frames().size(); ++i) {
        const int second = 42 * 60 + 9 + static_cast<int>(i);
        const std::string expected =
            "14:" + std::to_string(second / 60) + ":" + std::to_string(second % 60);
        std::string drawn = "(none)";
        for (const host::DrawCall& call : CallsOf(host::Frames()[i], host::Op::TextOut)) {
            if (call.x1 == 45 && call.y1 == 220) drawn = call.text.substr(call.text.find(' ') + 1);
        }
        ASSERT_EQ(drawn, expected) << "frame " << i;
    }
}

TEST_F(ProgramFlow, AClickMovesTheMonthAtTheNextTickAndPlaysTheSoundOnce) {
    std::size_t framesAtClick = 0;
    int invalidationsAtClick = 0;
    Run(april23, {host::Do([&] {
                      framesAtClick = host::Frames().size();
                      invalidationsAtClick = Count("InvalidateRect");
                  }),
                  Click(Button::Left),
                  host::Do([&] {
                      // The click itself neither refreshes nor repaints.
                      EXPECT_EQ(host::Frames().size(), framesAtClick);
                      EXPECT_EQ(Count("InvalidateRect"), invalidationsAtClick);
                      EXPECT_EQ(MainDisplayState().shownMonth, 4);
                      EXPECT_EQ(host::Sounds().size(), 1u);
                  }),
                  Advance(1000), Close()});

    ASSERT_EQ(host::Sounds().size(), 1u);
    EXPECT_EQ(host::Sounds()[0].path, ".\\Sound\\Sound.wav");
    EXPECT_EQ(host::Sounds()[0].module, nullptr);
    EXPECT_EQ(host::Sounds()[0].flags, SND_ASYNC);
    ASSERT_EQ(host::Frames().size(), 2u);
    EXPECT_EQ(HeadingOf(host::Frames()[1]), Heading(2009, 3));
}

TEST_F(ProgramFlow, ClicksWithinOneTickAllCount) {
    struct Case {
        const char* what;
        std::vector<host::Step> clicks;
        int year, month;
        std::size_t sounds;
    };
    const Case cases[] = {
        {"two left clicks", {Click(Button::Left), Click(Button::Left)}, 2009, 2, 2},
        {"a double click", {host::DoubleClick(Button::Left)}, 2009, 2, 2},
        {"a right click", {Click(Button::Right)}, 2009, 5, 1},
        {"four left clicks", {Click(Button::Left), Click(Button::Left), Click(Button::Left),
                              Click(Button::Left)}, 2008, 12, 4},
        {"nine right clicks", std::vector<host::Step>(9, Click(Button::Right)), 2010, 1, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunInputThenTick(c.clicks);
        EXPECT_EQ(host::Sounds().size(), c.sounds);
        ASSERT_EQ(host::Frames().size(), 2u);
        EXPECT_EQ(HeadingOf(host::Frames()[1]), Heading(c.year, c.month));
    }
}

TEST_F(ProgramFlow, ButtonUpAndOtherKeysGetOnlyTheDefaultHandling) {
    Run(april23,
        {host::Do([] {
             PostMessageA(host::Windows()[0].handle, WM_LBUTTONUP, 0, 0);
             PostMessageA(host::Windows()[0].handle, WM_RBUTTONUP, 0, 0);
         }),
         host::Key(VK_UP), host::Key(VK_DOWN), host::Key(VK_END), host::Key('A'),
         host::Key(VK_LEFT, true, 0) /* Ctrl+Left is still Left */, Advance(1000), Close()});
    EXPECT_EQ(host::Sounds().size(), 1u);
    EXPECT_EQ(MainDisplayState().yearOffset, 0);
    EXPECT_EQ(MainDisplayState().monthOffset, -1);
    EXPECT_EQ(host::Frames().size(), 2u);  // the first paint and the tick, nothing else
    EXPECT_EQ(HeadingOf(LastFrame()), Heading(2009, 3));
}

// Keys, the wheel and the middle button move like the clicks: the offsets
// only, with one click sound per step, and the new month at the next tick.
TEST_F(ProgramFlow, KeysWheelAndMiddleButtonNavigate) {
    using host::Key;
    using host::Wheel;
    struct Case {
        const char* what;
        std::vector<host::Step> input;
        int year, month;
        std::size_t sounds;
    };
    const Case cases[] = {
        {"Left", {Key(VK_LEFT)}, 2009, 3, 1},
        {"Page Up", {Key(VK_PRIOR)}, 2009, 3, 1},
        {"Right", {Key(VK_RIGHT)}, 2009, 5, 1},
        {"Page Down", {Key(VK_NEXT)}, 2009, 5, 1},
        {"Ctrl+Page Up", {Key(VK_PRIOR, true)}, 2008, 4, 1},
        {"Ctrl+Page Down twice", {Key(VK_NEXT, true), Key(VK_NEXT, true)}, 2011, 4, 2},
        {"Left held for four repeats", {Key(VK_LEFT, false, 4)}, 2008, 11, 5},
        {"Left three times, then Home",
         {Key(VK_LEFT), Key(VK_LEFT), Key(VK_LEFT), Key(VK_HOME)}, 2009, 4, 4},
        {"Home on the current month", {Key(VK_HOME)}, 2009, 4, 1},
        {"two right clicks, then the middle button",
         {Click(Button::Right), Click(Button::Right), Click(Button::Middle)}, 2009, 4, 3},
        {"the middle button on the current month", {Click(Button::Middle)}, 2009, 4, 1},
        {"a notch up", {Wheel(WHEEL_DELTA)}, 2009, 3, 1},
        {"two notches down at once", {Wheel(-2 * WHEEL_DELTA)}, 2009, 6, 2},
        {"three thirds of a notch up", {Wheel(40), Wheel(40), Wheel(40)}, 2009, 3, 1},
        {"half a notch up, then half down", {Wheel(60), Wheel(-60)}, 2009, 4, 0},
        {"a year of notches up", std::vector<host::Step>(12, Wheel(WHEEL_DELTA)), 2008, 4, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunInputThenTick(c.input);
        EXPECT_EQ(host::Sounds().size(), c.sounds);
        ASSERT_EQ(host::Frames().size(), 2u);
        EXPECT_EQ(HeadingOf(host::Frames()[1]), Heading(c.year, c.month));
    }
}

TEST_F(ProgramFlow, AltF4StillClosesTheWindowWithExitCodeZero) {
    EXPECT_EQ(Run(april23, {host::Do([] {
                      PostMessageA(host::Windows()[0].handle, WM_SYSKEYDOWN, VK_F4, 1 << 29);
                  })}),
              0);
    EXPECT_FALSE(host::RanOutOfScript());
    EXPECT_TRUE(host::Windows()[0].destroyed);
    EXPECT_TRUE(host::Sounds().empty());
}

TEST_F(ProgramFlow, ClosingStopsTheTimerAndEndsWithExitCodeZero) {
    EXPECT_EQ(Run(april23, {Advance(1000), Close()}), 0);
    EXPECT_FALSE(host::RanOutOfScript());
    EXPECT_EQ(Count("KillTimer 1"), 1);
    EXPECT_EQ(Count("PostQuitMessage 0"), 1);
    EXPECT_EQ(host::ActiveTimers(), 0);
    EXPECT_TRUE(host::Windows()[0].destroyed);
}

TEST_F(ProgramFlow, ResizingRepaintsAtTheSamePositions) {
    Run(april23, {host::Resize(800, 600), host::Resize(200, 100), Close()});
    ASSERT_EQ(host::Frames().size(), 3u);
    for (std::size_t i = 1; i < 3; ++i) {
        const auto& before = host::Frames()[0].calls;
        const auto& after = host::Frames()[i].calls;
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t call = 1; call < before.size(); ++call) {  // past the erase
            EXPECT_EQ(after[call].op, before[call].op);
            EXPECT_EQ(after[call].x1, before[call].x1);
            EXPECT_EQ(after[call].y1, before[call].y1);
            EXPECT_EQ(after[call].text, before[call].text);
        }
    }
}

TEST_F(ProgramFlow, ARealMonthEndWithAnOffsetSetShowsARealMonth) {
    // Right click on 30 November, then the clock passes midnight into
    // December: the calendar keeps its distance and shows January 2010.
    Run(MakeTime(2009, 11, 30, 23, 59, 58), {Click(Button::Right), Advance(1000), Advance(1000),
                                             Advance(1000), Close()});
    ASSERT_EQ(host::Frames().size(), 4u);
    EXPECT_EQ(HeadingOf(host::Frames()[1]), Heading(2009, 12));
    EXPECT_EQ(HeadingOf(host::Frames()[3]), Heading(2010, 1));
    EXPECT_EQ(CallsOf(host::Frames()[3], host::Op::TextOut).size(), 1u + 3 + 31 + 1 + 1 + 4);
}

TEST_F(ProgramFlow, WithoutItsCursorFileTheWindowStillOpens) {
    EXPECT_EQ(Run(april23, {Advance(1000), Close()}, host::Failure::LoadCursor), 0);
    EXPECT_EQ(host::RegisteredClass("Sorelan")->hCursor, nullptr);
    EXPECT_EQ(host::Frames().size(), 2u);
}

// With no class or no window nothing could ever end the message loop: the
// program gives up at once with a failure exit code instead of waiting.
TEST_F(ProgramFlow, FailingToMakeTheWindowEndsAtOnceWithAFailureCode) {
    for (const host::Failure failure : {host::Failure::RegisterClass, host::Failure::CreateWindow}) {
        EXPECT_NE(Run(april23, {Close()}, failure), 0);
        EXPECT_FALSE(host::RanOutOfScript()) << "the program waited for messages";
        EXPECT_TRUE(host::Frames().empty());
    }
}

TEST_F(ProgramFlow, AnErrorFromGetMessageEndsTheLoopWithAFailureCode) {
    EXPECT_NE(Run(april23, {Close()}, host::Failure::GetMessage), 0);
    EXPECT_FALSE(host::RanOutOfScript());
}

}  // namespace
