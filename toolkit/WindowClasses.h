#pragma once
// The toolkit's seven window classes, in registration order.
#include <windows.h>

#include <cstdint>

enum ToolkitClass {
    kClassRotatif,  // rotary knob
    kClassI2p,      // two-state bitmap button
    kClassFree,     // free control
    kClassSlide,    // slider
    kClass3DList,   // 3D list
    kClassVgrid,    // value grid
    kClass2DList,   // 2D list
    kToolkitClassCount
};

// Single-byte class names; "\xA9" is the copyright sign of the ANSI code page.
constexpr const char* kRotatifClassName = "C_RA2ZAZ_Rotatif_00\xA9KSomar";
constexpr const char* kI2pClassName = "C_RA2ZAZ_I2p_00\xA9KSomar";
constexpr const char* kFreeClassName = "C_RA2ZAZ_Free_00\xA9KSomar";
constexpr const char* kSlideClassName = "C_RA2ZAZ_Slide_00\xA9KSomar";
constexpr const char* k3DListClassName = "C_RA2ZAZ_3DList_00\xA9KSomar";
constexpr const char* kVgridClassName = "C_RA2ZAZ_Vgrid_00\xA9KSomar";
constexpr const char* k2DListClassName = "C_RA2ZAZ_2DList_00\xA9KSomar";

const char* toolkit_class_name(int toolkitClass);

// The window procedure each class is registered with (ClassProcedures.cpp).
extern const WNDPROC toolkit_class_procedures[kToolkitClassCount];

// Registers the classes in order for instance, skipping those still marked
// as registered. Returns 0 when all are registered, else the last-error code
// of the first class that failed (registration stops there).
uint16_t register_toolkit_classes(HINSTANCE instance, bool registered[kToolkitClassCount]);
// Unregisters, in registration order, the classes marked as registered; a
// class that cannot be unregistered (a window of it still exists) stays marked.
void unregister_toolkit_classes(HINSTANCE instance, bool registered[kToolkitClassCount]);
