#include "shell/paint_frame.h"

#include "shell/app_window.h"
#include "shell/paint_calendar.h"
#include "shell/paint_clock.h"

namespace {

// The background in the class's brush, then one pass, calendar first: the
// clock relies on the text settings the calendar leaves behind.
void DrawFrame(HDC hdc, const RECT& client, DisplayState& state, const SYSTEMTIME& now) {
    FillRect(hdc, &client, WindowBackgroundBrush());
    PaintCalendarPanel(hdc, state, now);
    PaintClockFace(hdc, state);
}

}  // namespace

void PaintFrame(HDC windowDc, const RECT& client, DisplayState& state, const SYSTEMTIME& now) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) {
        return;  // nothing of the window shows
    }

    const HDC memoryDc = CreateCompatibleDC(windowDc);
    const HBITMAP bitmap =
        memoryDc != nullptr ? CreateCompatibleBitmap(windowDc, width, height) : nullptr;
    if (bitmap == nullptr) {
        if (memoryDc != nullptr) DeleteDC(memoryDc);
        DrawFrame(windowDc, client, state, now);
        return;
    }

    const HGDIOBJ previousBitmap = SelectObject(memoryDc, bitmap);
    DrawFrame(memoryDc, client, state, now);
    BitBlt(windowDc, client.left, client.top, width, height, memoryDc, client.left, client.top,
           SRCCOPY);
    SelectObject(memoryDc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
}
