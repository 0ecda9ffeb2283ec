#pragma once
// What the two lists share on the Windows side: their commands, their
// context menu ("Default Panel Position", "First line", "Last line"), whose
// choices come back to the list as these commands, and how they call their
// owner's callback.
#include <windows.h>

#include <cstdint>

#include "toolkit/ValueControl.h"

enum ListCommand : uint32_t {
    kListSelectRow = 5,  // 3D list: lParam carries the row as float bits
    kListRowDown = 6,
    kListRowUp = 7,
    kListDefaultPanels = 1000,
    kListFirstRow = 1001,
    kListLastRow = 1002,
};

HMENU build_list_menu();

// Whether a list takes a wheel message: Ctrl+wheel means nothing to a list,
// and the owner may have it.
bool list_takes_wheel(WPARAM wParam);
// The first row a wheel message scrolls a list to: rowsPerNotch rows a
// notch, a notch turned toward the user scrolling down; the part of a row
// not yet scrolled waits in *pending.
int32_t list_wheel_first_row(int32_t* pending, WPARAM wParam, int32_t rowsPerNotch,
                             int32_t firstRow, int32_t rowCount, int32_t visibleRows);

// Tracks the menu kept in *slot, a field of window's record, at the client
// point (x, y) with window as owner; the choice arrives afterwards as a
// WM_COMMAND. The list may be destroyed while the menu is up: the result is
// then 0, the menu is gone and the record must not be touched again.
int32_t track_list_menu(HWND window, HMENU* slot, int32_t x, int32_t y);

// Calls callback(user, code, cell) for window, whose record holds cell; the
// answer goes to *answer when asked for. The owner may destroy the list from
// its callback: false then, and the record must not be touched again.
template <typename Cell>
bool call_list_owner(HWND window, int32_t(__cdecl* callback)(void*, int32_t, Cell*), void* user,
                     int32_t code, Cell* cell, int32_t* answer) {
    if (callback == nullptr) return true;
    void* held = hold_control_record(window);
    const int32_t result = callback(user, code, cell);
    if (!release_control_record(held)) return false;
    if (answer != nullptr) *answer = result;
    return true;
}
