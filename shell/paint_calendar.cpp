#include "shell/paint_calendar.h"

#include "core/day_colours.h"
#include "shell/draw_text.h"

namespace {

struct Box {
    int left, top, right, bottom;
};

constexpr Box upperBar{0, 30, 220, 55};
constexpr Box lowerBar{0, 200, 220, 210};

constexpr POINT headingAt{50, 10};
constexpr POINT timeAt{45, 220};
constexpr int weekdayNamesY = 35;
constexpr int sundayX = 15;
constexpr int weekdaysX = 42;
constexpr int saturdayX = 180;

constexpr int rows = 6;
constexpr int columns = 7;

constexpr POINT CellTextAt(int row, int column) { return {28 * column + 15, 20 * row + 55}; }

constexpr Box TodayCircle(int row, int column) {
    return {28 * column + 11, 20 * row + 51, 28 * column + 35, 20 * row + 75};
}

void DrawGreyBars(HDC hdc) {
    const HBRUSH grey = CreateSolidBrush(barGrey);
    const HGDIOBJ previous = SelectObject(hdc, grey);
    Rectangle(hdc, upperBar.left, upperBar.top, upperBar.right, upperBar.bottom);
    Rectangle(hdc, lowerBar.left, lowerBar.top, lowerBar.right, lowerBar.bottom);
    SelectObject(hdc, previous);
    DeleteObject(grey);
}

// Opaque background: the names sit on the grey bar.
void DrawWeekdayNames(HDC hdc) {
    SetTextColor(hdc, red);
    SetBkColor(hdc, barGrey);
    DrawLabel(hdc, sundayX, weekdayNamesY, sundayLabel);
    SetTextColor(hdc, black);
    DrawLabel(hdc, weekdaysX, weekdayNamesY, weekdaysLabel);
    SetTextColor(hdc, blue);
    DrawLabel(hdc, saturdayX, weekdayNamesY, saturdayLabel);
}

void DrawDayCell(HDC hdc, DisplayState& state, const SYSTEMTIME& now, int row, int column) {
    const std::int32_t day = state.dayCells[static_cast<std::size_t>(columns * row + column)];
    if (day == 0) {
        return;
    }
    if (IsTodayCell(state.shownYear, state.shownMonth, day, now)) {
        // Drawn before the number, with the default pen and white brush.
        const Box circle = TodayCircle(row, column);
        Ellipse(hdc, circle.left, circle.top, circle.right, circle.bottom);
    }
    TextWriter(state.cellText).Int(day);
    if (const auto colour = DayTextColor(state.shownMonth, day, column)) {
        SetTextColor(hdc, *colour);
    }
    const POINT at = CellTextAt(row, column);
    DrawBufferText(hdc, at.x, at.y, state.cellText);
    SetTextColor(hdc, black);
}

}  // namespace

void PaintCalendarPanel(HDC hdc, DisplayState& state, const SYSTEMTIME& now) {
    DrawGreyBars(hdc);
    DrawBufferText(hdc, headingAt.x, headingAt.y, state.yearMonthText);
    DrawWeekdayNames(hdc);

    SetTextColor(hdc, black);
    SetBkMode(hdc, TRANSPARENT);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            DrawDayCell(hdc, state, now, row, column);
        }
    }
    DrawBufferText(hdc, timeAt.x, timeAt.y, state.timeText);
}
