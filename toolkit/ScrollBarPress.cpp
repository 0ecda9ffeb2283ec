#include "toolkit/ScrollBarPress.h"

#include <windowsx.h>

#include "toolkit/ValueControl.h"

namespace {

int32_t along(int bar, DWORD point) {
    return bar == SB_VERT ? GET_Y_LPARAM(point) : GET_X_LPARAM(point);
}

}  // namespace

int32_t run_scroll_bar_press(HWND window, ScrollBarPress* press, UINT message, WPARAM hitTest,
                             LPARAM point, int32_t viewX, int32_t viewY, LRESULT* result) {
    if (message != WM_NCLBUTTONDOWN && message != WM_NCLBUTTONDBLCLK) return 0;
    if (hitTest != HTVSCROLL && hitTest != HTHSCROLL) return 0;
    const int bar = hitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
    void* held = hold_control_record(window);
    *press = {1, bar, along(bar, static_cast<DWORD>(point)), bar == SB_VERT ? viewY : viewX};
    *result = DefWindowProcA(window, message, hitTest, point);
    // The owner may have destroyed the window during the loop.
    if (release_control_record(held)) press->active = 0;
    return 1;
}

int32_t scroll_bar_press_view(const ScrollBarPress* press, int bar, int request, int32_t computed) {
    const bool thumb = request == SB_THUMBTRACK || request == SB_THUMBPOSITION;
    // The message being handled is the tracking loop's mouse message.
    if (!thumb || !press->active || press->bar != bar || along(bar, GetMessagePos()) != press->pointer)
        return computed;
    return press->view;
}
