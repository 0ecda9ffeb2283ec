#pragma once
// A user's still click on a window's own scroll-bar thumb: the button goes
// down and up at the thumb's middle through the system's input queue, so
// that the bar runs its own tracking loop and reports what it computes from
// the thumb's pixels.
#include <windows.h>

#include <chrono>
#include <thread>

// bar: OBJID_VSCROLL or OBJID_HSCROLL. Returns false when the bar shows no thumb.
inline bool click_scroll_thumb(HWND window, LONG bar) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, bar, &info) || info.xyThumbBottom <= info.xyThumbTop) return false;
    const RECT& r = info.rcScrollBar;
    const int along = (info.xyThumbTop + info.xyThumbBottom) / 2;
    const bool vertical = bar == OBJID_VSCROLL;
    SetCursorPos(vertical ? (r.left + r.right) / 2 : r.left + along,
                 vertical ? r.top + along : (r.top + r.bottom) / 2);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    // The press runs the bar's tracking loop inside its dispatch until the release.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(80);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
