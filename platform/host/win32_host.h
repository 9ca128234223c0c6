// Our own small stand-in for the Win32 operations the shell uses, so that the
// shell builds and runs on Linux under test. It is written from the effects
// the shell relies on, not from the platform's headers:
//
// - one thread, one message queue; SendMessageA calls the procedure at once;
//   GetKeyState follows the key messages as the loop takes them;
// - CreateWindowExA delivers WM_CREATE before it returns;
// - timers run on a monotonic clock the test advances and fire as Windows
//   fires them: at the first system clock tick at or after they are due,
//   later still when a test makes the queue busy; GetLocalTime reads a wall
//   clock the test can also set on its own;
// - InvalidateRect leads to one WM_PAINT once the window is visible, and
//   BeginPaint sends WM_ERASEBKGND when the update asks for erasing;
// - default handling turns WM_CLOSE into WM_DESTROY and erases backgrounds;
// - device contexts (the window's while painting, and memory ones) record
//   every drawing call with the state it was made in, and a table keeps
//   every GDI object created, selected and deleted.
//
// The layer is split by concern: host_messages.cpp (windows, messages,
// input), host_timers.cpp (timers and the clocks), host_gdi.cpp (device
// contexts and GDI objects). What a test inspects and scripts lives in
// namespace host (host_control.h).
#pragma once

#include <cstdint>

#include "platform/systemtime.h"

using BYTE = std::uint8_t;
using UINT = unsigned int;
using BOOL = int;
using ATOM = std::uint16_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using COLORREF = DWORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using SHORT = std::int16_t;

#define WINAPI
#define CALLBACK
#define APIENTRY

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Handles are opaque pointers of distinct types, as on the platform.
struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HCURSOR__;
struct HBRUSH__;
struct HPEN__;
struct HBITMAP__;
struct HDC__;
struct HMENU__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HICON = HICON__*;
using HCURSOR = HCURSOR__*;
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HBITMAP = HBITMAP__*;
using HDC = HDC__*;
using HMENU = HMENU__*;
using HGDIOBJ = void*;  // any pen, brush or bitmap converts to it, as on the platform
using HMODULE = HINSTANCE;
using LPVOID = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// Messages.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;

// Virtual keys.
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PRIOR = 0x21;  // Page Up
inline constexpr int VK_NEXT = 0x22;   // Page Down
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_F4 = 0x73;

// One notch of a mouse wheel; finer wheels send parts of it.
inline constexpr int WHEEL_DELTA = 120;
inline SHORT GET_WHEEL_DELTA_WPARAM(WPARAM wParam) {
    return static_cast<SHORT>(static_cast<std::uint16_t>(wParam >> 16));
}

// Window and class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
inline constexpr int SW_SHOWNORMAL = 1;

// GDI.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int BLACK_PEN = 7;
inline constexpr int PS_SOLID = 0;
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr DWORD SRCCOPY = 0x00CC0020;

// Sound.
inline constexpr DWORD SND_ASYNC = 0x0001;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}

// Resource identifiers travel in the low word of a name pointer.
inline LPCSTR MAKEINTRESOURCEA(std::uintptr_t id) { return reinterpret_cast<LPCSTR>(id); }
#define MAKEINTRESOURCE MAKEINTRESOURCEA

// USER32
ATOM RegisterClassA(const WNDCLASSA* windowClass);  // 0 on failure
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL DestroyWindow(HWND hwnd);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorFromFileA(LPCSTR fileName);
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC timerProc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
BOOL GetClientRect(HWND hwnd, RECT* rect);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
SHORT GetKeyState(int virtualKey);

// GDI32
HBRUSH CreateSolidBrush(COLORREF colour);
HPEN CreatePen(int style, int width, COLORREF colour);
HGDIOBJ GetStockObject(int object);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT oldPoint);
BOOL LineTo(HDC hdc, int x, int y);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length);
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
int SetBkMode(HDC hdc, int mode);
HDC CreateCompatibleDC(HDC hdc);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
BOOL DeleteDC(HDC hdc);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop);

// KERNEL32
void GetLocalTime(SYSTEMTIME* time);
int lstrlenA(LPCSTR text);

// WINMM
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);

// The program's entry point, which the shell defines.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
