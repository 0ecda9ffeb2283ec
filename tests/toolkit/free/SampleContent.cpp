#include "free/SampleContent.h"

#include <windowsx.h>

#include <cstdio>

#include "toolkit/ControlTypes.h"
#include "toolkit/Drawing.h"

namespace {

constexpr int32_t kLights = 10;
constexpr int32_t kLightWidth = 12;

// Palette: green, yellow, red when lit; dark grey when not.
int lightColour(int32_t i, bool lit) {
    if (!lit) return 9;
    return i < 6 ? 8 : i < 8 ? 3 : 1;
}

void paint(HWND window, const SampleMeter* meter) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    fill_box(dc, (11 << 4) | kStyleRaised, 0, 0, kSampleMeterWidth - 1, kSampleMeterHeight - 1);
    for (int32_t i = 0; i < kLights; ++i) {
        const int colour = lightColour(i, i < meter->level);
        const int32_t left = 4 + i * kLightWidth;
        fill_box(dc, static_cast<uint32_t>(colour << 4), left, 6, left + kLightWidth - 2, 22);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d / %d", meter->level, kLights);
    SetBkMode(dc, TRANSPARENT);
    draw_text(dc, 15 | (5 << 8) | kStyleRaised, 4 + kLights * kLightWidth + 6, 7, text);
    EndPaint(window, &ps);
}

void setLevel(HWND window, SampleMeter* meter, int32_t level) {
    meter->level = level < 0 ? 0 : level > kLights ? kLights : level;
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

LRESULT __cdecl sample_meter_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       void* user) {
    SampleMeter* meter = static_cast<SampleMeter*>(user);
    switch (message) {
        case WM_PAINT: paint(window, meter); return 0;
        case WM_LBUTTONDOWN:
            setLevel(window, meter, (GET_X_LPARAM(lParam) - 4) / kLightWidth + 1);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP) setLevel(window, meter, meter->level + 1);
            if (wParam == VK_DOWN) setLevel(window, meter, meter->level - 1);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_sample_meter(HWND parent, uint16_t id, int32_t x, int32_t y, SampleMeter* meter) {
    return create_free_control(parent, id, x, y, kSampleMeterWidth, kSampleMeterHeight, WS_TABSTOP,
                               sample_meter_procedure, meter);
}
