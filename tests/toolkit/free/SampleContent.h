#pragma once
// Sample content for showing a free control: a level meter of ten lights
// (green, yellow, red) with its level written beside them; a click at a
// light sets the level there, Up and Down step it.
//
//   static SampleMeter meter = {6};
//   create_free_control(parent, 42, x, y, kSampleMeterWidth, kSampleMeterHeight,
//                       WS_TABSTOP, sample_meter_procedure, &meter);
//
// or create_sample_meter(parent, 42, x, y, &meter).
#include <windows.h>

#include <cstdint>

#include "toolkit/free/FreeControl.h"

constexpr int32_t kSampleMeterWidth = 180;
constexpr int32_t kSampleMeterHeight = 28;

struct SampleMeter {
    int32_t level;  // lights lit, 0 to 10
};

// user: the SampleMeter the control shows.
LRESULT __cdecl sample_meter_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       void* user);

HWND create_sample_meter(HWND parent, uint16_t id, int32_t x, int32_t y, SampleMeter* meter);
