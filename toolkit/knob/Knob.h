#pragma once
// The rotary knob: a face painted through a circular mask with a pointer at
// the angle of its value. Window class "C_RA2ZAZ_Rotatif_00\xA9KSomar".
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"
#include "toolkit/knob/KnobStyle.h"
#include "toolkit/knob/KnobValue.h"

constexpr int32_t kKnobPresetCapacity = 16;

// Commands an owner (or the knob's own menu) sends as WM_COMMAND, besides
// the shared commands 1 to 4.
enum KnobCommand : uint16_t {
    kKnobToggleInverse = 10,
    kKnobToggleAngular = 12,
    kKnobCurrentValueLine = 50,  // the menu's disabled value line
    kKnobReset = 100,
    kKnobSetMin = 101,
    kKnobSetMax = 102,
    kKnobEdit = 103,
    kKnobAdjust = 104,
    kKnobAdjustClosed = 105,
    kKnobFirstPreset = 600,
};

// The pointer's shape and colours.
struct KnobPointer {
    int32_t length;        // R, pixels
    int32_t width;         // W, pixels
    uint16_t penIndex;     // palette entries of the outline and the fill
    uint16_t brushIndex;
};

// The knob's record, and also its creation block.
struct KnobRecord {
    HWND owner;
    HWND window;
    HWND adjustWindow;
    int32_t x, y;
    uint16_t id;
    int32_t enabled;
    int32_t focused;
    int32_t dragging;
    ControlDescriptor look;  // face1 face, face2 pressed face, angles, shape, style, pivot
    NotifyTarget notify;
    KnobValue value;
    KnobPointer pointer;
    float angle;   // radians, [0, 2*pi)
    float sweep;   // travel in radians
    float gapMid;  // middle of the dead zone, as an offset from thetaMin
    int32_t lastX, lastY;
    HBITMAP mask;
    HMENU menu;
    uint16_t presetCount;
    float presets[kKnobPresetCapacity];
    StepTrail trail;  // the run of key, wheel and drag steps
    int32_t wheelPending;  // the part of a wheel step not yet taken
    int32_t keyMoved;      // a held arrow key moved the value; reported at release
};

// A knob with face bitmap (its size is the knob's) pivoting its pointer at
// (centreX, centreY), min at angleMin and max at angleMax (degrees), three
// decimals. Notifies through callback when it is not null, else by posting
// WM_COMMAND to parent. Null when creation failed.
HWND create_knob(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP bitmap,
                 int32_t centreX, int32_t centreY, uint16_t angleMin, uint16_t angleMax, float min,
                 float max, float defaultValue, float step, ControlCallback callback, void* user);
// A knob from blocks of the caller's own; a look of width 0 takes the
// face's size.
HWND create_knob_window(HWND parent, uint16_t id, int32_t x, int32_t y,
                        const ControlDescriptor* look, const NotifyTarget* notify,
                        const KnobPointer* pointer, const KnobValue* value);

LRESULT CALLBACK knob_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
