// One whole frame: the background, the calendar panel and the clock face.
#pragma once

#include "core/display_state.h"
#include "platform/win32.h"

// Draws the frame into an off-screen bitmap and puts it on the window with
// one copy, so the window never shows a half-drawn picture. Should the
// bitmap not be available (the system out of GDI resources), it draws on the
// window directly rather than not at all.
void PaintFrame(HDC windowDc, const RECT& client, DisplayState& state, const SYSTEMTIME& now);
