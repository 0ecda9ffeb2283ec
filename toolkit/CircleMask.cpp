#include "toolkit/CircleMask.h"

#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"

namespace {

void ensureWorkBitmap(CircleMaskCache& cache, HDC dc) {
    if (cache.work == nullptr) cache.work = CreateCompatibleBitmap(dc, kMaskWorkSize, kMaskWorkSize);
}

}  // namespace

HBITMAP circle_mask(HWND window, int32_t d) {
    CircleMaskCache& cache = toolkit().masks;
    for (int i = 0; i < cache.count; ++i)
        if (cache.diameters[i] == d) return cache.masks[i];
    if (cache.count >= kMaxMaskDiameters || d <= 0) return nullptr;

    HDC dc = GetDC(window);
    ensureWorkBitmap(cache, dc);
    HBITMAP mask = CreateCompatibleBitmap(dc, d, d);
    if (mask != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ oldBitmap = SelectObject(memory, mask);
        PatBlt(memory, 0, 0, d, d, WHITENESS);
        HGDIOBJ oldPen = SelectObject(memory, GetStockObject(BLACK_PEN));
        HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(BLACK_BRUSH));
        Ellipse(memory, 0, 0, d, d);
        SelectObject(memory, oldBrush);
        SelectObject(memory, oldPen);
        SelectObject(memory, oldBitmap);
        DeleteDC(memory);
    }
    ReleaseDC(window, dc);

    // A failed creation is not cached, so a later request may succeed.
    if (mask == nullptr) return nullptr;
    cache.diameters[cache.count] = d;
    cache.masks[cache.count] = mask;
    ++cache.count;
    return mask;
}

void clear_circle_masks() {
    CircleMaskCache& cache = toolkit().masks;
    for (int i = 0; i < cache.count; ++i) {
        if (cache.masks[i] != nullptr) DeleteObject(cache.masks[i]);
        cache.masks[i] = nullptr;
        cache.diameters[i] = 0;
    }
    cache.count = 0;
    if (cache.work != nullptr) DeleteObject(cache.work);
    cache.work = nullptr;
}

void blit_through_circle(HDC dc, HBITMAP face, HBITMAP mask, int32_t x, int32_t y, int32_t w,
                         int32_t h) {
    if (mask == nullptr) {
        blit_bitmap(dc, face, x, y, w, h);
        return;
    }
    if (w > kMaskWorkSize) w = kMaskWorkSize;
    if (h > kMaskWorkSize) h = kMaskWorkSize;
    if (w <= 0 || h <= 0) return;

    CircleMaskCache& cache = toolkit().masks;
    ensureWorkBitmap(cache, dc);
    if (cache.work == nullptr) {
        blit_bitmap(dc, face, x, y, w, h);
        return;
    }

    HDC work = CreateCompatibleDC(dc);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldWork = SelectObject(work, cache.work);
    HGDIOBJ oldSource = SelectObject(source, mask);
    // A bitmap that is still selected into another context cannot be
    // selected here (the context keeps its previous bitmap): an unusable mask
    // paints as no mask, an unusable face leaves the destination as it was
    // instead of OR-ing the mask's white outside over the background.
    if (oldSource == nullptr) {
        SelectObject(work, oldWork);
        DeleteDC(source);
        DeleteDC(work);
        blit_bitmap(dc, face, x, y, w, h);
        return;
    }

    BitBlt(work, 0, 0, w, h, dc, x, y, SRCCOPY);
    BitBlt(work, 0, 0, w, h, source, 0, 0, SRCAND);
    bool composed = true;
    if (face != nullptr) {
        composed = SelectObject(source, face) != nullptr;
        if (composed) BitBlt(work, 0, 0, w, h, source, 0, 0, SRCPAINT);
    }
    if (composed) BitBlt(dc, x, y, w, h, work, 0, 0, SRCCOPY);

    SelectObject(source, oldSource);
    SelectObject(work, oldWork);
    DeleteDC(source);
    DeleteDC(work);
}
