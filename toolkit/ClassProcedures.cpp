// The window procedure of each toolkit class, one line per class in
// registration order; each is declared in its control's folder.
#include "toolkit/WindowClasses.h"
#include "toolkit/free/FreeControl.h"
#include "toolkit/grid/ValueGrid.h"
#include "toolkit/knob/Knob.h"
#include "toolkit/list2d/List2D.h"
#include "toolkit/list3d/List3D.h"
#include "toolkit/slider/Slider.h"
#include "toolkit/switch/Switch.h"

const WNDPROC toolkit_class_procedures[kToolkitClassCount] = {
    knob_proc,                 // kClassRotatif: rotary knob (knob/)
    switch_proc,               // kClassI2p: two-state bitmap button (switch/)
    free_control_proc,         // kClassFree: free control (free/)
    slider_proc,               // kClassSlide: slider (slider/)
    list3d_proc,               // kClass3DList: 3D list (list3d/)
    value_grid_proc,           // kClassVgrid: value grid (grid/)
    list2d_proc,               // kClass2DList: 2D list (list2d/)
};
