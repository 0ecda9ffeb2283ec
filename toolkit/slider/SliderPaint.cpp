#include "toolkit/CircleMask.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/slider/SliderParts.h"

namespace {

void drawThumb(HDC dc, const SliderRecord* s) {
    const int32_t along = slider_pixel(s->thumbPosition);
    const int32_t x = slider_horizontal(s) ? along : s->look.extra1;
    const int32_t y = slider_horizontal(s) ? s->look.extra1 : along;
    const SliderThumb& t = s->thumb;
    if (t.bitmap == nullptr) {
        SelectObject(dc, toolkit().pens[t.penIndex & 0xF]);
        SelectObject(dc, toolkit().brushes[t.brushIndex & 0xF]);
        Rectangle(dc, x, y, x + t.width, y + t.height);
    } else if (s->look.shape == kShapeCircular) {
        blit_through_circle(dc, t.bitmap, s->thumbMask, x, y, t.width, t.height);
    } else {
        blit_bitmap(dc, t.bitmap, x, y, t.width, t.height);
    }
}

}  // namespace

void slider_paint(HWND, HDC dc, void* record) {
    const SliderRecord* s = static_cast<const SliderRecord*>(record);
    const int32_t w = s->look.width, h = s->look.height;
    const bool pressed = s->dragging && s->look.face2 != nullptr;
    blit_bitmap(dc, pressed ? s->look.face2 : s->look.face1, 0, 0, w, h);
    if (!s->enabled) {
        if (s->look.disabledFace != nullptr)
            blit_bitmap(dc, s->look.disabledFace, 0, 0, w, h);
        else
            draw_disabled_cross(dc, 0, 0, w, h);
        return;
    }
    drawThumb(dc, s);
    if (s->focused) draw_focus_corner(dc, 0, 0);
}

void slider_repaint(HWND window) { repaint_control(&kSliderClass, window); }
