// The program's entry point: one window, one message loop.
#include "shell/app_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    AppWindow app;
    // With no window nothing would ever post the quit message: give up at
    // once instead of waiting forever.
    if (!app.CreateMainWindow(instance, appName, showCommand)) {
        return 1;
    }
    return app.RunMessageLoop();
}
