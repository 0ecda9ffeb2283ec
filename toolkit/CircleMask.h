#pragma once
// Circular masks for round controls: a cache of up to 31 diameters, and the
// masked copy that paints a round face over whatever lies behind it.
#include <windows.h>

#include <cstdint>

// The cached mask of diameter d (a d x d bitmap, black disc on white),
// created compatible with window's device context on first request. Null
// when the cache is full (31 diameters) or d is not positive.
HBITMAP circle_mask(HWND window, int32_t d);

// Deletes every cached mask and the work bitmap, leaving the cache empty.
void clear_circle_masks();

// Paints the w x h face at (x, y) through mask: inside the disc the face,
// outside it the destination as it was. w and h are limited to 128. Without a
// usable mask the face is copied as it is; a face that is still selected into
// another device context draws nothing.
void blit_through_circle(HDC dc, HBITMAP face, HBITMAP mask, int32_t x, int32_t y, int32_t w,
                         int32_t h);
