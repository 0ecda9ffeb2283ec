#pragma once
// Closes the popup menu a control tracks inside a message handler, as a
// person pressing Escape would (played by ModalScript from inside the menu
// loop), optionally destroying a window first (a control destroyed while its
// menu is up).
#include <windows.h>

#include "ModalScript.h"

// Runs f, which opens a menu; true when the menu was up.
template <typename F>
bool with_menu_closed(F f, HWND destroyFirst = nullptr) {
    g_modal = ModalScript{};
    g_modal.destroy = destroyFirst;
    run_modal(f);
    return g_modal.sawMenu;
}
