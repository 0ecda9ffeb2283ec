#include "toolkit/DrawingObjects.h"

#include <cstring>

const COLORREF kToolkitPalette[kPaletteSize] = {
    0x000000, 0x1428CC, 0x1E3CFC, 0x36EBF0, 0x9D1C06, 0xE25F0F, 0xE4938C, 0x7A6B03,
    0x31A724, 0x404040, 0x545454, 0x6E6E6E, 0x828282, 0xB4B4B4, 0xE6E6E6, 0xFFFFFF,
};

namespace {

struct FontEntry {
    LONG height;
    LONG weight;
};

const FontEntry kFonts[kFontCount] = {
    {10, 400}, {10, 700}, {12, 400}, {12, 700}, {14, 400}, {14, 700}, {16, 400}, {16, 700},
    {18, 400}, {18, 700}, {20, 400}, {20, 700}, {26, 800}, {26, 800}, {38, 400}, {38, 800},
};

template <typename Handle>
void deleteObject(Handle& handle) {
    if (handle != nullptr) DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

void load_stock_bitmaps(ToolkitModule& module) {
    for (int i = 0; i < kStockBitmapCount; ++i)
        module.stockBitmaps[i] =
            LoadBitmapA(module.instance, MAKEINTRESOURCEA(kFirstStockBitmapId + i));
}

void create_drawing_objects(ToolkitModule& module) {
    std::memcpy(module.palette, kToolkitPalette, sizeof module.palette);
    HDC screen = GetDC(nullptr);
    for (COLORREF& colour : module.palette) {
        const COLORREF matched = GetNearestColor(screen, colour);
        if (matched != CLR_INVALID) colour = matched;
    }
    ReleaseDC(nullptr, screen);

    for (int i = 0; i < kPaletteSize; ++i) {
        LOGBRUSH brush = {BS_SOLID, module.palette[i], 0};
        module.brushes[i] = CreateBrushIndirect(&brush);
    }
    for (int i = 0; i < kPaletteSize; ++i)
        module.pens[i] = CreatePen(PS_SOLID, 0, module.palette[i]);
    module.dashDotPen = CreatePen(PS_DASHDOT, 0, module.palette[0]);

    for (int i = 0; i < kFontCount; ++i) {
        LOGFONTA font = {};
        font.lfHeight = kFonts[i].height;
        font.lfWeight = kFonts[i].weight;
        std::strcpy(font.lfFaceName, "Arial");
        module.fonts[i] = CreateFontIndirectA(&font);
    }
}

void delete_drawing_objects(ToolkitModule& module) {
    for (HBITMAP& bitmap : module.stockBitmaps) deleteObject(bitmap);
    for (int i = 0; i < kPaletteSize; ++i) {
        deleteObject(module.brushes[i]);
        deleteObject(module.pens[i]);
        deleteObject(module.fonts[i]);
    }
    deleteObject(module.dashDotPen);
}
