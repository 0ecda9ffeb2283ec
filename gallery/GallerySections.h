#pragma once
// The sections of the control gallery: each fills its part of the gallery
// window with controls of one class and says what it shows.
#include <windows.h>

#include <cstdint>

struct GalleryLabel {
    int32_t x, y;
    const char* text;
};

// Each adds its controls as children of window with their top-left corner
// at (x, y), and its captions to labels (at most `room` of them); answers
// the number of captions added.
int add_knob_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
int add_button_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
