#include "ModalScript.h"

#include "toolkit/ToolkitModule.h"

ModalScript g_modal;

namespace {

void postKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0x00000001);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void playEdit(HWND dialog) {
    g_modal.sawEdit = true;
    HWND field = GetDlgItem(dialog, 10);
    char text[256] = {};
    GetWindowTextA(field, text, sizeof text);
    g_modal.editText = text;
    RECT r = {};
    GetWindowRect(field, &r);
    g_modal.editWidth = r.right - r.left;
    if (g_modal.typeText != nullptr) SetWindowTextA(field, g_modal.typeText);
    PostMessageA(field, WM_KEYDOWN, g_modal.confirm ? VK_RETURN : VK_ESCAPE, 0x00010001);
}

void playTime(HWND dialog) {
    g_modal.sawTime = true;
    if (g_modal.typeText != nullptr) SetDlgItemTextA(dialog, 10, g_modal.typeText);
    PostMessageA(dialog, WM_COMMAND, g_modal.confirm ? IDOK : IDCANCEL, 0);
}

// Otherwise a popup menu is being tracked: its loop reads the keys.
void playMenu() {
    g_modal.sawMenu = true;
    if (g_modal.menuItem <= 0) {
        EndMenu();
        return;
    }
    HWND focus = GetFocus();
    for (int i = 0; i < g_modal.menuItem; ++i) postKey(focus, VK_DOWN);
    postKey(focus, VK_RETURN);
}

void CALLBACK play(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (g_modal.destroy != nullptr) {
        DestroyWindow(g_modal.destroy);
        g_modal.destroy = nullptr;
    }
    if (HWND dialog = toolkit().valueEditDialog)
        playEdit(dialog);
    else if (HWND dialog = toolkit().timeEntryDialog)
        playTime(dialog);
    else
        playMenu();
}

}  // namespace

void run_modal(const std::function<void()>& f) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, play);
    f();
    KillTimer(nullptr, timer);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
