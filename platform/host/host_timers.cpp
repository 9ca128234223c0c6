// The clocks and window timers. Timers run on a monotonic clock and fire as
// Windows fires them: at the first system clock tick at or after they are
// due, later when the queue is busy, and a timer that keeps running counts
// its next period from the moment it fired. GetLocalTime reads the wall
// clock, which the user can move without touching the timers.
#include <algorithm>
#include <chrono>

#include "platform/host/host_world.h"

namespace host {
namespace detail {
namespace {

namespace chr = std::chrono;

constexpr std::int64_t usPerMs = 1000;
constexpr std::int64_t usPerDay = 86'400'000'000LL;
constexpr UINT minimumElapseMs = 10;  // shorter timers are lengthened to this
constexpr UINT maximumElapseMs = 0x7FFFFFFF;

std::int64_t UsFromSystemTime(const SYSTEMTIME& t) {
    const chr::sys_days day{chr::year{t.wYear} / chr::month{t.wMonth} / chr::day{t.wDay}};
    const std::int64_t ms = t.wHour * 3'600'000LL + t.wMinute * 60'000LL + t.wSecond * 1000LL +
                            t.wMilliseconds;
    return day.time_since_epoch().count() * usPerDay + ms * usPerMs;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// The system clock tick at or before `us`, and the one at or after it.
std::int64_t TickAtOrBefore(std::int64_t us) {
    const TimerModel& model = world().timerModel;
    if (model.granularityUs <= 0) return us;
    const std::int64_t origin = world().startUs + model.tickOriginUs;
    return origin + FloorDiv(us - origin, model.granularityUs) * model.granularityUs;
}

std::int64_t TickAtOrAfter(std::int64_t us) {
    const std::int64_t before = TickAtOrBefore(us);
    return before == us ? us : before + world().timerModel.granularityUs;
}

// When a timer due at `dueUs` fires: the first tick at or after it, then
// whatever lateness the test asks for.
std::int64_t FiringTime(std::int64_t dueUs) {
    const TimerModel& model = world().timerModel;
    std::int64_t at = TickAtOrAfter(dueUs);
    if (model.latenessUs) at += std::max<std::int64_t>(model.latenessUs(), 0);
    return at;
}

// Marks every timer whose time has come; its next period counts from now.
void FireDueTimers() {
    const std::int64_t now = world().monotonicUs;
    for (Window& window : world().windows) {
        for (auto& [id, timer] : window.timers) {
            if (timer.fireUs > now) continue;
            timer.pending = true;  // still one message, however many periods passed
            timer.fireUs = FiringTime(now + timer.elapseMs * usPerMs);
        }
    }
}

}  // namespace

void StartClocks(const SYSTEMTIME& start) {
    World& w = world();
    w.startUs = w.monotonicUs = w.advanceUntilUs = UsFromSystemTime(start);
    w.localShiftUs = 0;
}

std::int64_t LocalUs() { return world().monotonicUs + world().localShiftUs; }

std::optional<MSG> TakeDueTimer() {
    for (Window& window : world().windows) {
        for (auto& [id, timer] : window.timers) {
            if (timer.pending) {
                timer.pending = false;
                return MSG{window.record.handle, WM_TIMER, id, 0, 0, {0, 0}};
            }
        }
    }
    return std::nullopt;
}

bool LetTimePass() {
    World& w = world();
    if (w.monotonicUs >= w.advanceUntilUs) return false;
    std::int64_t next = w.advanceUntilUs;
    for (const Window& window : w.windows) {
        for (const auto& [id, timer] : window.timers) next = std::min(next, timer.fireUs);
    }
    w.monotonicUs = std::max(next, w.monotonicUs);
    FireDueTimers();
    return true;
}

}  // namespace detail

using namespace detail;

void SetTimerModel(TimerModel model) { world().timerModel = std::move(model); }

Step Advance(std::int64_t ms) {
    return [=] { world().advanceUntilUs = world().monotonicUs + ms * usPerMs; };
}

Step Sleep(std::int64_t ms) {
    return [=] {
        World& w = world();
        w.monotonicUs += ms * usPerMs;
        w.advanceUntilUs = std::max(w.advanceUntilUs, w.monotonicUs);
        FireDueTimers();
    };
}

Step SetLocalClock(std::int64_t shiftMs) {
    return [=] { world().localShiftUs += shiftMs * usPerMs; };
}

std::int64_t NowMs() { return FloorDiv(world().monotonicUs, usPerMs); }
std::int64_t LocalNowUs() { return LocalUs(); }

int ActiveTimers() {
    int count = 0;
    for (const Window& window : world().windows) count += static_cast<int>(window.timers.size());
    return count;
}

}  // namespace host

using namespace host;
using namespace host::detail;

// Setting a timer that exists replaces it: it counts from now again.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC) {
    const HostCall inHost;
    Say("SetTimer " + std::to_string(id) + " " + std::to_string(elapse));
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return 0;
    const UINT elapseMs = std::clamp(elapse, minimumElapseMs, maximumElapseMs);
    window->timers[id] =
        Timer{elapseMs, FiringTime(world().monotonicUs + elapseMs * usPerMs), false};
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    const HostCall inHost;
    Say("KillTimer " + std::to_string(id));
    Window* window = FindWindow(hwnd);
    return window != nullptr && window->timers.erase(id) == 1 ? TRUE : FALSE;
}

// The system time moves on at each clock tick, so it reads the last tick.
void GetLocalTime(SYSTEMTIME* time) {
    const HostCall inHost;
    const std::int64_t us = TickAtOrBefore(world().monotonicUs) + world().localShiftUs;
    const std::int64_t days = FloorDiv(us, usPerDay);
    const std::int64_t msOfDay = (us - days * usPerDay) / usPerMs;
    const chr::sys_days day{chr::days{days}};
    const chr::year_month_day date{day};
    *time = SYSTEMTIME{};
    time->wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time->wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time->wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time->wDayOfWeek = static_cast<WORD>(chr::weekday{day}.c_encoding());
    time->wHour = static_cast<WORD>(msOfDay / 3'600'000);
    time->wMinute = static_cast<WORD>(msOfDay / 60'000 % 60);
    time->wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
    time->wMilliseconds = static_cast<WORD>(msOfDay % 1000);
}
