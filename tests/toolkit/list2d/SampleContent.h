#pragma once
// Sample content for showing a 2D list: 40 named presets, alternate rows
// shaded, the selection in blue, drawn with the toolkit's palette and fonts.
//
//   HWND list = create_sample_list2d(parent, 41, 10, 10);
//
// or, for other sizes:
//
//   create_list2d(parent, id, x, y, width, height, kSampleList2DRows, 18,
//                 sample_list2d_row, nullptr);
#include <windows.h>

#include <cstdint>

#include "toolkit/list2d/List2D.h"

constexpr int32_t kSampleList2DRows = 40;
constexpr int32_t kSampleList2DWidth = 220;
constexpr int32_t kSampleList2DHeight = 150;

// Draws each row (code 1) across the list's client width and ignores the
// other codes; user is unused.
int32_t __cdecl sample_list2d_row(void* user, int32_t code, List2DCell* cell);

HWND create_sample_list2d(HWND parent, uint16_t id, int32_t x, int32_t y);
