#pragma once
// The pixels a device context shows, as a 24-bit image.
#include <windows.h>

#include "host/pictures/BmpFile.h"

// Copies the width x height block at (0, 0) of source; false when it could
// not be copied (the image is then left alone).
bool copyDcPixels(HDC source, int width, int height, RgbImage& image);
