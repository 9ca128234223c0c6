#include "shell/window_proc.h"

#include "core/navigation.h"
#include "shell/app_window.h"
#include "shell/paint_calendar.h"
#include "shell/paint_clock.h"

namespace {

DisplayState displayState{};

LRESULT OnCreate(HWND hwnd) {
    SetTimer(hwnd, refreshTimerId, refreshPeriodMs, nullptr);
    SendMessageA(hwnd, WM_TIMER, refreshTimerId, 0);  // the first refresh, before the first paint
    return 0;
}

LRESULT OnDestroy(HWND hwnd) {
    KillTimer(hwnd, refreshTimerId);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnTimer(HWND hwnd, const SYSTEMTIME& now) {
    RefreshDisplayState(displayState, now);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnPaint(HWND hwnd, const SYSTEMTIME& now) {
    PAINTSTRUCT paint;
    const HDC hdc = BeginPaint(hwnd, &paint);
    // One pass, calendar first: the clock relies on the text settings the
    // calendar leaves behind.
    PaintCalendarPanel(hdc, displayState, now);
    PaintClockFace(hdc, displayState);
    EndPaint(hwnd, &paint);
    return 0;
}

// A click only moves the offsets; the new month shows at the next tick.
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

}  // namespace

DisplayState& MainDisplayState() { return displayState; }

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    switch (message) {
        case WM_CREATE: return OnCreate(hwnd);
        case WM_DESTROY: return OnDestroy(hwnd);
        case WM_PAINT: return OnPaint(hwnd, now);
        case WM_TIMER: return OnTimer(hwnd, now);
        case WM_LBUTTONDOWN: return OnLeftButtonDown(now);
        case WM_RBUTTONDOWN: return OnRightButtonDown(now);
        default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
