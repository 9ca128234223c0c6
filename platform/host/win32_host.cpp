#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <optional>

#include "platform/host/host_control.h"

namespace host {
namespace {

namespace chr = std::chrono;

struct Timer {
    UINT period;
    std::int64_t nextDueMs;
    bool pending;
};

struct Window {
    WindowRecord record;
    WNDPROC procedure;
    WNDCLASSA windowClass;
    bool invalid = false;
    bool eraseRequested = false;
    std::map<UINT_PTR, Timer> timers;
};

struct PaintContext {
    int frame;
    DcState state;
};

struct World {
    std::int64_t clockMs = 0;
    Failure failure = Failure::None;
    std::map<std::string, WNDCLASSA> classes;
    std::vector<std::string> classNames;  // keeps the names the classes point at alive
    std::vector<Window> windows;
    std::deque<MSG> queue;
    std::optional<int> quitCode;
    std::deque<Step> script;
    bool ranOutOfScript = false;
    bool recordDrawing = true;
    std::vector<Frame> frames;
    std::vector<GdiObject> gdiObjects;
    std::vector<Sound> sounds;
    std::vector<Delivery> deliveries;
    std::vector<std::string> log;
    std::string cursorFile;
    std::optional<PaintContext> paint;
};

World& world() {
    static World instance;
    return instance;
}

// How deep the current call is inside this layer, so that a test can tell
// the program's own work from ours.
int hostDepth = 0;

struct HostCall {
    HostCall() { ++hostDepth; }
    ~HostCall() { --hostDepth; }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
};

// Runs program code (a window procedure) from inside this layer.
struct ProgramCall {
    int saved = hostDepth;
    ProgramCall() { hostDepth = 0; }
    ~ProgramCall() { hostDepth = saved; }
    ProgramCall(const ProgramCall&) = delete;
    ProgramCall& operator=(const ProgramCall&) = delete;
};

// Handles are small numbers in pointer clothing: windows from 0x1000, GDI
// objects from 0x2000, device contexts from 0x3000.
constexpr std::uintptr_t windowBase = 0x1000;
constexpr std::uintptr_t gdiBase = 0x2000;
constexpr std::uintptr_t dcBase = 0x3000;

template <typename Handle>
Handle MakeHandle(std::uintptr_t base, std::size_t index) {
    return reinterpret_cast<Handle>(base + index);
}

template <typename Handle>
std::optional<std::size_t> IndexOf(Handle handle, std::uintptr_t base, std::size_t count) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value < base || value >= base + count) return std::nullopt;
    return value - base;
}

Window* FindWindow(HWND hwnd) {
    const auto index = IndexOf(hwnd, windowBase, world().windows.size());
    return index ? &world().windows[*index] : nullptr;
}

GdiObject* FindObject(HGDIOBJ object) {
    const auto index = IndexOf(object, gdiBase, world().gdiObjects.size());
    return index ? &world().gdiObjects[*index] : nullptr;
}

PaintContext* FindDc(HDC hdc) {
    auto& paint = world().paint;
    if (!paint || reinterpret_cast<std::uintptr_t>(hdc) != dcBase + static_cast<std::size_t>(paint->frame)) {
        return nullptr;
    }
    return &*paint;
}

HGDIOBJ AddObject(GdiKind kind, bool stock, COLORREF colour, int width, int style) {
    auto& objects = world().gdiObjects;
    const HGDIOBJ handle = MakeHandle<HGDIOBJ>(gdiBase, objects.size());
    const int frame = world().paint ? world().paint->frame : -1;
    objects.push_back({handle, kind, stock, colour, width, style, frame, -1, false, false});
    return handle;
}

// The platform's stock white brush and black pen; the first two objects.
HGDIOBJ StockWhiteBrush() { return MakeHandle<HGDIOBJ>(gdiBase, 0); }
HGDIOBJ StockBlackPen() { return MakeHandle<HGDIOBJ>(gdiBase, 1); }

DcState DefaultDcState() {
    return {RGB(0, 0, 0), RGB(255, 255, 255), OPAQUE, StockBlackPen(), StockWhiteBrush(), {0, 0}};
}

