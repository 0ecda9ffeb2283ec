#include "toolkit/ListCommon.h"

#include "toolkit/ControlData.h"
#include "toolkit/ListRows.h"
#include "toolkit/WheelSteps.h"
#include "toolkit/ValueControl.h"

HMENU build_list_menu() {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    AppendMenuA(menu, MF_STRING, kListDefaultPanels, "Default Panel Position\t[BACKSPACE]");
    AppendMenuA(menu, MF_STRING, kListFirstRow, "First line\t[HOME]");
    AppendMenuA(menu, MF_STRING, kListLastRow, "Last line\t[End]");
    return menu;
}

int32_t track_list_menu(HWND window, HMENU* slot, int32_t x, int32_t y) {
    void* record = hold_control_record(window);
    if (record == nullptr) return 0;
    POINT point = {x, y};
    ClientToScreen(window, &point);
    // The menu is ours while it is tracked: a list destroyed meanwhile must
    // not destroy it under the menu loop.
    HMENU menu = *slot;
    *slot = nullptr;
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    if (get_control_data(window) == record)
        *slot = menu;
    else
        DestroyMenu(menu);
    return release_control_record(record);
}

bool list_takes_wheel(WPARAM wParam) { return (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) == 0; }

int32_t list_wheel_first_row(int32_t* pending, WPARAM wParam, int32_t rowsPerNotch,
                             int32_t firstRow, int32_t rowCount, int32_t visibleRows) {
    const int32_t rows = wheel_steps(pending, -GET_WHEEL_DELTA_WPARAM(wParam), rowsPerNotch);
    return list_scrolled_first_row(firstRow, rows, rowCount, visibleRows);
}
