#include "toolkit/knob/KnobAdjustWindow.h"

#include <cmath>
#include <cstdlib>

#include "toolkit/ByteBlock.h"
#include "toolkit/ControlData.h"
#include "toolkit/DialogTemplate.h"
#include "toolkit/Drawing.h"
#include "toolkit/Notify.h"
#include "toolkit/PopupPlacement.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/knob/AdjustRulers.h"
#include "toolkit/knob/AdjustScale.h"
#include "toolkit/knob/KnobStyle.h"
#include "toolkit/knob/WindowMover.h"
#include "toolkit/switch/Switch.h"

namespace {

constexpr int32_t kClientWidth = 231;
constexpr int32_t kClientHeight = 320;
constexpr int32_t kTitleHeight = 20;
constexpr uint16_t kCheckButtonId = 100;
constexpr int kPaperBitmap = 12;

// The window's record, built by the opener and copied at WM_INITDIALOG.
struct KnobAdjustState {
    int32_t x, y;
    int32_t width, height;
    uint32_t style;
    HGLOBAL templ;
    uint16_t closeCommand;
    HWND knobWindow;
    // A copy of the knob's target: an owner that destroys the knob from its
    // callback frees nothing the notification still reads.
    NotifyTarget notify;
    const KnobValue* knobValue;
    uint16_t id;
    AdjustScale scale;  // working value, range and the three resolutions
    RulerLayout layout;
    HWND previousCapture;
    int32_t column;  // 0: no value drag; 1 to 3: the ruler being dragged
    int32_t lastX, lastY;
    HBITMAP graph;   // the three rulers, drawn off screen
    WindowMover mover;
    HWND checkButton;
    int32_t closing;  // the window is going: capture changes are its own
};

KnobAdjustState* stateOf(HWND window) { return static_cast<KnobAdjustState*>(get_dialog_data(window)); }

bool decibels(const KnobAdjustState* s) { return (s->style & KNOB_DB) != 0; }

void redrawGraph(HWND window, KnobAdjustState* s) {
    draw_rulers(window, s->graph, &s->layout, &s->scale);
    HDC dc = GetDC(window);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, s->graph);
    BitBlt(dc, 0, kTitleHeight, s->layout.width, s->layout.graphHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(window, dc);
}

void closeWindow(HWND window, KnobAdjustState* s) {
    const HWND previous = s != nullptr ? s->previousCapture : nullptr;
    if (s != nullptr) s->closing = 1;
    ReleaseCapture();
    if (previous != nullptr && previous != window && IsWindow(previous)) SetCapture(previous);
    DestroyWindow(window);
}

INT_PTR onInitDialog(HWND window, KnobAdjustState* block) {
    toolkit().adjustWindow = window;
    KnobAdjustState* s = static_cast<KnobAdjustState*>(std::malloc(sizeof *s));
    if (s == nullptr) return -1;
    copy_bytes(s, block, sizeof *s);
    block->templ = nullptr;
    set_dialog_data(window, s);

    int32_t frame = 0;
    dialog_metrics(&frame, nullptr, nullptr);
    keep_on_work_area(&s->x, &s->y, s->width + 2 * frame, s->height + 2 * frame);
    SetWindowPos(window, nullptr, s->x, s->y, s->width + 2 * frame, s->height + 2 * frame,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
    mover_init(&s->mover, window);
    s->previousCapture = SetCapture(window);

    RECT client = {};
    GetClientRect(window, &client);
    s->width = client.right;
    s->height = client.bottom;
    s->layout = ruler_layout(s->width, s->height);

    HDC dc = GetDC(window);
    s->graph = CreateCompatibleBitmap(dc, s->width, s->layout.graphHeight);
    ReleaseDC(window, dc);
    if (s->graph == nullptr) return -1;
    draw_rulers(window, s->graph, &s->layout, &s->scale);

    s->checkButton = create_stock_switch(window, kCheckButtonId, s->width - 30, s->height - 18, 0);
    if (toolkit().A_imode == 1) send_control_command(s->checkButton, kCommandSetValue, float_bits(1.0f));
    return 0;
}

void onPaint(HWND window, KnobAdjustState* s) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetBkMode(dc, TRANSPARENT);
    draw_text(dc, 0x80000700, 5, 2, "Adjust Value");
    draw_text(dc, 0x80000600, s->width - 186, s->height - 18, "Inverse mousemove mode");
    blit_bitmap(dc, s->graph, 0, kTitleHeight, s->width, s->layout.graphHeight);
    EndPaint(window, &paint);
}

void onLeftButtonDown(HWND window, KnobAdjustState* s, WPARAM wParam, LPARAM lParam) {
    const int32_t x = static_cast<int16_t>(LOWORD(lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(lParam));
    if (x < 0 || y < 0 || x > s->width || y > s->height) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return;
    }
    if (x > s->width - 30 && x < s->width - 6 && y > s->height - 30 && y < s->height - 5) {
        PostMessageA(s->checkButton, WM_LBUTTONDOWN, wParam, lParam);
        return;
    }
    s->lastX = x;
    s->lastY = y;
    s->column = ruler_column(&s->layout, x);
    if (y < kTitleHeight || y > s->layout.graphHeight + kTitleHeight) {
        s->column = 0;
        mover_begin(&s->mover, x, y);
    }
}

void onValueDrag(HWND window, KnobAdjustState* s, int32_t x, int32_t y) {
    const int32_t dx = x - s->lastX, dy = y - s->lastY;
    s->lastX = x;
    s->lastY = y;
    int32_t n = std::abs(dy) > std::abs(dx) ? dy : dx;
    if (toolkit().A_imode == 1) n = -n;
    if (!adjust_drag(&s->scale, s->column, n)) return;
    redrawGraph(window, s);
    const uint32_t bits = float_bits(adjust_knob_value(&s->scale, decibels(s)));
    SendMessageA(s->knobWindow, WM_COMMAND, kCommandSetValue, static_cast<LPARAM>(bits));
    // The knob may have closed this window while it took the value.
    if (stateOf(window) != s) return;
    // The last thing: the owner may destroy the knob, and this window with it.
    notify_owner(&s->notify, s->id, bits);
}

void onMouseMove(HWND window, KnobAdjustState* s, LPARAM lParam) {
    const int32_t x = static_cast<int16_t>(LOWORD(lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(lParam));
    if (mover_is_active(&s->mover))
        mover_track(&s->mover, x, y);
    else if (s->column != 0)
        onValueDrag(window, s, x, y);
}

void onLeftButtonUp(KnobAdjustState* s, LPARAM lParam) {
    if (mover_is_active(&s->mover))
        mover_end(&s->mover, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
    s->column = 0;
}

// Another window took the capture: without it no outside click could close
// this window any more, so it closes now, as its other closers do, and
// leaves the capture where it went.
void onCaptureChanged(HWND window, KnobAdjustState* s, HWND newCapture) {
    if (s->closing || newCapture == window) return;
    s->closing = 1;
    mover_cancel(&s->mover);
    DestroyWindow(window);
}

void onDestroy(HWND window, KnobAdjustState* s) {
    if (toolkit().adjustWindow == window) toolkit().adjustWindow = nullptr;
    set_dialog_data(window, nullptr);
    if (s == nullptr) return;
    if (s->graph != nullptr) DeleteObject(s->graph);
    if (s->templ != nullptr) GlobalFree(s->templ);
    if (toolkit().notificationsEnabled && s->knobWindow != nullptr)
        SendMessageA(s->knobWindow, WM_COMMAND, s->closeCommand, 0);
    std::free(s);
}

// Dialog-procedure answer for a message whose result is its own.
INT_PTR answer(HWND window, LRESULT result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK adjustProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return onInitDialog(window, reinterpret_cast<KnobAdjustState*>(lParam));
    KnobAdjustState* s = stateOf(window);
    if (message == WM_DESTROY) {
        onDestroy(window, s);
        return TRUE;
    }
    if (s == nullptr) return FALSE;

    switch (message) {
        case WM_ERASEBKGND:
            tile_bitmap(window, reinterpret_cast<HDC>(wParam), 0, 0,
                        toolkit().stockBitmaps[kPaperBitmap]);
            return answer(window, 1);
        case WM_PAINT:
            onPaint(window, s);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCheckButtonId) toolkit().A_imode = toolkit().A_imode == 1 ? 0 : 1;
            return TRUE;
        case WM_LBUTTONDOWN:
            onLeftButtonDown(window, s, wParam, lParam);
            return TRUE;
        case WM_MOUSEMOVE:
            onMouseMove(window, s, lParam);
            return TRUE;
        case WM_LBUTTONUP:
            onLeftButtonUp(s, lParam);
            return TRUE;
        case WM_CAPTURECHANGED:
            onCaptureChanged(window, s, reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) closeWindow(window, s);
            return TRUE;
        case WM_CLOSE:
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            closeWindow(window, s);
            return answer(window, 1);
    }
    return FALSE;
}

}  // namespace

HWND open_knob_adjust_window(HWND owner, HWND knobWindow, uint32_t style, int32_t x, int32_t y,
                             uint16_t closeCommand, const NotifyTarget* notify, uint16_t id,
                             const KnobValue* knobValue) {
    if (toolkit().adjustWindow != nullptr) SendMessageA(toolkit().adjustWindow, WM_CLOSE, 0, 0);
    if (knobValue == nullptr) return nullptr;

    KnobAdjustState block = {};
    block.x = x;
    block.y = y;
    block.width = kClientWidth;
    block.height = kClientHeight;
    block.style = style;
    block.closeCommand = closeCommand;
    block.knobWindow = knobWindow;
    if (notify != nullptr) block.notify = *notify;
    block.knobValue = knobValue;
    block.id = id;
    block.scale = adjust_scale(knobValue->current, knobValue->min, knobValue->max,
                               (style & KNOB_DB) != 0);
    block.templ = build_dialog_template(kPopupEditorStyle);
    if (block.templ == nullptr) return nullptr;

    // A fixed block: its address stays valid without holding the lock.
    const DLGTEMPLATE* templ = static_cast<const DLGTEMPLATE*>(GlobalLock(block.templ));
    GlobalUnlock(block.templ);
    HWND window = CreateDialogIndirectParamA(toolkit().instance, templ, owner, adjustProc,
                                             reinterpret_cast<LPARAM>(&block));
    // The window's record takes the template over; until then it is ours.
    if (block.templ != nullptr) GlobalFree(block.templ);
    // A refused initialisation does not fail the creation everywhere: a
    // window without its record or ruler image goes again at once.
    if (window != nullptr) {
        const KnobAdjustState* s = stateOf(window);
        if (s == nullptr || s->graph == nullptr) {
            DestroyWindow(window);
            window = nullptr;
        }
    }
    return window;
}