void Record(HDC hdc, Op op, int x1, int y1, int x2, int y2, COLORREF colour = 0,
            std::string text = {}) {
    PaintContext* dc = FindDc(hdc);
    if (dc == nullptr || !world().recordDrawing) return;
    world().frames[static_cast<std::size_t>(dc->frame)].calls.push_back(
        {op, x1, y1, x2, y2, colour, std::move(text), dc->state});
}

// Sets one setting of a device context and returns what it replaced, or
// `failure` for a handle that is not a device context being painted.
template <typename T>
T ExchangeSetting(HDC hdc, T DcState::*setting, T value, T failure) {
    PaintContext* dc = FindDc(hdc);
    if (dc == nullptr) return failure;
    const T previous = dc->state.*setting;
    dc->state.*setting = value;
    return previous;
}

void Say(std::string line) { world().log.push_back(std::move(line)); }

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool sent) {
    const HostCall inHost;
    Window* window = FindWindow(hwnd);
    if (window == nullptr || window->record.destroyed) return 0;
    const std::size_t index = world().deliveries.size();
    world().deliveries.push_back({message, wParam, lParam, 0, sent, world().clockMs});
    LRESULT result;
    {
        const ProgramCall program;
        result = window->procedure(hwnd, message, wParam, lParam);
    }
    world().deliveries[index].result = result;
    return result;
}

void Post(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    world().queue.push_back({hwnd, message, wParam, lParam, 0, {0, 0}});
}

LPARAM PackPoint(int x, int y) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(y) << 16) |
                               (static_cast<std::uint32_t>(x) & 0xFFFF));
}

// The next message the loop would get when nothing is posted: a paint for
// an invalid visible window, then a due timer.
std::optional<MSG> SynthesizedMessage() {
    for (std::size_t i = 0; i < world().windows.size(); ++i) {
        Window& window = world().windows[i];
        if (!window.record.destroyed && window.record.visible && window.invalid) {
            return MSG{window.record.handle, WM_PAINT, 0, 0, 0, {0, 0}};
        }
    }
    for (std::size_t i = 0; i < world().windows.size(); ++i) {
        Window& window = world().windows[i];
        for (auto& [id, timer] : window.timers) {
            if (timer.pending) {
                timer.pending = false;
                return MSG{window.record.handle, WM_TIMER, id, 0, 0, {0, 0}};
            }
        }
    }
    return std::nullopt;
}

std::int64_t MsFromSystemTime(const SYSTEMTIME& t) {
    const chr::sys_days day{chr::year{t.wYear} / chr::month{t.wMonth} / chr::day{t.wDay}};
    return day.time_since_epoch().count() * 86'400'000LL + t.wHour * 3'600'000LL +
           t.wMinute * 60'000LL + t.wSecond * 1000LL + t.wMilliseconds;
}

HWND MainWindow() {
    for (const Window& window : world().windows) {
        if (!window.record.destroyed) return window.record.handle;
    }
    return nullptr;
}

}  // namespace

void Reset(const SYSTEMTIME& start) {
    world() = World{};
    world().clockMs = MsFromSystemTime(start);
    AddObject(GdiKind::Brush, true, RGB(255, 255, 255), 0, 0);
    AddObject(GdiKind::Pen, true, RGB(0, 0, 0), 1, PS_SOLID);
}

void Fail(Failure failure) { world().failure = failure; }

bool InHostCode() { return hostDepth > 0; }

void ClearRecords() {
    World& w = world();
    w.frames.clear();
    w.log.clear();
    w.deliveries.clear();
    w.sounds.clear();
    bool allDeleted = true;
    for (const GdiObject& object : w.gdiObjects) allDeleted = allDeleted && (object.stock || object.deleted);
    if (allDeleted && !w.paint) w.gdiObjects.resize(2);  // only the stock objects are left
}

void Script(std::initializer_list<Step> steps) { world().script.assign(steps); }

void AddSteps(const std::vector<Step>& steps) {
    world().script.insert(world().script.end(), steps.begin(), steps.end());
}

bool RanOutOfScript() { return world().ranOutOfScript; }

