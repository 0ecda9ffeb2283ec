#include "SampleContent.h"

#include <cmath>
#include <cstdio>

#include "toolkit/ControlTypes.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/grid/ValueGrid.h"

namespace {

constexpr int kPaper = 12;  // stock bitmap: light grey paper

struct SampleItem {
    int32_t type;
    int32_t left, top, right, bottom;
    float value, min, max, leftSensitivity, rightSensitivity;
};

const SampleItem kItems[] = {
    {kItemLinear, 20, 30, 44, 130, 2.0f, 0, 10, 0.05f, 0.2f},
    {kItemLinear, 54, 30, 78, 130, 7.5f, 0, 10, 0.05f, 0.2f},
    {kItemLinear, 88, 30, 112, 130, 5.0f, 0, 10, 0.05f, 0.2f},
    {kItemTime, 130, 30, 230, 54, 0.25f, 0, 60, 0.01f, 0.1f},
    {kItemToggle, 130, 70, 160, 90, 1.0f, 0, 1, 0, 0},
    {kItemToggle, 170, 70, 200, 90, 0.0f, 0, 1, 0, 0},
    {kItemFactor, 130, 106, 230, 130, 440.0f, 20, 20000, 1.01f, 1.1f},
    {kItemInert, 20, 150, 380, 170, 0, 0, 0, 0, 0},
    {kItemFactor, 250, 30, 380, 130, 1.0f, 0.01f, 100, 1.02f, 1.2f},
};

// Palette entries of each kind's fill.
int fillOf(int32_t type) {
    switch (type) {
        case kItemLinear: return 5;
        case kItemTime: return 4;
        case kItemToggle: return 1;
        case kItemFactor: return 8;
    }
    return 14;
}

void drawItem(const ValueGridContext* c) {
    const ValueItem* item = value_grid_item(c->window, c->itemIndex);
    if (item == nullptr) return;
    HDC dc = c->dc;
    SetBkMode(dc, TRANSPARENT);
    const uint32_t box = kStyleRaised | (14 << 4);
    fill_box(dc, box, c->left, c->top, c->right, c->bottom);
    char text[32];
    if (item->type == kItemInert) {
        draw_text(dc, 0x209, c->left + 4, c->top + 3, "Drag a value; Ctrl+click edits or zooms");
        return;
    }
    if (item->type == kItemToggle) {
        if (item->value == 1.0f) fill_box(dc, fillOf(item->type) << 4, c->left + 3, c->top + 3,
                                          c->right - 2, c->bottom - 2);
        return;
    }
    // A bar from the left (wide items) or from the bottom (tall ones).
    // Factor items run on a logarithmic scale.
    const bool factor = item->type == kItemFactor && item->min > 0 && item->value > 0;
    const double span = factor ? std::log(item->max / item->min) : item->max - item->min;
    const double at = factor ? std::log(item->value / item->min) : item->value - item->min;
    const float share = span > 0 ? static_cast<float>(at / span) : 0;
    const bool tall = c->bottom - c->top > c->right - c->left;
    const uint32_t bar = static_cast<uint32_t>(fillOf(item->type)) << 4;
    if (tall)
        fill_box(dc, bar, c->left + 3, c->bottom - 2 - static_cast<int32_t>(share * (c->bottom - c->top - 5)),
                 c->right - 2, c->bottom - 2);
    else
        fill_box(dc, bar, c->left + 3, c->top + 3,
                 c->left + 3 + static_cast<int32_t>(share * (c->right - c->left - 5)), c->bottom - 2);
    std::snprintf(text, sizeof text, item->type == kItemTime ? "%.3f s" : "%.2f", item->value);
    draw_text(dc, 0x80000200, c->left + 4, tall ? c->top + 3 : c->top + 6, text);
}

int32_t __cdecl sampleCallback(ValueGridContext* c, int32_t code) {
    switch (code) {
        case kGridCreated:
            for (const SampleItem& s : kItems) {
                ValueItem item = {};
                item.itemId = 100 + s.type;
                item.type = s.type;
                item.left = s.left;
                item.top = s.top;
                item.right = s.right;
                item.bottom = s.bottom;
                item.value = s.value;
                item.min = s.min;
                item.max = s.max;
                item.leftSensitivity = s.leftSensitivity;
                item.rightSensitivity = s.rightSensitivity;
                value_grid_add_item(c->window, &item);
            }
            return 1;
        case kGridPaintBackground:
            tile_bitmap(c->window, c->dc, 0, 0, toolkit().stockBitmaps[kPaper]);
            return 1;
        case kGridDrawItem: drawItem(c); return 1;
    }
    return 1;
}

}  // namespace

HWND create_sample_grid(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height) {
    return create_value_grid(parent, id, x, y, width, height, WS_HSCROLL | WS_VSCROLL | WS_BORDER,
                             400, 300, sampleCallback);
}
