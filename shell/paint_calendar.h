// The left part of the window: heading, weekday bar, day grid, time.
#pragma once

#include "core/display_state.h"
#include "platform/win32.h"

// Leaves the device context with black text, grey background colour and
// transparent background mode, which the clock face relies on.
void PaintCalendarPanel(HDC hdc, DisplayState& state, const SYSTEMTIME& now);

inline constexpr COLORREF barGrey = 0x00C8C8C8;
