#include "toolkit/Notify.h"

#include "toolkit/ToolkitModule.h"

int32_t notify_owner(const NotifyTarget* target, int32_t code, uint32_t value) {
    if (target == nullptr || !toolkit().notificationsEnabled) return 0;
    if (target->flags & kNotifyByCallback) {
        // A record that asks for a callback without naming one reports nothing.
        if (target->callback == nullptr) return 0;
        return target->callback(target->user, code, value);
    }
    // A null owner would turn the post into a message to this thread.
    if (target->owner == nullptr) return 0;
    PostMessageA(target->owner, WM_COMMAND, static_cast<WPARAM>(code & 0xFFFF),
                 static_cast<LPARAM>(value));
    return 0;
}

float send_control_command(HWND window, uint32_t command, uint32_t valueBits) {
    const LRESULT result =
        SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), static_cast<LPARAM>(valueBits));
    return bits_float(static_cast<uint32_t>(result));
}

void post_control_command(HWND window, uint32_t command, uint32_t valueBits) {
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), static_cast<LPARAM>(valueBits));
}
