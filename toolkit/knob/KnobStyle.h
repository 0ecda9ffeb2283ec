#pragma once
// Style bits of the rotary knob. The same word travels in the knob's look,
// its notification flags and its value record; the adjust window and the
// dialogs read some of them too. Portable: no Windows headers.
#include <cstdint>

constexpr uint32_t KNOB_PEN_MASK = 0xF;       // pen palette index of the pointer outline
constexpr uint32_t KNOB_BRUSH_MASK = 0xF0;    // brush palette index of the pointer fill
constexpr uint32_t KNOB_EDIT_VALUE = 0x100000;
constexpr uint32_t KNOB_EDIT_TIME = 0x200000;
constexpr uint32_t KNOB_DB = 0x400000;
constexpr uint32_t KNOB_NOTIFY_DRAG = 0x1000000;
constexpr uint32_t KNOB_CALLBACK = 0x2000000;  // notify through the callback
constexpr uint32_t KNOB_NO_EDIT = 0x4000000;
constexpr uint32_t KNOB_SHORT_POINTER = 0x8000000;
constexpr uint32_t KNOB_LOG = 0x10000000;
constexpr uint32_t KNOB_SPRING = 0x20000000;
