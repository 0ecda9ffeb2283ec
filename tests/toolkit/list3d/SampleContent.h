#pragma once
// Sample content for showing a 3D list: a pattern of notes over 32 rows on
// four pages ("Page 1" in front), numbered rows at the left, the selected
// row in blue, drawn with the toolkit's palette and fonts.
//
//   HWND list = create_sample_list3d(parent, 40, 10, 10);
//
// or with a layout of one's own:
//
//   PanelList layout = sample_list3d_layout();
//   create_list3d(parent, id, x, y, kSampleList3DWidth, kSampleList3DHeight, &layout,
//                 sample_list3d_cell, nullptr);
#include <windows.h>

#include <cstdint>

#include "toolkit/list3d/List3D.h"

constexpr int32_t kSampleList3DWidth = 320;
constexpr int32_t kSampleList3DHeight = 240;

// 32 rows, 4 panels 150 wide stepping 12 up, 16-pixel rows under 20-pixel headers.
PanelList sample_list3d_layout();

// Draws each cell (code 1) and ignores the other codes; user is unused.
int32_t __cdecl sample_list3d_cell(void* user, int32_t code, List3DCell* cell);

HWND create_sample_list3d(HWND parent, uint16_t id, int32_t x, int32_t y);
