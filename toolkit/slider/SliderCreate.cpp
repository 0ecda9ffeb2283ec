// The slider's create operations: fill a record as the creation template
// and create the window of the slider's class.
#include <cstdlib>

#include "toolkit/ControlData.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/slider/Slider.h"

namespace {

// Stock bitmaps of the slider: vertical track and thumb, horizontal track
// and thumb.
constexpr int kStockVerticalTrack = 8;
constexpr int kStockHorizontalTrack = 10;

constexpr uint16_t kThumbPen = 0;     // black outline
constexpr uint16_t kThumbBrush = 13;  // light grey fill

}  // namespace

HWND create_slider_window(HWND parent, const SliderRecord* templ) {
    if (templ == nullptr) return nullptr;
    SliderRecord* s = static_cast<SliderRecord*>(std::malloc(sizeof(SliderRecord)));
    if (s == nullptr) return nullptr;
    *s = *templ;
    s->owner = parent;
    if (s->look.width == 0) bitmap_size(s->look.face1, &s->look.width, &s->look.height);
    HWND window = create_control_window(kSlideClassName, parent, s->id, s->x, s->y, s->look.width,
                                        s->look.height, WS_TABSTOP, s);
    std::free(s);
    return window;
}

HWND create_slider(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP track,
                   HBITMAP thumb, float min, float max, float defaultValue, float step,
                   ControlCallback callback, void* user) {
    SliderRecord s = {};
    s.x = x;
    s.y = y;
    s.id = id;
    bitmap_size(track, &s.look.width, &s.look.height);
    s.look.face1 = track;
    s.look.style = style;
    s.thumb = {thumb, 0, 0, kThumbPen, kThumbBrush};
    bitmap_size(thumb, &s.thumb.width, &s.thumb.height);
    // Centred across the track; the edit field opens beside the track's
    // start (below a horizontal one, halfway down a vertical one).
    const bool horizontal = (style & SLIDER_HORIZONTAL) != 0;
    s.look.extra1 = horizontal ? (s.look.height - s.thumb.height) / 2
                               : (s.look.width - s.thumb.width) / 2;
    s.look.extra2 = horizontal ? s.look.height : s.look.height / 2 - 10;
    s.notify = {parent, callback,
                (style & SLIDER_NOTIFY_DRAG) | (callback != nullptr ? kNotifyByCallback : 0), user};
    s.value.min = min;
    s.value.max = max;
    s.value.defaultValue = defaultValue;
    s.value.step = step;
    s.value.decimals = 3;
    s.value.valueFlags = style & SLIDER_HORIZONTAL;
    return create_slider_window(parent, &s);
}

HWND create_stock_slider(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, float min,
                         float max, float defaultValue, float step, ControlCallback callback,
                         void* user) {
    const ToolkitModule& m = toolkit();
    const int track = (style & SLIDER_HORIZONTAL) ? kStockHorizontalTrack : kStockVerticalTrack;
    return create_slider(parent, id, x, y, style, m.stockBitmaps[track], m.stockBitmaps[track + 1],
                         min, max, defaultValue, step, callback, user);
}
