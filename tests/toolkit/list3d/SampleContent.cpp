#include "list3d/SampleContent.h"

#include <cstdio>

#include "toolkit/ControlTypes.h"
#include "toolkit/Drawing.h"

namespace {

// Style words: text colour, fill brush, font (palette and font indices).
uint32_t style(int text, int fill, int font) { return text | (fill << 4) | (font << 8); }

void cell(HDC dc, const List3DCell* c, uint32_t look, const char* text) {
    fill_box(dc, look & ~0xFu, c->left, c->top, c->right + 1, c->bottom + 1);
    if (text == nullptr) return;
    SetBkMode(dc, TRANSPARENT);
    draw_text(dc, look, c->left + 4, c->top + 2, text);
}

// A note and a velocity for some cells, an empty step for the others.
void noteText(int32_t row, int32_t panel, char* text, size_t size) {
    static const char* const kNames[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                           "F#", "G-", "G#", "A-", "A#", "B-"};
    const int32_t k = row * 7 + panel * 5;
    if ((row + panel) % 3 == 0) {
        std::snprintf(text, size, "--- --");
        return;
    }
    std::snprintf(text, size, "%s%d %02X", kNames[k % 12], 3 + (row + panel) % 3,
                  (row * 13 + panel * 29) % 128);
}

}  // namespace

PanelList sample_list3d_layout() {
    PanelList layout = {};
    layout.rowCount = 32;
    layout.rowHeaderWidth = 28;
    layout.headerHeight = 20;
    layout.panelWidth = 150;
    layout.rowHeight = 16;
    layout.panelCount = 4;
    layout.panelStep = 12;
    return layout;
}

int32_t __cdecl sample_list3d_cell(void*, int32_t code, List3DCell* c) {
    if (code != kList3DDrawCell) return 0;
    char text[32];
    const bool selected = c->row != 0 && c->row == c->selectedRow;
    if (c->panel == 0) {
        std::snprintf(text, sizeof text, "%02d", c->row);
        cell(c->dc, c, selected ? style(15, 4, 3) : style(0, 12, 2), text);
    } else if (c->row == 0) {
        std::snprintf(text, sizeof text, "Page %d", c->panel);
        fill_box(c->dc, style(0, 10, 0) | kStyleRaised, c->left, c->top, c->right, c->bottom);
        SetBkMode(c->dc, TRANSPARENT);
        draw_text(c->dc, style(15, 0, 3), c->left + 6, c->top + 3, text);
    } else if (c->row > 32) {
        cell(c->dc, c, style(0, 11, 2), nullptr);
    } else {
        noteText(c->row, c->panel, text, sizeof text);
        // Panels further back are shaded darker.
        const int fill = selected ? 4 : (c->depth % 2 == 0 ? 14 : 13);
        cell(c->dc, c, style(selected ? 15 : 0, fill, 2), text);
    }
    return 0;
}

HWND create_sample_list3d(HWND parent, uint16_t id, int32_t x, int32_t y) {
    const PanelList layout = sample_list3d_layout();
    return create_list3d(parent, id, x, y, kSampleList3DWidth, kSampleList3DHeight, &layout,
                         sample_list3d_cell, nullptr);
}