Step Click(Button button, int x, int y) {
    return [=] {
        const bool left = button == Button::Left;
        Post(MainWindow(), left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0, PackPoint(x, y));
        Post(MainWindow(), left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, PackPoint(x, y));
    };
}

// Without the class's double-click style a double click is two plain clicks.
Step DoubleClick(Button button, int x, int y) {
    return [=] {
        Click(button, x, y)();
        Click(button, x, y)();
    };
}

Step Key(unsigned virtualKey) {
    return [=] {
        Post(MainWindow(), WM_KEYDOWN, virtualKey, 1);
        Post(MainWindow(), WM_KEYUP, virtualKey, 1);
    };
}

Step Advance(std::int64_t ms) {
    return [=] { AdvanceClock(ms); };
}

Step Close() {
    return [] { SendMessageA(MainWindow(), WM_CLOSE, 0, 0); };
}

Step Resize(int width, int height) {
    return [=] {
        if (Window* window = FindWindow(MainWindow())) {
            window->record.width = width;
            window->record.height = height;
            if (window->windowClass.style & (CS_HREDRAW | CS_VREDRAW)) {
                window->invalid = true;
                window->eraseRequested = true;
            }
        }
    };
}

Step Do(std::function<void()> action) { return action; }

std::int64_t NowMs() { return world().clockMs; }

// Timers are coalesced as on the platform: however long the clock moves,
// a timer has at most one WM_TIMER waiting.
void AdvanceClock(std::int64_t ms) {
    world().clockMs += ms;
    for (Window& window : world().windows) {
        for (auto& [id, timer] : window.timers) {
            if (world().clockMs >= timer.nextDueMs) {
                timer.pending = true;
                while (timer.nextDueMs <= world().clockMs) timer.nextDueMs += timer.period;
            }
        }
    }
}

const std::vector<Frame>& Frames() { return world().frames; }
const std::vector<GdiObject>& GdiObjects() { return world().gdiObjects; }
const std::vector<Sound>& Sounds() { return world().sounds; }
const std::vector<Delivery>& Deliveries() { return world().deliveries; }
const std::vector<std::string>& Log() { return world().log; }
std::string CursorFile() { return world().cursorFile; }
void RecordDrawing(bool on) { world().recordDrawing = on; }

const std::vector<WindowRecord>& Windows() {
    static std::vector<WindowRecord> records;
    records.clear();
    for (const Window& window : world().windows) records.push_back(window.record);
    return records;
}

const WNDCLASSA* RegisteredClass(const std::string& name) {
    const auto found = world().classes.find(name);
    return found == world().classes.end() ? nullptr : &found->second;
}

int ActiveTimers() {
    int count = 0;
    for (const Window& window : world().windows) count += static_cast<int>(window.timers.size());
    return count;
}

}  // namespace host

