#include "toolkit/ListCommon.h"

#include "toolkit/ControlData.h"
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
