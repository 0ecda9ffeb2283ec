#include "Screenshot.h"

#include "host/pictures/DcPixels.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

RgbImage copyPixels(HDC source, int width, int height) {
    RgbImage image;
    copyDcPixels(source, width, height, image);
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
