#pragma once
// The sections of the control gallery: each fills its part of the gallery
// window with controls of one class and says what it shows.
#include <windows.h>

#include <cstdint>

struct GalleryLabel {
    int32_t x, y;
    const char* text;
    uint32_t style;  // toolkit text style: kGalleryTitle or kGalleryCaption
};

constexpr uint32_t kGalleryTitle = 0x80000700;    // bold, with a white shadow
constexpr uint32_t kGalleryCaption = 0x80000200;  // small

// Each adds its controls as children of window with their top-left corner
// at (x, y), and its captions to labels (at most `room` of them); answers
// the number of captions added.
int add_knob_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
int add_button_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
int add_slider_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
int add_grid_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
// The lists take their background from the window: add them once it shows.
int add_list_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room);
