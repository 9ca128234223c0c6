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
    POINT position;
};

enum class Op { Erase, Rectangle, Ellipse, SetPixel, MoveTo, LineTo, TextOut };

struct DrawCall {
    Op op;
    int x1, y1, x2, y2;  // a point in x1, y1; a box in all four
    COLORREF colour;     // SetPixel's colour; the brush colour of Erase
    std::string text;    // TextOut: exactly the bytes passed
    DcState state;       // before the call
};

struct Frame {
    SYSTEMTIME time;  // local time at BeginPaint
    std::vector<DrawCall> calls;
    DcState finalState;  // at EndPaint
    bool endedWithOwnObjectsSelected = false;
};

enum class GdiKind { Brush, Pen };

struct GdiObject {
    HGDIOBJ handle;
    GdiKind kind;
    bool stock;
    COLORREF colour;
    int width;
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
    std::int64_t atMs;
};

// A message as the window procedure received it.
struct Delivery {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    bool sent;  // through SendMessageA (or by the system) rather than the loop
    std::int64_t atMs;
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

enum class Failure { None, RegisterClass, CreateWindow, GetMessage, LoadCursor };

// Starts a fresh world whose local clock reads `start`.
void Reset(const SYSTEMTIME& start);
void Fail(Failure failure);

// What happens, one step at a time, whenever the program waits for a
// message and none is due. A run that waits with no step left ends the
// loop as if the program had quit, and RanOutOfScript() tells.
using Step = std::function<void()>;
void Script(std::initializer_list<Step> steps);
void AddSteps(const std::vector<Step>& steps);
bool RanOutOfScript();

enum class Button { Left, Right };
Step Click(Button button, int x = 100, int y = 100);
Step DoubleClick(Button button, int x = 100, int y = 100);
Step Key(unsigned virtualKey);
Step Advance(std::int64_t ms);  // moves the clock; due timers fire
Step Close();                   // what the close box or alt+F4 does
Step Resize(int width, int height);
Step Do(std::function<void()> action);

// The clock.
std::int64_t NowMs();
void AdvanceClock(std::int64_t ms);

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

// True while this layer's own code runs (script steps included), false in
// the program's code, also when this layer calls the window procedure.
bool InHostCode();

// Forgets frames, log, deliveries and sounds, and the GDI objects once all
// are deleted, so that a long measurement does not grow without end.
void ClearRecords();

// When false, drawing calls are not recorded (frames still are), so a
// measurement of the program's own work is not taken over by the recorder.
void RecordDrawing(bool on);

}  // namespace host
