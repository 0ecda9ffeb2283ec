// The button's create operations: fill a record as the creation template
// and create the window of the button's class.
#include "toolkit/ControlData.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/switch/Switch.h"
#include "toolkit/switch/SwitchRecord.h"

HWND create_switch(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP offFace,
                   HBITMAP onFace, HBITMAP disabledFace, ControlCallback callback, void* user) {
    SwitchRecord templ = {};
    templ.owner = parent;
    templ.x = x;
    templ.y = y;
    templ.id = id;
    // Width 0: the record takes the size of the off face at creation.
    templ.descriptor.face1 = offFace;
    templ.descriptor.face2 = onFace;
    templ.descriptor.disabledFace = disabledFace;
    templ.descriptor.style = style;
    templ.target = {parent, callback, callback != nullptr ? kNotifyByCallback : 0, user};

    int32_t width = 0, height = 0;
    bitmap_size(offFace, &width, &height);
    return create_control_window(kI2pClassName, parent, id, x, y, width, height, WS_TABSTOP, &templ);
}

HWND create_stock_switch(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t flags) {
    uint32_t mode = SWITCH_TOGGLE;
    if (flags & SWITCH_MOMENTARY) mode = SWITCH_MOMENTARY;
    if (flags & SWITCH_SET_ONLY) mode = SWITCH_SET_ONLY;
    const ToolkitModule& m = toolkit();
    return create_switch(parent, id, x, y, mode, m.stockBitmaps[0], m.stockBitmaps[1], nullptr,
                         nullptr, nullptr);
}
