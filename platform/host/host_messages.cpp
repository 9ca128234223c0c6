// Windows, classes, the message queue, input and the default handling.
#include <cstring>

#include "platform/host/host_world.h"

namespace host {
namespace detail {
namespace {

// A frame of 8 pixels on each side and a 31-pixel caption: the client area
// of a 490 x 280 window is 474 x 241, as on Windows 10.
constexpr int frameSide = 8;
constexpr int frameTop = 31;

LPARAM PackPoint(int x, int y) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(y) << 16) |
                               (static_cast<std::uint32_t>(x) & 0xFFFF));
}

// The key state the thread sees follows the key messages as it takes them.
void FollowKeyState(const MSG& msg) {
    if (msg.wParam != VK_CONTROL) return;
    if (msg.message == WM_KEYDOWN) world().controlDown = true;
    if (msg.message == WM_KEYUP) world().controlDown = false;
}

// A paint for an invalid visible window, when nothing is posted.
std::optional<MSG> DuePaint() {
    for (const Window& window : world().windows) {
        if (!window.record.destroyed && window.record.visible && window.invalid) {
            return MSG{window.record.handle, WM_PAINT, 0, 0, 0, {0, 0}};
        }
    }
    return std::nullopt;
}

}  // namespace

Window* FindWindow(HWND hwnd) {
    const auto index = IndexOf(hwnd, windowBase, world().windows.size());
    return index ? &world().windows[*index] : nullptr;
}

HWND MainWindow() {
    for (const Window& window : world().windows) {
        if (!window.record.destroyed) return window.record.handle;
    }
    return nullptr;
}

RECT ClientRectOf(const Window& window) {
    return RECT{0, 0, std::max(window.record.width - 2 * frameSide, 0),
                std::max(window.record.height - frameTop - frameSide, 0)};
}

void Say(std::string line) { world().log.push_back(std::move(line)); }

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    world().queue.push_back({hwnd, message, wParam, lParam, 0, {0, 0}});
}

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool sent) {
    const HostCall inHost;
    Window* window = FindWindow(hwnd);
    if (window == nullptr || window->record.destroyed) return 0;
    const std::size_t index = world().deliveries.size();
    world().deliveries.push_back(
        {message, wParam, lParam, 0, sent, world().monotonicUs, LocalUs()});
    LRESULT result;
    {
        const ProgramCall program;
        result = window->procedure(hwnd, message, wParam, lParam);
    }
    world().deliveries[index].result = result;
    return result;
}

}  // namespace detail

using namespace detail;

void Reset(const SYSTEMTIME& start) {
    world() = World{};
    StartClocks(start);
    AddStockObjects();
}

void Fail(Failure failure) { world().failure = failure; }

bool InHostCode() { return hostDepth > 0; }

void ClearRecords() {
    World& w = world();
    w.frames.clear();
    w.log.clear();
    w.deliveries.clear();
    w.sounds.clear();
    ForgetReleasedGdi();
}

void Script(std::initializer_list<Step> steps) { world().script.assign(steps); }

void AddSteps(const std::vector<Step>& steps) {
    world().script.insert(world().script.end(), steps.begin(), steps.end());
}

bool RanOutOfScript() { return world().ranOutOfScript; }

Step Click(Button button, int x, int y) {
    return [=] {
        constexpr UINT downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        constexpr UINT ups[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        const auto index = static_cast<std::size_t>(button);
        Post(MainWindow(), downs[index], 0, PackPoint(x, y));
        Post(MainWindow(), ups[index], 0, PackPoint(x, y));
    };
}

// Without the class's double-click style a double click is two plain clicks.
Step DoubleClick(Button button, int x, int y) {
    return [=] {
        Click(button, x, y)();
        Click(button, x, y)();
    };
}

// lParam as the platform fills it: repeat count 1, bit 30 for a key that was
// already down, bit 31 for a release.
Step Key(unsigned virtualKey, bool ctrl, int repeats) {
    return [=] {
        constexpr LPARAM firstPress = 1;
        constexpr LPARAM repeat = 1 | (LPARAM{1} << 30);
        constexpr LPARAM release = 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31);
        const HWND hwnd = MainWindow();
        if (ctrl) Post(hwnd, WM_KEYDOWN, VK_CONTROL, firstPress);
        Post(hwnd, WM_KEYDOWN, virtualKey, firstPress);
        for (int i = 0; i < repeats; ++i) Post(hwnd, WM_KEYDOWN, virtualKey, repeat);
        Post(hwnd, WM_KEYUP, virtualKey, release);
        if (ctrl) Post(hwnd, WM_KEYUP, VK_CONTROL, release);
    };
}

Step Wheel(int delta) {
    return [=] {
        const auto high = static_cast<std::uint16_t>(static_cast<SHORT>(delta));
        Post(MainWindow(), WM_MOUSEWHEEL, static_cast<WPARAM>(high) << 16, PackPoint(300, 200));
    };
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

const std::vector<Sound>& Sounds() { return world().sounds; }
const std::vector<Delivery>& Deliveries() { return world().deliveries; }
const std::vector<std::string>& Log() { return world().log; }
std::string CursorFile() { return world().cursorFile; }

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

}  // namespace host

using namespace host;
using namespace host::detail;

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

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    const HostCall inHost;
    const Window* window = FindWindow(hwnd);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = ClientRectOf(*window);
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

// Posted messages first, then a paint, then a due timer; when none is
// there, time passes up to the end of the current Advance, and then the
// script's next step runs.
BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
    const HostCall inHost;
    for (;;) {
        if (world().failure == Failure::GetMessage) return -1;
        if (!world().queue.empty()) {
            *msg = world().queue.front();
            world().queue.pop_front();
            FollowKeyState(*msg);
            return TRUE;
        }
        if (world().quitCode) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*world().quitCode), 0, 0, {0, 0}};
            return FALSE;
        }
        if (const auto paint = DuePaint()) {
            *msg = *paint;
            return TRUE;
        }
        if (const auto timer = TakeDueTimer()) {
            *msg = *timer;
            return TRUE;
        }
        if (LetTimePass()) continue;
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
        case WM_SYSKEYDOWN:
            // alt+F4 closes the window, as the system menu's Close does.
            if (wParam == VK_F4) SendMessageA(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_ERASEBKGND: {
            const Window* window = FindWindow(hwnd);
            const GdiObject* brush = window ? FindObject(window->windowClass.hbrBackground) : nullptr;
            const RECT client = window ? ClientRectOf(*window) : RECT{0, 0, 0, 0};
            Record(reinterpret_cast<HDC>(wParam), Op::Erase, client.left, client.top, client.right,
                   client.bottom, brush ? brush->colour : 0);
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

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    const HostCall inHost;
    Say(std::string("InvalidateRect ") + (rect == nullptr ? "all" : "part") + (erase ? " erase" : ""));
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return FALSE;
    window->invalid = true;
    window->eraseRequested = window->eraseRequested || erase;
    return TRUE;
}

// The high bit tells a key that is down, as on the platform.
SHORT GetKeyState(int virtualKey) {
    const HostCall inHost;
    return virtualKey == VK_CONTROL && world().controlDown ? static_cast<SHORT>(-128) : SHORT{0};
}

int lstrlenA(LPCSTR text) {
    const HostCall inHost;
    return text == nullptr ? 0 : static_cast<int>(std::strlen(text));
}

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    const HostCall inHost;
    Say(std::string("PlaySoundA ") + (sound ? sound : "(null)") + " " + std::to_string(flags));
    world().sounds.push_back({sound ? sound : "", module, flags, world().monotonicUs / 1000});
    return TRUE;
}
