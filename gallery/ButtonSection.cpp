// Two-state buttons in each mode, on the toolkit's stock faces.
#include "GallerySections.h"

#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/switch/Switch.h"

namespace {

struct ButtonSample {
    const char* caption;
    uint32_t style;
    int offFace, onFace;  // stock bitmaps
    bool lit;
    bool disabled;
};

const ButtonSample kSamples[] = {
    {"toggle", SWITCH_TOGGLE, 0, 1, true, false},
    {"momentary", SWITCH_MOMENTARY, 2, 3, false, false},
    {"repeat", SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT, 2, 3, false, false},
    {"set-only", SWITCH_SET_ONLY, 0, 1, false, false},
    {"indicator", SWITCH_INDICATOR_NO_FOCUS, 4, 5, true, false},
    {"disabled", SWITCH_TOGGLE, 0, 1, false, true},
};
constexpr int kSpacing = 64;

}  // namespace

int add_button_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room) {
    int added = 0;
    labels[added++] = {x, y, "Buttons", kGalleryTitle};
    uint16_t id = 200;
    for (const ButtonSample& b : kSamples) {
        const int32_t bx = x + (id - 200) * kSpacing;
        const ToolkitModule& m = toolkit();
        HWND button = create_switch(window, id++, bx + 8, y + 22, b.style, m.stockBitmaps[b.offFace],
                                    m.stockBitmaps[b.onFace], nullptr, nullptr, nullptr);
        if (b.lit) send_control_command(button, kCommandSetValue, float_bits(1.0f));
        if (b.disabled) send_control_command(button, kCommandDisable, 0);
        if (added < room) labels[added++] = {bx, y + 50, b.caption, kGalleryCaption};
    }
    return added;
}
