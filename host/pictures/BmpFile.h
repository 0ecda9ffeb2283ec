#pragma once
// 24-bit BMP images (bottom-up rows, each padded to four bytes).
#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;  // top row first, 3 bytes per pixel (blue, green, red), no padding

    uint32_t pixel(int x, int y) const {  // 0xRRGGBB
        const uint8_t* p = &bgr[(static_cast<size_t>(y) * width + x) * 3];
        return (static_cast<uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
    }
};

std::vector<uint8_t> encodeBmp(const RgbImage& image);
// `what` names the kind of file in messages ("plot ").
bool writeBmpFile(const std::string& path, const RgbImage& image, std::string& error, const char* what = "");
