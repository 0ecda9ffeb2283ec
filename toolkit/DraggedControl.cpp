#include "toolkit/DraggedControl.h"

int32_t dragged_control_message(const DraggedControlHandlers* h, HWND window, void* record,
                                UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CAPTURECHANGED:
            // A drag whose capture was taken away ends there.
            if (reinterpret_cast<HWND>(lParam) != window) h->captureLost(window, record);
            return 1;
        case WM_KEYDOWN:
            if (wParam == VK_TAB || wParam == VK_ESCAPE) return 0;
            h->keyDown(window, record, wParam);
            return 1;
        case WM_COMMAND:
            if (control_command_of(h->cls, wParam) == kCommandDisable) {
                h->disabling(window, record);
                return 0;  // the shared handling disables
            }
            // The control's own commands, by the same rule as the shared ones.
            return h->command(window, record, HIWORD(wParam) <= 1 ? LOWORD(wParam) : 0);
    }
    return 0;
}
