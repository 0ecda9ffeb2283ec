// Knobs of each style on the toolkit's own dark face.
#include "GallerySections.h"

#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/knob/Knob.h"

namespace {

struct KnobSample {
    const char* caption;
    uint32_t style;
    uint16_t angleMin, angleMax;
    float min, max, value, step;
    bool disabled;
};

// Pointer outline in palette 0, fill in palette 3 (yellow) or 10 (grey).
const KnobSample kSamples[] = {
    {"linear", KNOB_EDIT_VALUE | KNOB_NOTIFY_DRAG | 0x30, 240, 300, 0, 10, 7.5f, 0.1f, false},
    {"decibels", KNOB_DB | KNOB_NOTIFY_DRAG | 0xA0, 240, 300, 0.25f, 1, 0.5f, 0.005f, false},
    {"log", KNOB_LOG | KNOB_EDIT_VALUE | 0x30, 225, 315, 20, 20000, 1000, 1.05f, false},
    {"short", KNOB_SHORT_POINTER | KNOB_EDIT_VALUE | 0x30, 240, 300, -1, 1, -0.5f, 0.01f, false},
    {"time", KNOB_EDIT_TIME | 0x30, 240, 300, 0, 10, 0.5f, 0.01f, false},
    {"spring", KNOB_SPRING | KNOB_EDIT_VALUE | 0xA0, 240, 300, -1, 1, 0, 0.01f, false},
    {"no edit", KNOB_NO_EDIT | 0x30, 90, 225, 1, 8, 3, 0.02f, false},
    {"disabled", KNOB_EDIT_VALUE | 0x30, 240, 300, 0, 1, 0.3f, 0.01f, true},
};
constexpr int kSpacing = 56;
constexpr int kKnobFace = 7;  // stock bitmap: the dark round face

}  // namespace

int add_knob_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room) {
    int added = 0;
    labels[added++] = {x, y, "Knobs", kGalleryTitle};
    uint16_t id = 100;
    for (const KnobSample& k : kSamples) {
        const int32_t kx = x + (id - 100) * kSpacing;
        HWND knob = create_knob(window, id++, kx + 8, y + 20, k.style,
                                toolkit().stockBitmaps[kKnobFace], 16, 16, k.angleMin, k.angleMax,
                                k.min, k.max, k.value, k.step, nullptr, nullptr);
        if (k.disabled) send_control_command(knob, kCommandDisable, 0);
        if (added < room) labels[added++] = {kx, y + 56, k.caption, kGalleryCaption};
    }
    return added;
}
