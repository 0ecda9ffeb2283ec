#include "host/pictures/DcPixels.h"

#include <cstdint>
#include <cstring>

bool copyDcPixels(HDC source, int width, int height, RgbImage& image) {
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        ok = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
        if (ok) {
            const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
            image.width = width;
            image.height = height;
            image.bgr.resize(static_cast<size_t>(width) * height * 3);
            for (int y = 0; y < height; ++y)
                std::memcpy(&image.bgr[static_cast<size_t>(y) * width * 3],
                            static_cast<const uint8_t*>(bits) + y * stride, static_cast<size_t>(width) * 3);
        }
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    return ok;
}
