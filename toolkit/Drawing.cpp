#include "toolkit/Drawing.h"

#include <cstring>

#include "toolkit/ControlData.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/ToolkitModule.h"

namespace {

HPEN pen(int index) { return toolkit().pens[index & 0xF]; }
HBRUSH brush(int index) { return toolkit().brushes[index & 0xF]; }

// A memory context holding one bitmap for the duration of a copy.
class BitmapSource {
public:
    BitmapSource(HDC dc, HBITMAP bitmap) : dc_(CreateCompatibleDC(dc)) {
        old_ = SelectObject(dc_, bitmap);
    }
    ~BitmapSource() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    BitmapSource(const BitmapSource&) = delete;
    BitmapSource& operator=(const BitmapSource&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

void line(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void box(HDC dc, uint32_t style, HBRUSH fill, int32_t left, int32_t top, int32_t right,
         int32_t bottom) {
    SelectObject(dc, fill);
    if (style & kStyleRaised) {
        SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, left, top, right + 1, bottom + 1);
        SelectObject(dc, pen(kColourShadow));
        line(dc, left, top, right, top);
        line(dc, left, top, left, bottom);
        SelectObject(dc, pen(kColourWhite));
        line(dc, right, top + 1, right, bottom);
        line(dc, right, bottom, left, bottom);
    } else {
        SelectObject(dc, pen(style_pen(style)));
        Rectangle(dc, left, top, right, bottom);
    }
}

}  // namespace

void blit_bitmap(HDC dc, HBITMAP bitmap, int32_t x, int32_t y, int32_t w, int32_t h) {
    blit_bitmap_part(dc, bitmap, x, y, 0, 0, w, h);
}

void blit_bitmap_part(HDC dc, HBITMAP bitmap, int32_t x, int32_t y, int32_t sx, int32_t sy,
                      int32_t w, int32_t h) {
    if (bitmap == nullptr) return;
    BitmapSource source(dc, bitmap);
    BitBlt(dc, x, y, w, h, source.dc(), sx, sy, SRCCOPY);
}

void blit_whole_bitmap(HDC dc, int32_t x, int32_t y, HBITMAP bitmap) {
    int32_t w = 0, h = 0;
    bitmap_size(bitmap, &w, &h);
    blit_bitmap(dc, bitmap, x, y, w, h);
}

void tile_bitmap(HWND window, HDC dc, int32_t x, int32_t y, HBITMAP bitmap) {
    int32_t bw = 0, bh = 0;
    bitmap_size(bitmap, &bw, &bh);
    if (bw <= 0 || bh <= 0) return;
    RECT client = {};
    GetClientRect(window, &client);
    const int32_t columns = (client.right - client.left + 1) / bw + 1;
    const int32_t rows = (client.bottom - client.top + 1) / bh + 1;

    BitmapSource source(dc, bitmap);
    for (int32_t row = 0; row < rows; ++row)
        for (int32_t column = 0; column < columns; ++column)
            BitBlt(dc, x + column * bw, y + row * bh, bw, bh, source.dc(), 0, 0, SRCCOPY);
}

void draw_text(HDC dc, uint32_t style, int32_t x, int32_t y, const char* text) {
    if (text == nullptr) return;
    const int length = static_cast<int>(std::strlen(text));
    SelectObject(dc, toolkit().fonts[style_font(style)]);
    if (style & kStyleRaised) {
        SetTextColor(dc, toolkit().palette[kColourWhite]);
        TextOutA(dc, x + 1, y + 1, text, length);
    }
    SetTextColor(dc, toolkit().palette[style_pen(style)]);
    TextOutA(dc, x, y, text, length);
}

void draw_line(HDC dc, uint32_t style, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (style & kStyleRaised) {
        SelectObject(dc, pen(kColourWhite));
        line(dc, x0 + 1, y0 + 1, x1 + 1, y1 + 1);
    }
    SelectObject(dc, pen(style_pen(style)));
    line(dc, x0, y0, x1, y1);
}

void fill_box(HDC dc, uint32_t style, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    box(dc, style, brush(style_brush(style)), left, top, right, bottom);
}

void frame_box(HDC dc, uint32_t style, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    box(dc, style, static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), left, top, right, bottom);
}

void draw_disabled_cross(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int32_t spanX = right - 1 - left;
    const int32_t spanY = bottom - 1 - top;
    int32_t g = (spanX < spanY ? spanX : spanY) / 5;
    if (g < 3) g = 3;

    SelectObject(dc, pen(kColourBlack));
    SelectObject(dc, brush(kColourWhite));
    const POINT first[4] = {
        {left + g, top}, {right - 1, bottom - 1 - g}, {right - 1 - g, bottom - 1}, {left, top + g}};
    Polygon(dc, first, 4);
    const POINT second[4] = {
        {left, bottom - 1 - g}, {right - 1 - g, top}, {right - 1, top + g}, {left + g, bottom - 1}};
    Polygon(dc, second, 4);
}

void draw_focus_corner(HDC dc, int32_t x, int32_t y) {
    SelectObject(dc, pen(kColourBlack));
    SelectObject(dc, brush(kColourFocus));
    const POINT corner[3] = {{x, y}, {x + 5, y}, {x, y + 5}};
    Polygon(dc, corner, 3);
}

void draw_focus_dot(HDC dc, int32_t x, int32_t y) {
    SelectObject(dc, pen(kColourBlack));
    SelectObject(dc, brush(kColourFocus));
    Ellipse(dc, x - 2, y - 2, x + 2, y + 2);
}
