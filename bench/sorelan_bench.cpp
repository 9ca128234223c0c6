// What one tick and one frame of the program's own code cost, and the
// month computation next to the same month through std::chrono's calendar.
#include <benchmark/benchmark.h>

#include <chrono>

#include "core/display_state.h"
#include "core/month_calculator.h"
#include "platform/host/host_control.h"
#include "shell/app_window.h"
#include "shell/paint_frame.h"

namespace {

SYSTEMTIME TimeOfTick(std::int64_t tick) {
    SYSTEMTIME now{};
    now.wYear = 2009;
    now.wMonth = static_cast<WORD>(tick / 60 % 12 + 1);
    now.wDay = static_cast<WORD>(tick % 28 + 1);
    now.wHour = static_cast<WORD>(tick / 3600 % 24);
    now.wMinute = static_cast<WORD>(tick / 60 % 60);
    now.wSecond = static_cast<WORD>(tick % 60);
    return now;
}

void BM_RefreshDisplayState(benchmark::State& state) {
    DisplayState display{};
    std::int64_t tick = 0;
    for (auto _ : state) {
        RefreshDisplayState(display, TimeOfTick(tick++));
        benchmark::DoNotOptimize(display);
    }
}
BENCHMARK(BM_RefreshDisplayState);

// A refresh and both painters into the host layer's device context, with
// drawing calls not recorded: the cost of our code and of the calls it makes.
void BM_Frame(benchmark::State& state) {
    host::Reset(TimeOfTick(0));
    host::RecordDrawing(false);
    AppWindow app;
    app.CreateMainWindow(nullptr, appName, SW_SHOWNORMAL);
    DisplayState display{};
    std::int64_t tick = 0;
    for (auto _ : state) {
        const SYSTEMTIME now = TimeOfTick(tick++);
        RefreshDisplayState(display, now);
        PAINTSTRUCT paint;
        const HDC hdc = BeginPaint(app.windowHandle, &paint);
        RECT client;
        GetClientRect(app.windowHandle, &client);
        PaintFrame(hdc, client, display, now);
        EndPaint(app.windowHandle, &paint);
        if (tick % 4096 == 0) {
            state.PauseTiming();
            host::ClearRecords();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Frame);

// Every month of 400 years, one per iteration.
struct YearMonthCursor {
    int index = 0;
    std::pair<int, int> Next() {
        index = (index + 1) % (400 * 12);
        return {1800 + index / 12, index % 12 + 1};
    }
};

void BM_MonthOurs(benchmark::State& state) {
    YearMonthCursor cursor;
    DayCells cells{};
    for (auto _ : state) {
        const auto [year, month] = cursor.Next();
        cells.fill(0);
        FillDayCells(cells, FirstWeekday(year, month), year, month);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_MonthOurs);

void BM_MonthChrono(benchmark::State& state) {
    namespace chr = std::chrono;
    YearMonthCursor cursor;
    DayCells cells{};
    for (auto _ : state) {
        const auto [year, month] = cursor.Next();
        const chr::year_month ym{chr::year{year}, chr::month{static_cast<unsigned>(month)}};
        const auto start = static_cast<int>(chr::weekday{chr::sys_days{ym / 1}}.c_encoding());
        const auto days = static_cast<int>(static_cast<unsigned>((ym / chr::last).day()));
        cells.fill(0);
        for (int day = 1; day <= days; ++day) cells[static_cast<std::size_t>(start + day - 1)] = day;
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_MonthChrono);

}  // namespace

BENCHMARK_MAIN();
