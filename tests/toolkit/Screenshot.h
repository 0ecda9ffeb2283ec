#pragma once
// Photographs of toolkit windows for people to look at: the tests write them
// as BMP files into the build tree's screenshots folder, and a clean-up step
// of the test run turns them into PNG files.
#include <windows.h>

#include <vector>

#include "host/pictures/BmpFile.h"

// The window's client area, or the whole window with its frame.
RgbImage capture_client(HWND window);
RgbImage capture_window(HWND window);

// Images in a row, `gap` pixels apart on a white ground.
RgbImage side_by_side(const std::vector<RgbImage>& images, int gap);

// Writes <screenshots>/<name>.bmp; false when it could not be written.
bool save_screenshot(const char* name, const RgbImage& image);
