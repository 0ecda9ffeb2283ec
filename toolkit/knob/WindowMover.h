#pragma once
// Moves a popup window by dragging an outline of it across the screen: the
// outline follows the mouse and the window jumps to it when the button is
// released. Used by the knob adjust window and the time entry dialog.
#include <windows.h>

#include <cstdint>

struct WindowMover {
    HWND window;
    int32_t active;
    int32_t outlineShown;
    int32_t cursorX, cursorY;  // screen point last tracked
    int32_t grabX, grabY;      // grab point from the window's top-left corner
    int32_t left, top;         // window rectangle at the start
    int32_t moveWidth, moveHeight;
    HWND previousCapture;
};

// Coordinates are client coordinates of the mover's window.
void mover_init(WindowMover* mover, HWND window);
void mover_begin(WindowMover* mover, int32_t x, int32_t y);
void mover_track(WindowMover* mover, int32_t x, int32_t y);
void mover_end(WindowMover* mover, int32_t x, int32_t y);
// Ends a move whose capture went to another window: the outline goes, the
// window stays where it was, and the capture stays with its new holder.
void mover_cancel(WindowMover* mover);
int32_t mover_is_active(const WindowMover* mover);
