// The right part of the window: dial ring, hands, seconds, hour labels.
#pragma once

#include "core/display_state.h"
#include "platform/win32.h"

// Expects black text in transparent mode, as the calendar panel leaves it.
void PaintClockFace(HDC hdc, const DisplayState& state);
