// The test side of the host layer: start a world at a local time, script
// what the user and the clock do while the program waits for messages, and
// read back what the program did.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/host/win32_host.h"

namespace host {

// The state a drawing call was made in.
struct DcState {
    COLORREF textColor;
    COLORREF bkColor;
    int bkMode;
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ bitmap;  // a memory device context's bitmap; none for a window's
    POINT position;
};

// Erase is the default handling of WM_ERASEBKGND, with the class brush.
enum class Op { Erase, FillRect, Rectangle, Ellipse, SetPixel, MoveTo, LineTo, TextOut, BitBlt };

struct DrawCall {
    Op op;
    int x1, y1, x2, y2;  // a point in x1, y1; a box in all four
    COLORREF colour;     // SetPixel's colour; the brush colour of Erase and FillRect
    std::string text;    // TextOut: exactly the bytes passed
    DcState state;       // before the call
    // BitBlt: the bitmap selected into the source device context, the
    // point copied from, and the raster operation.
    HGDIOBJ sourceBitmap = nullptr;
    POINT sourceAt{0, 0};
    DWORD rop = 0;
};

struct Frame {
    SYSTEMTIME time;  // local time at BeginPaint
    std::vector<DrawCall> calls;        // on memory device contexts: the off-screen picture
    std::vector<DrawCall> windowCalls;  // on the window's own device context
    bool endedWithOwnObjectsSelected = false;  // at DeleteDC or EndPaint
};

enum class GdiKind { Brush, Pen, Bitmap };

struct GdiObject {
    HGDIOBJ handle;
    GdiKind kind;
    bool stock;
    COLORREF colour;
    int width;   // a pen's width, a bitmap's width
    int height;  // a bitmap's height
    int style;
    int createdInFrame;  // -1 outside a paint
    int deletedInFrame;  // -1 while alive or when deleted outside a paint
    bool deleted;
    bool deletedWhileSelected;
};

struct Sound {
    std::string path;
    HMODULE module;
    DWORD flags;
    std::int64_t atMs;  // on the monotonic clock
};

// A message as the window procedure received it.
struct Delivery {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    bool sent;  // through SendMessageA (or by the system) rather than the loop
    std::int64_t monotonicUs;  // when it was delivered, on the timers' clock
    std::int64_t localUs;      // the local time GetLocalTime read then, in µs
};

struct WindowRecord {
    HWND handle;
    std::string className;
    std::string title;
    DWORD style;
    int x, y, width, height;
    bool visible;
    bool destroyed;
    int showCommand;
};

enum class Failure { None, RegisterClass, CreateWindow, GetMessage, LoadCursor, OffscreenBitmap };

// Starts a fresh world whose local clock reads `start`, with the default
// timer model.
void Reset(const SYSTEMTIME& start);
void Fail(Failure failure);

// How timers fire. A timer is due `elapse` ms (at least 10) after it was
// set, or, for a timer that keeps running, after it last fired. It fires at
// the first system clock tick at or after that (ticks every `granularityUs`
// from `tickOriginUs` on the monotonic clock; 0 means exact), plus the
// lateness `latenessUs` returns for that firing (a busy queue). A timer
// never has more than one WM_TIMER waiting.
struct TimerModel {
    std::int64_t granularityUs = 15'625;
    std::int64_t tickOriginUs = 0;  // relative to the start of the world
    std::function<std::int64_t()> latenessUs;  // none: never late
};
void SetTimerModel(TimerModel model);

// What happens, one step at a time, whenever the program waits for a
// message and none is due. A run that waits with no step left ends the
// loop as if the program had quit, and RanOutOfScript() tells.
using Step = std::function<void()>;
void Script(std::initializer_list<Step> steps);
void AddSteps(const std::vector<Step>& steps);
bool RanOutOfScript();

enum class Button { Left, Right, Middle };
Step Click(Button button, int x = 100, int y = 100);
Step DoubleClick(Button button, int x = 100, int y = 100);
// A key pressed and released; with `ctrl`, while Ctrl is held. `repeats`
// more WM_KEYDOWN messages follow the first, as when the key is held down.
Step Key(unsigned virtualKey, bool ctrl = false, int repeats = 0);
Step Wheel(int delta);  // one WM_MOUSEWHEEL; WHEEL_DELTA is one notch up (away from the user)
Step Advance(std::int64_t ms);  // time passes; every timer fires when it is due
Step Sleep(std::int64_t ms);    // the machine sleeps: time jumps, due timers coalesce
Step SetLocalClock(std::int64_t shiftMs);  // the user moves the wall clock; timers run on
Step Close();                   // what the close box or alt+F4 does
Step Resize(int width, int height);
Step Do(std::function<void()> action);

// The clocks: the monotonic one timers run on, and the local wall clock.
std::int64_t NowMs();
std::int64_t LocalNowUs();

// What the program did.
const std::vector<Frame>& Frames();
const std::vector<GdiObject>& GdiObjects();
const std::vector<Sound>& Sounds();
const std::vector<Delivery>& Deliveries();
const std::vector<std::string>& Log();  // platform calls in order, e.g. "SetTimer 1 1000"
const std::vector<WindowRecord>& Windows();
const WNDCLASSA* RegisteredClass(const std::string& name);
std::string CursorFile();  // the file LoadCursorFromFileA was given
int ActiveTimers();
int LiveDeviceContexts();  // made and not yet released (EndPaint or DeleteDC)

// True while this layer's own code runs (script steps included), false in
// the program's code, also when this layer calls the window procedure.
bool InHostCode();

// Forgets frames, log, deliveries and sounds, and the GDI objects and
// device contexts once all are released, so that a long measurement does
// not grow without end.
void ClearRecords();

// When false, drawing calls are not recorded (frames still are), so a
// measurement of the program's own work is not taken over by the recorder.
void RecordDrawing(bool on);

}  // namespace host
