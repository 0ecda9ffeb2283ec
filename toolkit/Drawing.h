#pragma once
// Drawing routines of the toolkit's controls. Colours, pens, brushes and
// fonts come from the toolkit (style words: bits 0-3 pen or text colour,
// 4-7 brush, 8-11 font, bit 31 raised). The routines leave the pen, brush and
// font they used selected in the device context; bitmaps are copied through
// a temporary memory context. Null bitmaps draw nothing.
#include <windows.h>

#include <cstdint>

// Copies the bitmap's top-left w x h pixels to (x, y).
void blit_bitmap(HDC dc, HBITMAP bitmap, int32_t x, int32_t y, int32_t w, int32_t h);
// Copies the w x h block at (sx, sy) of the bitmap to (x, y).
void blit_bitmap_part(HDC dc, HBITMAP bitmap, int32_t x, int32_t y, int32_t sx, int32_t sy,
                      int32_t w, int32_t h);
// Copies the whole bitmap to (x, y).
void blit_whole_bitmap(HDC dc, int32_t x, int32_t y, HBITMAP bitmap);
// Covers window's client area with copies of the bitmap, rows starting at
// (x, y).
void tile_bitmap(HWND window, HDC dc, int32_t x, int32_t y, HBITMAP bitmap);

// Text at (x, y) in the colour and font of style; raised: a white copy at
// (x+1, y+1) first.
void draw_text(HDC dc, uint32_t style, int32_t x, int32_t y, const char* text);
// Line from (x0, y0) to (x1, y1), end point excluded; raised: a white copy
// offset by (+1, +1) first.
void draw_line(HDC dc, uint32_t style, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Filled box; raised: filled without outline and framed in two tones
// (shadow top and left, white right and bottom).
void fill_box(HDC dc, uint32_t style, int32_t left, int32_t top, int32_t right, int32_t bottom);
// As fill_box without filling.
void frame_box(HDC dc, uint32_t style, int32_t left, int32_t top, int32_t right, int32_t bottom);

// The mark of a disabled control: a white X outlined in black.
void draw_disabled_cross(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Focus mark of rectangular controls: a small triangle in the corner at (x, y).
void draw_focus_corner(HDC dc, int32_t x, int32_t y);
// Focus mark of round controls: a small dot around (x, y).
void draw_focus_dot(HDC dc, int32_t x, int32_t y);