using namespace host;

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    const HostCall inHost;
    Say("RegisterClassA");
    if (world().failure == Failure::RegisterClass || windowClass->lpfnWndProc == nullptr) return 0;
    world().classNames.emplace_back(windowClass->lpszClassName);
    world().classes[windowClass->lpszClassName] = *windowClass;
    return static_cast<ATOM>(0xC000 + world().classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
    const HostCall inHost;
    Say("CreateWindowExA");
    const WNDCLASSA* windowClass = RegisteredClass(className);
    if (world().failure == Failure::CreateWindow || windowClass == nullptr) return nullptr;
    const HWND hwnd = MakeHandle<HWND>(windowBase, world().windows.size());
    Window window;
    window.record = {hwnd, className, windowName, style, x, y, width, height, false, false, 0};
    window.procedure = windowClass->lpfnWndProc;
    window.windowClass = *windowClass;
    world().windows.push_back(window);
    if (Deliver(hwnd, WM_CREATE, 0, 0, true) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    const HostCall inHost;
    Say("ShowWindow " + std::to_string(cmdShow));
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return FALSE;
    const bool wasVisible = window->record.visible;
    window->record.visible = true;
    window->record.showCommand = cmdShow;
    if (!wasVisible) {
        window->invalid = true;  // a window being shown needs its first paint
        window->eraseRequested = true;
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hwnd) {
    const HostCall inHost;
    Say("DestroyWindow");
    Window* window = FindWindow(hwnd);
    if (window == nullptr || window->record.destroyed) return FALSE;
    Deliver(hwnd, WM_DESTROY, 0, 0, true);
    window->record.destroyed = true;
    window->record.visible = false;
    window->timers.clear();  // the system stops a destroyed window's timers
    return TRUE;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    const HostCall inHost;
    Say("LoadIconA " + std::to_string(reinterpret_cast<std::uintptr_t>(name)));
    return reinterpret_cast<HICON>(0x4000 + reinterpret_cast<std::uintptr_t>(name));
}

HCURSOR LoadCursorFromFileA(LPCSTR fileName) {
    const HostCall inHost;
    Say(std::string("LoadCursorFromFileA ") + fileName);
    world().cursorFile = fileName;
    if (world().failure == Failure::LoadCursor) return nullptr;
    return reinterpret_cast<HCURSOR>(0x5000);
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
    const HostCall inHost;
    for (;;) {
        if (world().failure == Failure::GetMessage) return -1;
        if (!world().queue.empty()) {
            *msg = world().queue.front();
            world().queue.pop_front();
            return TRUE;
        }
        if (world().quitCode) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*world().quitCode), 0, 0, {0, 0}};
            return FALSE;
        }
        if (const auto synthesized = SynthesizedMessage()) {
            *msg = *synthesized;
            return TRUE;
        }
        if (world().script.empty()) {
            world().ranOutOfScript = true;
            *msg = MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}};
            return FALSE;
        }
        const Step step = world().script.front();
        world().script.pop_front();
        step();
    }
}

