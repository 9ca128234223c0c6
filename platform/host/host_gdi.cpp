// Device contexts and GDI objects. A window's device context exists from
// BeginPaint to EndPaint; memory device contexts from CreateCompatibleDC to
// DeleteDC. Every drawing call is recorded with the state it was made in,
// in the frame of the paint under way: calls on memory device contexts as
// the off-screen picture, calls on the window's as what reached the window.
#include <vector>

#include "platform/host/host_world.h"

namespace host {
namespace detail {
namespace {

// The platform's stock white brush, black pen and a memory device
// context's first bitmap (one monochrome pixel): the first three objects.
constexpr std::size_t stockObjectCount = 3;
HGDIOBJ StockWhiteBrush() { return MakeHandle<HGDIOBJ>(gdiBase, 0); }
HGDIOBJ StockBlackPen() { return MakeHandle<HGDIOBJ>(gdiBase, 1); }
HGDIOBJ StockBitmap() { return MakeHandle<HGDIOBJ>(gdiBase, 2); }

HGDIOBJ AddObject(GdiKind kind, bool stock, COLORREF colour, int width, int height, int style) {
    auto& objects = world().gdiObjects;
    const HGDIOBJ handle = MakeHandle<HGDIOBJ>(gdiBase, objects.size());
    const int frame = world().paintFrame.value_or(-1);
    objects.push_back({handle, kind, stock, colour, width, height, style, frame, -1, false, false});
    return handle;
}

DcState DefaultDcState(bool memory) {
    return {RGB(0, 0, 0), RGB(255, 255, 255), OPAQUE, StockBlackPen(), StockWhiteBrush(),
            memory ? StockBitmap() : nullptr, {0, 0}};
}

HDC AddDeviceContext(bool memory) {
    auto& contexts = world().deviceContexts;
    const HDC handle = MakeHandle<HDC>(dcBase, contexts.size());
    world().liveDeviceContexts.push_back(contexts.size());
    contexts.push_back({handle, memory, world().paintFrame.value_or(-1), DefaultDcState(memory)});
    return handle;
}

DeviceContext* FindDc(HDC hdc) {
    const auto index = IndexOf(hdc, dcBase, world().deviceContexts.size());
    if (!index) return nullptr;
    DeviceContext& dc = world().deviceContexts[*index];
    return dc.released ? nullptr : &dc;
}

bool HoldsOwnObjects(const DcState& state) {
    return state.pen != StockBlackPen() || state.brush != StockWhiteBrush() ||
           (state.bitmap != nullptr && state.bitmap != StockBitmap());
}

// Releases a device context, noting whether the paint left objects of its
// own selected into it.
void Release(DeviceContext& dc) {
    if (dc.frame >= 0 && static_cast<std::size_t>(dc.frame) < world().frames.size() &&
        HoldsOwnObjects(dc.state)) {
        world().frames[static_cast<std::size_t>(dc.frame)].endedWithOwnObjectsSelected = true;
    }
    dc.released = true;
    auto& live = world().liveDeviceContexts;
    std::erase(live, static_cast<std::size_t>(&dc - world().deviceContexts.data()));
}

bool SelectedAnywhere(HGDIOBJ object) {
    for (const std::size_t index : world().liveDeviceContexts) {
        const DcState& state = world().deviceContexts[index].state;
        if (state.pen == object || state.brush == object || state.bitmap == object) return true;
    }
    return false;
}

void RecordCall(HDC hdc, DrawCall call) {
    const DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr || dc->frame < 0 || !world().recordDrawing) return;
    call.state = dc->state;
    Frame& frame = world().frames[static_cast<std::size_t>(dc->frame)];
    (dc->memory ? frame.calls : frame.windowCalls).push_back(std::move(call));
}

// Sets one setting of a device context and returns what it replaced, or
// `failure` for a handle that is not a live device context.
template <typename T>
T ExchangeSetting(HDC hdc, T DcState::*setting, T value, T failure) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return failure;
    const T previous = dc->state.*setting;
    dc->state.*setting = value;
    return previous;
}

}  // namespace

void AddStockObjects() {
    AddObject(GdiKind::Brush, true, RGB(255, 255, 255), 0, 0, 0);
    AddObject(GdiKind::Pen, true, RGB(0, 0, 0), 1, 0, PS_SOLID);
    AddObject(GdiKind::Bitmap, true, 0, 1, 1, 0);
}

GdiObject* FindObject(HGDIOBJ object) {
    const auto index = IndexOf(object, gdiBase, world().gdiObjects.size());
    return index ? &world().gdiObjects[*index] : nullptr;
}

void Record(HDC hdc, Op op, int x1, int y1, int x2, int y2, COLORREF colour, std::string text) {
    if (!world().recordDrawing) return;
    DrawCall call{};
    call.op = op;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    call.text = std::move(text);
    RecordCall(hdc, std::move(call));
}

