// The main window's procedure: the refresh at each second, month navigation
// by mouse, wheel and keys with a click sound, and painting.
#pragma once

#include "core/display_state.h"
#include "platform/win32.h"

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The one display state of the program, shared by the refresh, the
// navigation and the painters.
DisplayState& MainDisplayState();

inline constexpr UINT_PTR refreshTimerId = 1;
