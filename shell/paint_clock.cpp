#include "shell/paint_clock.h"

#include "core/day_colours.h"
#include "shell/draw_text.h"

namespace {

struct HandPen {
    int width;
    COLORREF colour;
};

constexpr HandPen hourPen{6, red};
constexpr HandPen minutePen{4, blue};
constexpr HandPen secondPen{2, green};

void DrawDialRing(HDC hdc) {
    for (std::int32_t degree = 0; degree < dialDotCount; ++degree) {
        const Point dot = DialPoint(degree);
        SetPixel(hdc, dot.x, dot.y, blue);
    }
}

// A line from the centre to the tip with a pen of its own; the seconds
// text, when given, is written at the tip before the pen is released.
void DrawHand(HDC hdc, HandPen handPen, Point tip, const TextBuffer* tipText = nullptr) {
    const HPEN pen = CreatePen(PS_SOLID, handPen.width, handPen.colour);
    const HGDIOBJ previous = SelectObject(hdc, pen);
    MoveToEx(hdc, clockCentre.x, clockCentre.y, nullptr);
    LineTo(hdc, tip.x, tip.y);
    if (tipText != nullptr) {
        DrawBufferText(hdc, tip.x, tip.y, *tipText);
    }
    SelectObject(hdc, previous);
    DeleteObject(pen);
}

void DrawHourLabels(HDC hdc) {
    DrawLabel(hdc, 340, 5, twelveLabel);
    DrawLabel(hdc, 340, 225, sixLabel);
    DrawLabel(hdc, 455, 115, threeLabel);
    DrawLabel(hdc, 225, 115, nineLabel);
}

}  // namespace

// Later drawing covers earlier: minute over hour, second over both, labels last.
void PaintClockFace(HDC hdc, const DisplayState& state) {
    DrawDialRing(hdc);
    DrawHand(hdc, hourPen, state.hourTip);
    DrawHand(hdc, minutePen, state.minuteTip);
    DrawHand(hdc, secondPen, state.secondTip, &state.secondText);
    DrawHourLabels(hdc);
}
