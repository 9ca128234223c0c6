#include "shell/window_proc.h"

#include "core/navigation.h"
#include "core/refresh_schedule.h"
#include "shell/app_window.h"
#include "shell/paint_frame.h"

namespace {

DisplayState displayState{};

// Each refresh sets the timer again for just after the next second begins,
// counted from the time it has just read: re-arming the one timer keeps the
// display on the wall clock's second, where a free-running period would
// drift through the second and now and then skip one or show one twice.
void ScheduleNextRefresh(HWND hwnd, const SYSTEMTIME& now) {
    SetTimer(hwnd, refreshTimerId, NextRefreshDelayMs(now), nullptr);
}

// The first refresh runs at once, before the first paint, and starts the
// timer for the next second.
LRESULT OnCreate(HWND hwnd) {
    SendMessageA(hwnd, WM_TIMER, refreshTimerId, 0);
    return 0;
}

LRESULT OnDestroy(HWND hwnd) {
    KillTimer(hwnd, refreshTimerId);
    PostQuitMessage(0);
    return 0;
}

// The paint covers the whole client area, so nothing needs erasing first.
LRESULT OnTimer(HWND hwnd, const SYSTEMTIME& now) {
    RefreshDisplayState(displayState, now);
    ScheduleNextRefresh(hwnd, now);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

// The background is part of the off-screen frame: erasing the window first
// would show white between the erase and the copy.
LRESULT OnEraseBackground() { return 1; }

LRESULT OnPaint(HWND hwnd, const SYSTEMTIME& now) {
    PAINTSTRUCT paint;
    const HDC hdc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    PaintFrame(hdc, client, displayState, now);
    EndPaint(hwnd, &paint);
    return 0;
}

// Navigation only moves the offsets; the new month shows at the next tick.
void PlayClickSound() { PlaySoundA(soundPath, nullptr, SND_ASYNC); }

LRESULT OnLeftButtonDown(const SYSTEMTIME& now) {
    ShowPreviousMonth(displayState, now);
    PlayClickSound();
    return 0;
}

LRESULT OnRightButtonDown(const SYSTEMTIME& now) {
    ShowNextMonth(displayState, now);
    PlayClickSound();
    return 0;
}

// The middle button goes back to the current month.
LRESULT OnMiddleButtonDown() {
    ShowCurrentMonth(displayState);
    PlayClickSound();
    return 0;
}

// A month per notch: away from the user goes back, towards the user forward.
LRESULT OnMouseWheel(WPARAM wParam, const SYSTEMTIME& now) {
    const std::int32_t months = ScrollMonths(displayState, now, GET_WHEEL_DELTA_WPARAM(wParam));
    for (std::int32_t i = 0; i < months; ++i) PlayClickSound();
    return 0;
}

// Left and Page Up go a month back, Right and Page Down a month forward, a
// year with Ctrl on the page keys; Home comes back to the current month. A
// held key repeats, each repeat a step. Other keys get the default handling.
LRESULT OnKeyDown(HWND hwnd, WPARAM key, LPARAM lParam, const SYSTEMTIME& now) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    DisplayState& state = displayState;
    switch (key) {
        case VK_LEFT: ShowPreviousMonth(state, now); break;
        case VK_RIGHT: ShowNextMonth(state, now); break;
        case VK_PRIOR: ctrl ? ShowPreviousYear(state, now) : ShowPreviousMonth(state, now); break;
        case VK_NEXT: ctrl ? ShowNextYear(state, now) : ShowNextMonth(state, now); break;
        case VK_HOME: ShowCurrentMonth(state); break;
        default: return DefWindowProcA(hwnd, WM_KEYDOWN, key, lParam);
    }
    PlayClickSound();
    return 0;
}

}  // namespace

DisplayState& MainDisplayState() { return displayState; }

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    switch (message) {
        case WM_CREATE: return OnCreate(hwnd);
        case WM_DESTROY: return OnDestroy(hwnd);
        case WM_ERASEBKGND: return OnEraseBackground();
        case WM_PAINT: return OnPaint(hwnd, now);
        case WM_TIMER: return OnTimer(hwnd, now);
        case WM_LBUTTONDOWN: return OnLeftButtonDown(now);
        case WM_RBUTTONDOWN: return OnRightButtonDown(now);
        case WM_MBUTTONDOWN: return OnMiddleButtonDown();
        case WM_MOUSEWHEEL: return OnMouseWheel(wParam, now);
        case WM_KEYDOWN: return OnKeyDown(hwnd, wParam, lParam, now);
        default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
