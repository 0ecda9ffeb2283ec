// The free control's window procedure. The record is read afresh for every
// message and nothing of it is touched after the procedure returns: the
// procedure may destroy its own window.
#include "toolkit/free/FreeControl.h"

#include <cstdlib>

#include "toolkit/ByteBlock.h"
#include "toolkit/ControlData.h"
#include "toolkit/ControlData.h"
#include "toolkit/WindowClasses.h"

namespace {

FreeControlRecord* recordOf(HWND window) {
    return static_cast<FreeControlRecord*>(get_control_data(window));
}

LRESULT forward(const FreeControlRecord* r, HWND window, UINT message, WPARAM wParam,
                LPARAM lParam) {
    if (r->procedure == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return r->procedure(window, message, wParam, lParam, r->user);
}

LRESULT onCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    // Without a creation block there is no procedure to run the control.
    if (create == nullptr || create->lpCreateParams == nullptr) return -1;
    FreeControlRecord* r = static_cast<FreeControlRecord*>(std::malloc(sizeof(FreeControlRecord)));
    if (r == nullptr) return -1;
    copy_bytes(r, create->lpCreateParams, sizeof *r);
    set_control_data(window, r);
    return forward(r, window, WM_CREATE, wParam, lParam);
}

// The procedure's last message; the record goes with it. Also reached at
// WM_NCDESTROY when a failed creation sent no WM_DESTROY.
void finish(HWND window, FreeControlRecord* r) {
    const FreeControlRecord last = *r;
    set_control_data(window, nullptr);
    std::free(r);
    forward(&last, window, WM_DESTROY, 0, 0);
}

}  // namespace

LRESULT CALLBACK free_control_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            set_control_data(window, nullptr);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_CREATE: return onCreate(window, wParam, lParam);
        case WM_CLOSE: DestroyWindow(window); return 0;
        case WM_MOUSEACTIVATE:
            if (GetFocus() != window) SetFocus(window);
            return DefWindowProcA(window, message, wParam, lParam);
    }
    FreeControlRecord* r = recordOf(window);
    if (r == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_DESTROY || message == WM_NCDESTROY) {
        finish(window, r);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return forward(r, window, message, wParam, lParam);
}

HWND create_free_control(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                         int32_t height, uint32_t style, FreeControlProc procedure, void* user) {
    FreeControlRecord block = {};
    block.user = user;
    block.procedure = procedure;
    return create_control_window(kFreeClassName, parent, id, x, y, width, height, style, &block);
}