void ForgetReleasedGdi() {
    World& w = world();
    bool allReleased = !w.paintFrame;
    for (const GdiObject& object : w.gdiObjects) allReleased = allReleased && (object.stock || object.deleted);
    allReleased = allReleased && w.liveDeviceContexts.empty();
    if (allReleased) {
        w.gdiObjects.resize(stockObjectCount);
        w.deviceContexts.clear();
    }
}

}  // namespace detail

using namespace detail;

const std::vector<Frame>& Frames() { return world().frames; }
const std::vector<GdiObject>& GdiObjects() { return world().gdiObjects; }
void RecordDrawing(bool on) { world().recordDrawing = on; }

int LiveDeviceContexts() { return static_cast<int>(world().liveDeviceContexts.size()); }

}  // namespace host

using namespace host;
using namespace host::detail;

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    const HostCall inHost;
    Say("BeginPaint");
    Window* window = FindWindow(hwnd);
    SYSTEMTIME now;
    GetLocalTime(&now);
    world().frames.push_back(Frame{now, {}, {}, false});
    world().paintFrame = static_cast<int>(world().frames.size() - 1);
    const HDC hdc = AddDeviceContext(false);
    *paint = PAINTSTRUCT{};
    paint->hdc = hdc;
    if (window != nullptr) {
        paint->rcPaint = ClientRectOf(*window);
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
    DeviceContext* dc = FindDc(paint->hdc);
    if (dc == nullptr || dc->memory) return FALSE;
    Release(*dc);
    world().paintFrame.reset();
    return TRUE;
}

HDC CreateCompatibleDC(HDC) {
    const HostCall inHost;
    return AddDeviceContext(true);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    const HostCall inHost;
    if (world().failure == Failure::OffscreenBitmap || width <= 0 || height <= 0) return nullptr;
    return static_cast<HBITMAP>(AddObject(GdiKind::Bitmap, false, 0, width, height, 0));
}

BOOL DeleteDC(HDC hdc) {
    const HostCall inHost;
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr || !dc->memory) return FALSE;
    Release(*dc);
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    const HostCall inHost;
    return static_cast<HBRUSH>(AddObject(GdiKind::Brush, false, colour, 0, 0, 0));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    const HostCall inHost;
    return static_cast<HPEN>(AddObject(GdiKind::Pen, false, colour, width, 0, style));
}

HGDIOBJ GetStockObject(int object) {
    const HostCall inHost;
    if (object == WHITE_BRUSH) return StockWhiteBrush();
    if (object == BLACK_PEN) return StockBlackPen();
    return nullptr;
}

// A bitmap can be selected only into a memory device context.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    const HostCall inHost;
    DeviceContext* dc = FindDc(hdc);
    GdiObject* record = FindObject(object);
    if (dc == nullptr || record == nullptr || record->deleted) return nullptr;
    if (record->kind == GdiKind::Bitmap && !dc->memory) return nullptr;
    HGDIOBJ& slot = record->kind == GdiKind::Pen     ? dc->state.pen
                    : record->kind == GdiKind::Brush ? dc->state.brush
                                                     : dc->state.bitmap;
    const HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    const HostCall inHost;
    GdiObject* record = FindObject(object);
    if (record == nullptr || record->deleted) return FALSE;
    if (record->stock) return TRUE;  // deleting a stock object does nothing
    if (SelectedAnywhere(object)) {
        record->deletedWhileSelected = true;
        return FALSE;  // the platform refuses to delete a selected object
    }
    record->deleted = true;
    record->deletedInFrame = world().paintFrame.value_or(-1);
    return TRUE;
}

// Fills with the given brush, whatever brush is selected; no outline.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    const HostCall inHost;
    const GdiObject* record = FindObject(brush);
    if (FindDc(hdc) == nullptr || rect == nullptr || record == nullptr ||
        record->kind != GdiKind::Brush) {
        return 0;
    }
    Record(hdc, Op::FillRect, rect->left, rect->top, rect->right, rect->bottom, record->colour);
    return 1;
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
    const HostCall inHost;
    const DeviceContext* from = FindDc(source);
    if (FindDc(destination) == nullptr || from == nullptr) return FALSE;
    DrawCall call{};
    call.op = Op::BitBlt;
    call.x1 = x;
    call.y1 = y;
    call.x2 = x + width;
    call.y2 = y + height;
    call.sourceBitmap = from->state.bitmap;
    call.sourceAt = POINT{sourceX, sourceY};
    call.rop = rop;
    RecordCall(destination, std::move(call));
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
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    if (oldPoint != nullptr) *oldPoint = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    const HostCall inHost;
    DeviceContext* dc = FindDc(hdc);
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
