#pragma once
// Closes the popup menu a control tracks inside a message handler, as a
// person pressing Escape would: a thread timer fires inside the menu loop,
// optionally destroys a window first (a control destroyed while its menu is
// up), and ends the menu.
#include <windows.h>

struct MenuCloser {
    bool sawMenu = false;
    HWND destroyFirst = nullptr;
};

inline MenuCloser& menu_closer() {
    static MenuCloser closer;
    return closer;
}

inline void CALLBACK close_tracked_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    MenuCloser& closer = menu_closer();
    closer.sawMenu = true;
    if (closer.destroyFirst != nullptr) DestroyWindow(closer.destroyFirst);
    closer.destroyFirst = nullptr;
    EndMenu();
}

// Runs f, which opens a menu; true when the menu was up. destroyFirst: a
// window to destroy while the menu is up.
template <typename F>
bool with_menu_closed(F f, HWND destroyFirst = nullptr) {
    menu_closer() = MenuCloser{};
    menu_closer().destroyFirst = destroyFirst;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, close_tracked_menu);
    f();
    KillTimer(nullptr, timer);
    return menu_closer().sawMenu;
}
