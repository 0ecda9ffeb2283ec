#include "toolkit/CircleMask.h"
#include "toolkit/ControlData.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/knob/KnobGesture.h"
#include "toolkit/knob/KnobParts.h"

namespace {

void drawFace(HDC dc, const KnobRecord* k, HBITMAP face) {
    if (k->look.shape == kShapeCircular)
        blit_through_circle(dc, face, k->mask, 0, 0, k->look.width, k->look.height);
    else
        blit_bitmap(dc, face, 0, 0, k->look.width, k->look.height);
}

void drawPointer(HDC dc, const KnobRecord* k) {
    KnobPoint corners[4];
    knob_pointer_polygon(k->angle, k->pointer.length, k->pointer.width, k->look.extra1,
                         k->look.extra2, (k->look.style & KNOB_SHORT_POINTER) != 0, corners);
    POINT polygon[4];
    for (int i = 0; i < 4; ++i) polygon[i] = {corners[i].x, corners[i].y};
    SelectObject(dc, toolkit().pens[k->pointer.penIndex & 0xF]);
    SelectObject(dc, toolkit().brushes[k->pointer.brushIndex & 0xF]);
    Polygon(dc, polygon, 4);
}

}  // namespace

void knob_paint(HWND, HDC dc, void* record) {
    const KnobRecord* k = static_cast<const KnobRecord*>(record);
    const bool pressed = k->dragging && k->look.face2 != nullptr;
    drawFace(dc, k, pressed ? k->look.face2 : k->look.face1);
    if (!k->enabled) {
        if (k->look.disabledFace == nullptr)
            draw_disabled_cross(dc, 4, 4, k->look.width - 4, k->look.height - 4);
        else
            blit_through_circle(dc, k->look.disabledFace, k->mask, 0, 0, k->look.width,
                                k->look.height);
        return;
    }
    if (k->focused) {
        if (k->look.shape == kShapeCircular)
            draw_focus_dot(dc, k->look.extra1, k->look.height * 3 / 4);
        else
            draw_focus_corner(dc, 0, 0);
    }
    drawPointer(dc, k);
}

void knob_repaint(HWND window) { repaint_control(&kKnobClass, window); }
