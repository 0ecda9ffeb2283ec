#include "SampleContent.h"

#include "toolkit/slider/Slider.h"

HWND create_sample_horizontal_slider(HWND parent, uint16_t id, int32_t x, int32_t y) {
    return create_stock_slider(parent, id, x, y, SLIDER_HORIZONTAL | SLIDER_EDIT_VALUE, 0.0f, 10.0f,
                               2.5f, 0.1f, nullptr, nullptr);
}

HWND create_sample_vertical_slider(HWND parent, uint16_t id, int32_t x, int32_t y) {
    return create_stock_slider(parent, id, x, y, SLIDER_DB | SLIDER_NOTIFY_DRAG, 0.25f, 1.0f, 0.5f,
                               0.005f, nullptr, nullptr);
}
