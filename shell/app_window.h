// The application object: the main window, the message record the loop
// fills, and the window class.
#pragma once

#include "platform/win32.h"

class AppWindow {
public:
    // Registers the class, creates the window and shows it. False when the
    // class or the window could not be made.
    bool CreateMainWindow(HINSTANCE instance, LPCSTR name, int showCommand);

    // Dispatches messages until the quit message arrives (exit code 0) or
    // the platform reports an error while fetching one (exit code 1).
    int RunMessageLoop();

    HWND windowHandle{};
    MSG currentMessage{};
    WNDCLASSA windowClass{};
};

// The class's background: white, the stock brush, which needs no deleting.
inline HBRUSH WindowBackgroundBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

inline constexpr char appName[] = "Sorelan";
inline constexpr int appIconId = 101;
inline constexpr char cursorPath[] = ".\\Cursor\\Busy.ani";
inline constexpr char soundPath[] = ".\\Sound\\Sound.wav";
inline constexpr int windowWidth = 490;
inline constexpr int windowHeight = 280;