BOOL TranslateMessage(const MSG*) {
    const HostCall inHost;
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    // The window procedure is the program's code, not ours: Deliver leaves
    // the host while it runs.
    return Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam, false);
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    const HostCall inHost;
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_ERASEBKGND: {
            const Window* window = FindWindow(hwnd);
            const GdiObject* brush = window ? FindObject(window->windowClass.hbrBackground) : nullptr;
            const HDC hdc = reinterpret_cast<HDC>(wParam);
            Record(hdc, Op::Erase, 0, 0, window ? window->record.width : 0,
                   window ? window->record.height : 0, brush ? brush->colour : 0);
            return brush ? 1 : 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HostCall inHost;
    return Deliver(hwnd, message, wParam, lParam, true);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HostCall inHost;
    Post(hwnd, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    const HostCall inHost;
    Say("PostQuitMessage " + std::to_string(exitCode));
    world().quitCode = exitCode;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC) {
    const HostCall inHost;
    Say("SetTimer " + std::to_string(id) + " " + std::to_string(elapse));
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return 0;
    window->timers[id] = Timer{elapse, world().clockMs + elapse, false};
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    const HostCall inHost;
    Say("KillTimer " + std::to_string(id));
    Window* window = FindWindow(hwnd);
    return window != nullptr && window->timers.erase(id) == 1 ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    const HostCall inHost;
    Say(std::string("InvalidateRect ") + (rect == nullptr ? "all" : "part") + (erase ? " erase" : ""));
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return FALSE;
    window->invalid = true;
    window->eraseRequested = window->eraseRequested || erase;
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    const HostCall inHost;
    Say("BeginPaint");
    Window* window = FindWindow(hwnd);
    const int frame = static_cast<int>(world().frames.size());
    SYSTEMTIME now;
    GetLocalTime(&now);
    world().frames.push_back(Frame{now, {}, {}, false});
    world().paint = PaintContext{frame, DefaultDcState()};
    const HDC hdc = MakeHandle<HDC>(dcBase, static_cast<std::size_t>(frame));
    *paint = PAINTSTRUCT{};
    paint->hdc = hdc;
    if (window != nullptr) {
        paint->rcPaint = RECT{0, 0, window->record.width, window->record.height};
        const bool erase = window->eraseRequested;
        window->invalid = false;
        window->eraseRequested = false;
        if (erase) {
            paint->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
        }
    }
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    const HostCall inHost;
    Say("EndPaint");
    PaintContext* dc = FindDc(paint->hdc);
    if (dc == nullptr) return FALSE;
    Frame& frame = world().frames[static_cast<std::size_t>(dc->frame)];
    frame.finalState = dc->state;
    frame.endedWithOwnObjectsSelected =
        dc->state.pen != StockBlackPen() || dc->state.brush != StockWhiteBrush();
    world().paint.reset();
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    const HostCall inHost;
    return static_cast<HBRUSH>(AddObject(GdiKind::Brush, false, colour, 0, 0));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    const HostCall inHost;
    return static_cast<HPEN>(AddObject(GdiKind::Pen, false, colour, width, style));
}

HGDIOBJ GetStockObject(int object) {
    const HostCall inHost;
    if (object == WHITE_BRUSH) return StockWhiteBrush();
    if (object == BLACK_PEN) return StockBlackPen();
    return nullptr;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    const HostCall inHost;
    PaintContext* dc = FindDc(hdc);
    GdiObject* record = FindObject(object);
    if (dc == nullptr || record == nullptr || record->deleted) return nullptr;
    HGDIOBJ& slot = record->kind == GdiKind::Pen ? dc->state.pen : dc->state.brush;
    const HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    const HostCall inHost;
    GdiObject* record = FindObject(object);
    if (record == nullptr || record->deleted) return FALSE;
    if (record->stock) return TRUE;  // deleting a stock object does nothing
    const PaintContext* dc = world().paint ? &*world().paint : nullptr;
    if (dc != nullptr && (dc->state.pen == object || dc->state.brush == object)) {
        record->deletedWhileSelected = true;
        return FALSE;  // the platform refuses to delete a selected object
    }
    record->deleted = true;
    record->deletedInFrame = dc ? dc->frame : -1;
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    const HostCall inHost;
    Record(hdc, Op::Rectangle, left, top, right, bottom);
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    const HostCall inHost;
    Record(hdc, Op::Ellipse, left, top, right, bottom);
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
    const HostCall inHost;
    Record(hdc, Op::SetPixel, x, y, x, y, colour);
    return colour;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT oldPoint) {
    const HostCall inHost;
    Record(hdc, Op::MoveTo, x, y, x, y);
    PaintContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    if (oldPoint != nullptr) *oldPoint = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    const HostCall inHost;
    PaintContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    Record(hdc, Op::LineTo, dc->state.position.x, dc->state.position.y, x, y);
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    const HostCall inHost;
    Record(hdc, Op::TextOut, x, y, x, y, 0, std::string(text, static_cast<std::size_t>(length)));
    return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    const HostCall inHost;
    return ExchangeSetting(hdc, &DcState::textColor, colour, COLORREF{0xFFFFFFFF});
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    const HostCall inHost;
    return ExchangeSetting(hdc, &DcState::bkColor, colour, COLORREF{0xFFFFFFFF});
}

int SetBkMode(HDC hdc, int mode) {
    const HostCall inHost;
    return ExchangeSetting(hdc, &DcState::bkMode, mode, 0);
}

void GetLocalTime(SYSTEMTIME* time) {
    const HostCall inHost;
    const std::int64_t ms = world().clockMs;
    const std::int64_t days = ms >= 0 ? ms / 86'400'000 : -((-ms + 86'399'999) / 86'400'000);
    const std::int64_t msOfDay = ms - days * 86'400'000;
    const chr::sys_days day{chr::days{days}};
    const chr::year_month_day date{day};
    *time = SYSTEMTIME{};
    time->wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time->wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time->wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time->wDayOfWeek = static_cast<WORD>(chr::weekday{day}.c_encoding());
    time->wHour = static_cast<WORD>(msOfDay / 3'600'000);
    time->wMinute = static_cast<WORD>(msOfDay / 60'000 % 60);
    time->wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
    time->wMilliseconds = static_cast<WORD>(msOfDay % 1000);
}

int lstrlenA(LPCSTR text) {
    const HostCall inHost;
    return text == nullptr ? 0 : static_cast<int>(std::strlen(text));
}

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    const HostCall inHost;
    Say(std::string("PlaySoundA ") + (sound ? sound : "(null)") + " " + std::to_string(flags));
    world().sounds.push_back({sound ? sound : "", module, flags, world().clockMs});
    return TRUE;
}
