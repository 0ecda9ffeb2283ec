// Edit Value: the value edit dialog (plain or in decibels) and the time
// entry dialog, each opened in turn when the style asks for it.
#include <initializer_list>

#include "toolkit/ControlData.h"
#include "toolkit/ValueEditDialog.h"
#include "toolkit/slider/SliderParts.h"
#include "toolkit/timedialog/TimeEntryDialog.h"

namespace {

// Runs one dialog; answers 0 when the slider was destroyed while it ran.
int32_t editWith(HWND window, uint32_t bit) {
    SliderRecord* s = static_cast<SliderRecord*>(hold_control_record(window));
    if (s == nullptr) return 0;
    POINT at = {s->look.extra1, s->look.extra2};
    ClientToScreen(window, &at);
    float answer = 0.0f;
    bool answered;
    if (bit == SLIDER_EDIT_TIME) {
        answer = open_time_entry_dialog(s->owner, kValueEditStyle, at.x, at.y, s->value.current);
        answered = answer != kTimeCancelMarker;
    } else {
        answered = edit_control_value(s->owner, at.x, at.y, s->value.current, s->value.decimals,
                                      bit == SLIDER_DB, &answer) != 0;
    }
    if (!release_control_record(s)) return 0;
    if (!answered) return 1;
    slider_set_silently(s, answer);
    return slider_notify(s);
}

}  // namespace

int32_t slider_edit(HWND window) {
    const SliderRecord* s = static_cast<const SliderRecord*>(get_control_data(window));
    if (s == nullptr) return 0;
    const uint32_t style = s->look.style;
    for (uint32_t bit : {SLIDER_DB, SLIDER_EDIT_VALUE, SLIDER_EDIT_TIME}) {
        if ((style & bit) && !editWith(window, bit)) return 0;
    }
    return 1;
}
