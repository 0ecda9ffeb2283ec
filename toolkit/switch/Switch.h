#pragma once
// The two-state bitmap button: shows one of two faces by its value (0.0 or
// 1.0) and reports presses to its owner. Window class
// "C_RA2ZAZ_I2p_00\xA9KSomar".
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"

// Mode of the style word (style & 0xF000); any other mode is an indicator.
constexpr uint32_t SWITCH_MODE_MASK = 0xF000;
constexpr uint32_t SWITCH_MOMENTARY = 0x1000;
constexpr uint32_t SWITCH_TOGGLE = 0x2000;
constexpr uint32_t SWITCH_SET_ONLY = 0x8000;
// An indicator whose style word is exactly this shows no focus mark.
constexpr uint32_t SWITCH_INDICATOR_NO_FOCUS = 0x4000;
// Momentary buttons only: report repeatedly while held.
constexpr uint32_t SWITCH_AUTO_REPEAT = 0x20000;

// A button of the size of offFace; a null disabledFace selects the disabled
// cross. Notifies through callback when it is not null, else by posting
// WM_COMMAND to parent. Null when creation failed.
HWND create_switch(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP offFace,
                   HBITMAP onFace, HBITMAP disabledFace, ControlCallback callback, void* user);
// A button with the toolkit's stock faces (24 x 16), posting its
// notifications to parent: toggle, or momentary when flags has 0x1000, or
// set-only when flags has 0x8000.
HWND create_stock_switch(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t flags);

LRESULT CALLBACK switch_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
