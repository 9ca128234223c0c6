// The program allocates nothing on the heap: every global allocation in
// this test program is counted, and ticks, clicks and paints must add none.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/display_state.h"
#include "core/navigation.h"
#include "platform/host/host_control.h"
#include "shell/window_proc.h"
#include "tests/core/test_time.h"

#include "tests/counting_new.h"

namespace {

TEST(Allocation, TicksAndClicksAllocateNothing) {
    DisplayState state{};
    const long before = allocations.load();
    for (int tick = 0; tick < 10'000; ++tick) {
        const SYSTEMTIME now = MakeTime(2009 + tick / 3600, tick / 300 % 12 + 1, tick % 28 + 1,
                                        tick / 60 % 24, tick % 60, tick % 60);
        if (tick % 3 == 0) ShowPreviousMonth(state, now);
        if (tick % 7 == 0) ShowNextMonth(state, now);
        RefreshDisplayState(state, now);
    }
    EXPECT_EQ(allocations.load() - before, 0);
}

// A whole hour of the real shell on the host layer: every tick refreshes
// and paints, and random clicks navigate. The host layer records all of it
// (and allocates for that); the program's own code must allocate nothing.
TEST(Allocation, AnHourOfTicksClicksAndPaintsAllocatesNothingInTheProgram) {
    std::mt19937 random(7);
    std::vector<host::Step> steps;
    for (int second = 0; second < 3600; ++second) {
        if (random() % 4 == 0) {
            steps.push_back(host::Click(random() % 2 ? host::Button::Left : host::Button::Right));
        }
        steps.push_back(host::Advance(1000));
        if (second % 600 == 0) steps.push_back(host::Do([] { host::ClearRecords(); }));
    }
    steps.push_back(host::Close());

    host::Reset(MakeTime(2009, 12, 31, 23, 30, 0));
    host::Script({host::Do([&] { host::AddSteps(steps); })});
    MainDisplayState() = DisplayState{};
    char commandLine[] = "";

    programAllocations = 0;
    countingProgram = true;
    const int exitCode = WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL);
    countingProgram = false;

    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(host::RanOutOfScript());
    EXPECT_GT(host::Frames().size(), 500u);  // the last stretch since the records were cleared
    EXPECT_EQ(programAllocations.load(), 0);
}

TEST(Allocation, TheCounterSeesAllocations) {
    const long before = allocations.load();
    ::operator delete(::operator new(16));  // a call the compiler cannot elide
    EXPECT_EQ(allocations.load() - before, 1);

    // Program code is counted, host code is not.
    programAllocations = 0;
    countingProgram = true;
    ::operator delete(::operator new(16));
    PlaySoundA("recorded by the host layer", nullptr, 0);
    countingProgram = false;
    EXPECT_EQ(programAllocations.load(), 1);
}

}  // namespace
