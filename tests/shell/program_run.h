// Runs the whole program on the host layer: a fresh world at a chosen local
// time, a script of what the user and the clock do, and WinMain to the end.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/host/host_control.h"
#include "shell/window_proc.h"
#include "tests/core/test_time.h"

class ProgramRun : public testing::Test {
protected:
    // Starts the program at `start`, runs the steps, and returns WinMain's
    // exit code. The steps should end with host::Close(). A start on a whole
    // second (as MakeTime gives) is moved half a second on, so that each
    // host::Advance(1000) crosses exactly one turn of the second: one tick.
    int Run(const SYSTEMTIME& start, std::initializer_list<host::Step> steps,
            host::Failure failure = host::Failure::None) {
        SYSTEMTIME at = start;
        if (at.wMilliseconds == 0) at.wMilliseconds = 500;
        host::Reset(at);
        host::SetTimerModel(timerModel);
        host::Fail(failure);
        host::Script(steps);
        MainDisplayState() = DisplayState{};
        char commandLine[] = "";
        return WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL);
    }

    // How the platform's timers fire in the runs: Windows' default tick.
    host::TimerModel timerModel;

    static const host::Frame& LastFrame() { return host::Frames().back(); }

    static std::vector<host::DrawCall> CallsOf(const host::Frame& frame, host::Op op) {
        std::vector<host::DrawCall> calls;
        for (const host::DrawCall& call : frame.calls) {
            if (call.op == op) calls.push_back(call);
        }
        return calls;
    }

    static int Count(const std::string& logPrefix) {
        int count = 0;
        for (const std::string& line : host::Log()) {
            if (line.rfind(logPrefix, 0) == 0) ++count;
        }
        return count;
    }

    // The heading among drawing calls, as "year month".
    static std::string HeadingOf(const std::vector<host::DrawCall>& calls) {
        for (const host::DrawCall& call : calls) {
            if (call.op == host::Op::TextOut && call.x1 == 50 && call.y1 == 10) return call.text;
        }
        return "(no heading)";
    }

    static std::string HeadingOf(const host::Frame& frame) { return HeadingOf(frame.calls); }

    // Starts at 14:42:09.5 on 23 April 2009, gives the input, checks that it
    // repainted nothing, lets the next tick come and closes. Navigation then
    // shows in the second frame.
    void RunInputThenTick(const std::vector<host::Step>& input) {
        std::size_t framesBefore = 0;
        Run(MakeTime(2009, 4, 23, 14, 42, 9),
            {host::Do([&] {
                framesBefore = host::Frames().size();
                host::AddSteps(input);
                host::AddSteps({host::Do([&] { EXPECT_EQ(host::Frames().size(), framesBefore); }),
                                host::Advance(1000), host::Close()});
            })});
        EXPECT_FALSE(host::RanOutOfScript());
    }

    static std::string Heading(int year, int month) {
        const std::string y = std::to_string(year);
        const std::string m = std::to_string(month);
        return ToCp949(std::string(6 - y.size(), ' ') + y + " [년]  " +
                       std::string(3 - m.size(), ' ') + m + "[월]");
    }
};
