#include "shell/app_window.h"

#include "shell/window_proc.h"

bool AppWindow::CreateMainWindow(HINSTANCE instance, LPCSTR name, int showCommand) {
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(appIconId));
    // Without the cursor file the class simply has no cursor of its own.
    windowClass.hCursor = LoadCursorFromFileA(cursorPath);
    windowClass.hbrBackground = WindowBackgroundBrush();
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = name;
    if (RegisterClassA(&windowClass) == 0) {
        return false;
    }

    // WM_CREATE arrives inside this call; it starts the timer and the first
    // refresh, so the first paint already shows the current month and time.
    windowHandle = CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                   CW_USEDEFAULT, windowWidth, windowHeight, nullptr, nullptr,
                                   instance, nullptr);
    if (windowHandle == nullptr) {
        return false;
    }
    ShowWindow(windowHandle, showCommand);
    return true;
}

int AppWindow::RunMessageLoop() {
    for (;;) {
        const BOOL got = GetMessageA(&currentMessage, nullptr, 0, 0);
        if (got == 0) {
            return 0;
        }
        if (got == -1) {
            return 1;
        }
        TranslateMessage(&currentMessage);
        DispatchMessageA(&currentMessage);
    }
}
