#include "toolkit/ValueControl.h"

#include <cstdlib>

#include "toolkit/ByteBlock.h"
#include "toolkit/ControlData.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"

namespace {

constexpr WPARAM kTabKey = 9;
constexpr WPARAM kEscapeKey = 27;

// Every record is preceded by its hold count: a window destroyed while a
// modal call holds its record leaves the freeing to the last release.
struct alignas(8) RecordHeader {
    int32_t holds;
    int32_t orphaned;  // the window is gone; free at the last release
};

RecordHeader* header(void* record) { return reinterpret_cast<RecordHeader*>(record) - 1; }

void* allocateRecord(uint32_t size) {
    RecordHeader* block = static_cast<RecordHeader*>(std::malloc(sizeof(RecordHeader) + size));
    if (block == nullptr) return nullptr;
    block->holds = 0;
    block->orphaned = 0;
    return block + 1;
}

// The window lets go of its record: freed now, or by the last hold.
void dropRecord(void* record) {
    RecordHeader* h = header(record);
    if (h->holds > 0) {
        h->orphaned = 1;
        return;
    }
    std::free(h);
}

LRESULT create(const ValueControlClass* cls, HWND window, LPARAM lParam) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const void* templ = create != nullptr ? create->lpCreateParams : nullptr;
    // Without a template there is nothing to build the control from.
    if (templ == nullptr || cls->recordSize == 0) return -1;
    void* record = allocateRecord(cls->recordSize);
    if (record == nullptr) return -1;
    set_control_data(window, record);
    copy_bytes(record, templ, cls->recordSize);
    if (cls->created != nullptr && cls->created(window, record) != 0) {
        // A window destroyed from inside `created` has let go of its record.
        if (get_control_data(window) == record) {
            set_control_data(window, nullptr);
            dropRecord(record);
        }
        return -1;
    }
    return 0;
}

void destroy(const ValueControlClass* cls, HWND window, void* record) {
    if (cls->destroying != nullptr) cls->destroying(window, record);
    set_control_data(window, nullptr);
    dropRecord(record);
}

// Command 1 or 2: returns whether the state changed.
bool setEnabled(const ValueControlClass* cls, void* record, int32_t enabled) {
    int32_t* flag = cls->enabledFlag != nullptr ? cls->enabledFlag(record) : nullptr;
    if (flag == nullptr || (*flag != 0) == (enabled != 0)) return false;
    *flag = enabled;
    return true;
}

LRESULT command(const ValueControlClass* cls, HWND window, void* record, WPARAM wParam,
                LPARAM lParam) {
    switch (control_command_of(cls, wParam)) {
        case kCommandEnable:
        case kCommandDisable:
            if (setEnabled(cls, record, control_command_of(cls, wParam) == kCommandEnable ? 1 : 0))
                InvalidateRect(window, nullptr, FALSE);
            return 0;
        case kCommandGetValue: {
            const float* value = cls->value != nullptr ? cls->value(record) : nullptr;
            return value != nullptr ? static_cast<LRESULT>(float_bits(*value)) : 0;
        }
        case kCommandSetValue:
            if (cls->setValue != nullptr)
                cls->setValue(window, record, bits_float(static_cast<uint32_t>(lParam)));
            return 0;
    }
    return 0;
}

}  // namespace

uint32_t control_command_of(const ValueControlClass* cls, WPARAM wParam) {
    uint32_t command = static_cast<uint32_t>(wParam);
    if (cls->commandRule == kCommandsLowWord && HIWORD(wParam) <= 1) command = LOWORD(wParam);
    return command >= kCommandEnable && command <= kCommandSetValue ? command : 0;
}

int32_t value_control_message(const ValueControlClass* cls, HWND window, UINT message,
                              WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CREATE) {
        *result = create(cls, window, lParam);
        return 1;
    }
    void* record = get_control_data(window);
    if (record == nullptr) return 0;

    switch (message) {
        case WM_DESTROY:
            destroy(cls, window, record);
            *result = 0;
            return 1;

        // Reached with a record only when WM_DESTROY never came (a creation
        // that failed after the record was stored).
        case WM_NCDESTROY:
            destroy(cls, window, record);
            *result = DefWindowProcA(window, message, wParam, lParam);
            return 1;

        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            int32_t* focused = cls->focusFlag != nullptr ? cls->focusFlag(record) : nullptr;
            if (focused != nullptr) {
                *focused = message == WM_SETFOCUS ? 1 : 0;
                InvalidateRect(window, nullptr, FALSE);
            }
            *result = 0;
            return 1;
        }

        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (cls->paint != nullptr) cls->paint(window, dc, record);
            EndPaint(window, &paint);
            *result = 0;
            return 1;
        }

        case WM_CLOSE:
            DestroyWindow(window);
            *result = 0;
            return 1;

        case WM_MOUSEACTIVATE:
            if (GetFocus() != window) SetFocus(window);
            *result = DefWindowProcA(window, message, wParam, lParam);
            return 1;

        case WM_KEYDOWN:
            if (wParam != kTabKey && wParam != kEscapeKey) return 0;
            if (cls->owner != nullptr && cls->owner(record) != nullptr)
                PostMessageA(cls->owner(record), WM_KEYDOWN, wParam, lParam);
            *result = 0;
            return 1;

        case WM_COMMAND:
            if (control_command_of(cls, wParam) == 0) return 0;
            *result = command(cls, window, record, wParam, lParam);
            return 1;
    }
    return 0;
}

LRESULT run_value_control(const ValueControlClass* cls, ControlMessageHandler own, HWND window,
                          UINT message, WPARAM wParam, LPARAM lParam) {
    void* record = message == WM_CREATE ? nullptr : hold_control_record(window);
    if (record != nullptr) {
        LRESULT result = 0;
        const int32_t handled = own(window, record, message, wParam, lParam, &result);
        const int32_t alive = release_control_record(record);
        if (handled) return result;
        if (!alive) return 0;
    }
    LRESULT result = 0;
    if (value_control_message(cls, window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

int32_t notify_from_control(void* record, const NotifyTarget* target, int32_t code, uint32_t value) {
    ++header(record)->holds;
    notify_owner(target, code, value);
    return release_control_record(record);
}

void repaint_control(const ValueControlClass* cls, HWND window) {
    void* record = get_control_data(window);
    if (record == nullptr || cls->paint == nullptr) return;
    HDC dc = GetDC(window);
    cls->paint(window, dc, record);
    ReleaseDC(window, dc);
}

void* hold_control_record(HWND window) {
    void* record = get_control_data(window);
    if (record != nullptr) ++header(record)->holds;
    return record;
}

int32_t release_control_record(void* record) {
    if (record == nullptr) return 0;
    RecordHeader* h = header(record);
    --h->holds;
    if (!h->orphaned) return 1;
    if (h->holds <= 0) std::free(h);
    return 0;
}

void track_control_menu(HWND window, const void* record, HMENU* menu, int32_t x, int32_t y) {
    HMENU tracked = *menu;
    POINT point = {x, y};
    ClientToScreen(window, &point);
    *menu = nullptr;
    TrackPopupMenu(tracked, 0, point.x, point.y, 0, window, nullptr);
    if (get_control_data(window) == record)
        *menu = tracked;
    else
        DestroyMenu(tracked);
}
