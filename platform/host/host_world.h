// The host layer's own state, shared by its parts: windows and messages,
// timers and clocks, device contexts and GDI objects. Not for tests; they
// use host_control.h.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/host_control.h"

namespace host::detail {

struct Timer {
    UINT elapseMs;
    std::int64_t fireUs;  // monotonic time of its next WM_TIMER
    bool pending;         // a WM_TIMER is waiting to be taken
};

struct Window {
    WindowRecord record;
    WNDPROC procedure;
    WNDCLASSA windowClass;
    bool invalid = false;
    bool eraseRequested = false;
    std::map<UINT_PTR, Timer> timers;
};

struct DeviceContext {
    HDC handle;
    bool memory;    // made by CreateCompatibleDC; else a window's, from BeginPaint
    int frame;      // the paint it belongs to, -1 outside a paint
    DcState state;
    bool released = false;
};

struct World {
    std::int64_t startUs = 0;      // the monotonic time the world started at
    std::int64_t monotonicUs = 0;  // the clock timers run on
    std::int64_t localShiftUs = 0;  // local time = monotonic time + shift
    std::int64_t advanceUntilUs = 0;  // time keeps passing until here while the program waits
    TimerModel timerModel;
    Failure failure = Failure::None;
    std::map<std::string, WNDCLASSA> classes;
    std::vector<std::string> classNames;  // keeps the names the classes point at alive
    std::vector<Window> windows;
    std::deque<MSG> queue;
    std::optional<int> quitCode;
    std::deque<Step> script;
    bool ranOutOfScript = false;
    bool recordDrawing = true;
    bool controlDown = false;
    std::vector<Frame> frames;
    std::vector<GdiObject> gdiObjects;
    std::vector<DeviceContext> deviceContexts;
    std::vector<std::size_t> liveDeviceContexts;  // indices of those not yet released
    std::optional<int> paintFrame;  // the frame of the paint under way
    std::vector<Sound> sounds;
    std::vector<Delivery> deliveries;
    std::vector<std::string> log;
    std::string cursorFile;
};

inline World& world() {
    static World instance;
    return instance;
}

// How deep the current call is inside this layer, so that a test can tell
// the program's own work (allocations, say) from ours.
inline int hostDepth = 0;

// Marks a call into this layer.
struct HostCall {
    HostCall() { ++hostDepth; }
    ~HostCall() { --hostDepth; }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
};

// Runs program code (a window procedure) from inside this layer.
struct ProgramCall {
    ProgramCall() : saved(hostDepth) { hostDepth = 0; }
    ~ProgramCall() { hostDepth = saved; }
    ProgramCall(const ProgramCall&) = delete;
    ProgramCall& operator=(const ProgramCall&) = delete;

private:
    int saved;
};

// Handles are small numbers in pointer clothing: windows from 0x1000, GDI
// objects from 0x2000, device contexts from 0x100000.
inline constexpr std::uintptr_t windowBase = 0x1000;
inline constexpr std::uintptr_t gdiBase = 0x2000;
inline constexpr std::uintptr_t dcBase = 0x100000;

template <typename Handle>
Handle MakeHandle(std::uintptr_t base, std::size_t index) {
    return reinterpret_cast<Handle>(base + index);
}

template <typename Handle>
std::optional<std::size_t> IndexOf(Handle handle, std::uintptr_t base, std::size_t count) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value < base || value >= base + count) return std::nullopt;
    return value - base;
}

Window* FindWindow(HWND hwnd);
HWND MainWindow();
RECT ClientRectOf(const Window& window);
void Say(std::string line);
void Post(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool sent);

// Timers and clocks (host_timers.cpp).
void StartClocks(const SYSTEMTIME& start);
std::int64_t LocalUs();
std::optional<MSG> TakeDueTimer();
bool LetTimePass();  // moves time to the next event; false when no time is left to pass

// Device contexts and GDI objects (host_gdi.cpp).
void AddStockObjects();
GdiObject* FindObject(HGDIOBJ object);
void Record(HDC hdc, Op op, int x1, int y1, int x2, int y2, COLORREF colour = 0,
            std::string text = {});
void ForgetReleasedGdi();

}  // namespace host::detail
