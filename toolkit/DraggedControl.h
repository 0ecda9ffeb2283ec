#pragma once
// What the knob and the slider share beyond every value control: a class
// description read from records of the same shape, and the messages both
// answer alike (a capture taken away, keys, the disable command, their own
// commands).
#include <windows.h>

#include <cstdint>

#include "toolkit/ValueControl.h"

// The class description of a control whose record has owner, focused,
// enabled and value.current; command 4 goes to SetSilently.
template <typename Record, int32_t (*SetSilently)(Record*, float)>
constexpr ValueControlClass dragged_control_class(int32_t (*created)(HWND, void*),
                                                  void (*destroying)(HWND, void*),
                                                  void (*paint)(HWND, HDC, void*)) {
    return {
        sizeof(Record),
        created,
        destroying,
        paint,
        [](void* r) -> int32_t* { return &static_cast<Record*>(r)->focused; },
        [](void* r) -> int32_t* { return &static_cast<Record*>(r)->enabled; },
        [](void* r) -> const float* { return &static_cast<Record*>(r)->value.current; },
        [](HWND, void* r, float v) { SetSilently(static_cast<Record*>(r), v); },
        [](void* r) { return static_cast<Record*>(r)->owner; },
        kCommandsLowWord,
    };
}

// A control's handlers for the messages both controls answer alike.
struct DraggedControlHandlers {
    const ValueControlClass* cls;
    void (*captureLost)(HWND window, void* record);  // ends a drag
    void (*disabling)(HWND window, void* record);    // ends every gesture
    void (*keyDown)(HWND window, void* record, WPARAM key);
    int32_t (*command)(HWND window, void* record, uint32_t id);  // 0: not its own
};

// Handles those messages as a ControlMessageHandler does; 0 for the others
// and for what goes on to the shared handling (Tab, Escape, disabling).
int32_t dragged_control_message(const DraggedControlHandlers* handlers, HWND window, void* record,
                                UINT message, WPARAM wParam, LPARAM lParam);
