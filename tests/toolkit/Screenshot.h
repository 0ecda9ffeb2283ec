#pragma once
// Screenshots of toolkit windows for people to look at: the window's pixels
// as they are on the (virtual) screen, written as a PNG file into the build
// tree's screenshots folder.
#include <windows.h>

#include <string>

// Writes <screenshots>/<name>.png of window's whole rectangle; returns the
// path, or an empty text when it could not be written.
std::string save_screenshot(HWND window, const char* name);
