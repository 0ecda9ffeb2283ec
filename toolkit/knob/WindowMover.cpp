#include "toolkit/knob/WindowMover.h"

#include "toolkit/ToolkitModule.h"

namespace {

POINT toScreen(HWND window, int32_t x, int32_t y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

// The outline of the window as if grabbed at (px, py), with a cross through
// the grab point. Drawn with XOR: drawing it twice removes it.
void xorOutline(const WindowMover* mover, int32_t px, int32_t py) {
    HDC screen = GetDC(nullptr);
    const int oldMode = SetROP2(screen, R2_XORPEN);
    HGDIOBJ oldPen = SelectObject(screen, toolkit().dashDotPen);
    HGDIOBJ oldBrush = SelectObject(screen, GetStockObject(HOLLOW_BRUSH));
    const int32_t left = px - mover->grabX;
    const int32_t top = py - mover->grabY;
    const int32_t right = left + mover->moveWidth;
    const int32_t bottom = top + mover->moveHeight;
    Rectangle(screen, left, top, right, bottom);
    MoveToEx(screen, left, py, nullptr);
    LineTo(screen, right, py);
    MoveToEx(screen, px, top, nullptr);
    LineTo(screen, px, bottom);
    SetROP2(screen, oldMode);
    SelectObject(screen, oldPen);
    SelectObject(screen, oldBrush);
    ReleaseDC(nullptr, screen);
}

// Takes the outline off the screen and stops tracking.
void stopTracking(WindowMover* mover) {
    if (mover->outlineShown) xorOutline(mover, mover->cursorX, mover->cursorY);
    mover->outlineShown = 0;
    mover->active = 0;
}

}  // namespace

void mover_init(WindowMover* mover, HWND window) {
    *mover = WindowMover{};
    mover->window = window;
}

void mover_begin(WindowMover* mover, int32_t x, int32_t y) {
    const POINT cursor = toScreen(mover->window, x, y);
    RECT frame = {};
    GetWindowRect(mover->window, &frame);
    mover->cursorX = cursor.x;
    mover->cursorY = cursor.y;
    mover->left = frame.left;
    mover->top = frame.top;
    mover->moveWidth = frame.right - frame.left + 1;
    mover->moveHeight = frame.bottom - frame.top + 1;
    mover->grabX = cursor.x - frame.left;
    mover->grabY = cursor.y - frame.top;
    mover->active = 1;
    mover->outlineShown = 0;
    mover->previousCapture = SetCapture(mover->window);
}

void mover_track(WindowMover* mover, int32_t x, int32_t y) {
    if (!mover->active) return;
    const POINT cursor = toScreen(mover->window, x, y);
    if (mover->outlineShown) xorOutline(mover, mover->cursorX, mover->cursorY);
    xorOutline(mover, cursor.x, cursor.y);
    mover->cursorX = cursor.x;
    mover->cursorY = cursor.y;
    mover->outlineShown = 1;
}

void mover_end(WindowMover* mover, int32_t, int32_t) {
    if (!mover->active) return;
    // Stopped before the capture goes: releasing it reports back at once.
    stopTracking(mover);
    // A window that held the capture before the move (the adjust window
    // holds it all its life) keeps it: no release for it to mistake for a
    // loss.
    const HWND previous = mover->previousCapture;
    mover->previousCapture = nullptr;
    if (previous != mover->window) ReleaseCapture();
    SetWindowPos(mover->window, nullptr, mover->cursorX - mover->grabX,
                 mover->cursorY - mover->grabY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (previous != nullptr && previous != mover->window) SetCapture(previous);
}

int32_t mover_is_active(const WindowMover* mover) { return mover->active; }

void mover_cancel(WindowMover* mover) {
    if (!mover->active) return;
    stopTracking(mover);
    mover->previousCapture = nullptr;
}
