#include "list2d/SampleContent.h"

#include <cstdio>

#include "toolkit/Drawing.h"

namespace {

constexpr int32_t kRowHeight = 18;

const char* const kPresets[] = {"Gentle glue",  "Drum bus",    "Vocal ride",  "Master ceiling",
                                "Loud and proud", "Broadcast", "Transparent", "Brickwall",
                                "Soft knee",    "Punchy bass"};

}  // namespace

int32_t __cdecl sample_list2d_row(void*, int32_t code, List2DCell* c) {
    if (code != kList2DDrawRow) return 0;
    RECT client = {};
    GetClientRect(c->window, &client);
    const bool real = c->row >= 1 && c->row <= kSampleList2DRows;
    const int fill = c->selected && real ? 4 : (c->row % 2 == 0 ? 14 : 15);
    fill_box(c->dc, fill << 4 | fill, 0, c->top, client.right, c->top + kRowHeight);
    if (!real) return 0;
    char text[48];
    std::snprintf(text, sizeof text, "%02d  %s", c->row, kPresets[(c->row - 1) % 10]);
    SetBkMode(c->dc, TRANSPARENT);
    draw_text(c->dc, (c->selected ? 15 : 0) | (4 << 8), 6, c->top + 2, text);
    return 0;
}

HWND create_sample_list2d(HWND parent, uint16_t id, int32_t x, int32_t y) {
    return create_list2d(parent, id, x, y, kSampleList2DWidth, kSampleList2DHeight,
                         kSampleList2DRows, kRowHeight, sample_list2d_row, nullptr);
}
