// Sliders of both orientations and a value grid with an item of each kind,
// from the samples the toolkit's tests use too.
#include "GallerySections.h"

#include "grid/SampleContent.h"
#include "slider/SampleContent.h"

int add_slider_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room) {
    int added = 0;
    if (added < room) labels[added++] = {x, y, "Sliders", kGalleryTitle};
    create_sample_horizontal_slider(window, 400, x + 10, y + 32);
    if (added < room) labels[added++] = {x + 10, y + 54, "horizontal", kGalleryCaption};
    create_sample_vertical_slider(window, 401, x + 170, y + 20);
    if (added < room) labels[added++] = {x + 150, y + 152, "vertical, dB", kGalleryCaption};
    return added;
}

int add_grid_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room) {
    int added = 0;
    if (added < room) labels[added++] = {x, y, "Value grid", kGalleryTitle};
    create_sample_grid(window, 500, x, y + 20, 380, 240);
    return added;
}
