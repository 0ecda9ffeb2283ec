#include "host/pictures/BmpFile.h"
#include "host/files/FileBytes.h"

#include <cstring>

std::vector<uint8_t> encodeBmp(const RgbImage& image) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);  // pixels follow the two headers
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height));  // positive: bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.bgr[static_cast<size_t>(y) * image.width * 3];
        out.insert(out.end(), row, row + image.width * 3);
        out.resize(out.size() + (rowBytes - image.width * 3), 0);
    }
    return out;
}

bool writeBmpFile(const std::string& path, const RgbImage& image, std::string& error, const char* what) {
    const std::vector<uint8_t> bytes = encodeBmp(image);
    return writeFileBytes(path, bytes.data(), bytes.size(), what, error);
}
