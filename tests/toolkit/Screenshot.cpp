#include "Screenshot.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

RgbImage copyPixels(HDC source, int width, int height) {
    RgbImage image;
    if (width <= 0 || height <= 0) return image;
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
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    image.width = width;
    image.height = height;
    image.bgr.resize(static_cast<size_t>(width) * height * 3);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.bgr[static_cast<size_t>(y) * width * 3],
                    static_cast<const uint8_t*>(bits) + y * stride, static_cast<size_t>(width) * 3);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    return image;
}

}  // namespace

RgbImage capture_client(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    RgbImage image = copyPixels(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return image;
}

RgbImage capture_window(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    HDC dc = GetWindowDC(window);
    RgbImage image = copyPixels(dc, frame.right - frame.left, frame.bottom - frame.top);
    ReleaseDC(window, dc);
    return image;
}

RgbImage side_by_side(const std::vector<RgbImage>& images, int gap) {
    RgbImage row;
    row.width = gap;
    row.height = 0;
    for (const RgbImage& image : images) {
        row.width += image.width + gap;
        row.height = std::max(row.height, image.height);
    }
    row.height += 2 * gap;
    row.bgr.assign(static_cast<size_t>(row.width) * row.height * 3, 0xFF);
    int left = gap;
    for (const RgbImage& image : images) {
        for (int y = 0; y < image.height; ++y)
            std::memcpy(&row.bgr[(static_cast<size_t>(y + gap) * row.width + left) * 3],
                        &image.bgr[static_cast<size_t>(y) * image.width * 3],
                        static_cast<size_t>(image.width) * 3);
        left += image.width + gap;
    }
    return row;
}

bool save_screenshot(const char* name, const RgbImage& image) {
    CreateDirectoryA(QC_SCREENSHOT_DIR, nullptr);
    std::string error;
    return writeBmpFile(std::string(QC_SCREENSHOT_DIR) + "/" + name + ".bmp", image, error);
}
