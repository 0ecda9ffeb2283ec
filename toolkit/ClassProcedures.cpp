// The window procedure of each toolkit class, one line per class in
// registration order. When a control is built, its line here names the
// control's own procedure (declared in the control's folder) in place of the
// placeholder.
#include "toolkit/ClassProcedures.h"

#include "toolkit/WindowClasses.h"
#include "toolkit/grid/ValueGrid.h"
#include "toolkit/knob/Knob.h"
#include "toolkit/slider/Slider.h"
#include "toolkit/switch/Switch.h"

LRESULT CALLBACK placeholder_control_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

const WNDPROC toolkit_class_procedures[kToolkitClassCount] = {
    knob_proc,                 // kClassRotatif: rotary knob (knob/)
    switch_proc,               // kClassI2p: two-state bitmap button (switch/)
    placeholder_control_proc,  // kClassFree: free control (free/)
    slider_proc,               // kClassSlide: slider (slider/)
    placeholder_control_proc,  // kClass3DList: 3D list (list3d/)
    value_grid_proc,           // kClassVgrid: value grid (grid/)
    placeholder_control_proc,  // kClass2DList: 2D list (list2d/)
};
