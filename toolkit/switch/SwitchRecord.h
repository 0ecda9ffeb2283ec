#pragma once
// The data record of one two-state button (its window's extra bytes point at
// it). The create operations fill one as the creation template.
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"

struct SwitchRecord {
    HWND owner;
    int32_t x, y;                // where it was created; kept, not used
    uint16_t id;                 // low word of every notification code
    int32_t enabled;
    int32_t focused;             // never set while the style word is 0x4000
    ControlDescriptor descriptor;  // face1 off, face2 on, disabled face, shape, style
    NotifyTarget target;
    float value;                 // 0.0 or 1.0
    HBITMAP mask;                // circular shape only
    int32_t pressed;             // momentary: between press and release
    HWND previousCapture;        // given the capture back on release
    uint32_t repeatTicks;        // auto-repeat ticks since the press
    UINT_PTR timerId;            // 0 while no repeat timer runs
    int32_t repeatPaused;        // 1 while auto-repeat is stopped or paused
};

// Auto-repeat timer of a held momentary button.
constexpr UINT_PTR kSwitchRepeatTimer = 100;
constexpr UINT kSwitchRepeatPeriodMs = 50;

// Whether the auto-repeat tick t (0 for the first tick after the press)
// reports: slowly at first, then faster the longer the button is held.
inline bool switch_repeat_reports(uint32_t t) {
    if (t <= 4) return false;
    if (t <= 20) return t % 4 == 0;
    if (t <= 40) return t % 2 == 0;
    return true;
}
