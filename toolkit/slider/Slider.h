#pragma once
// The slider: a thumb moving along a horizontal or vertical track drawn from
// bitmaps, with a value between a minimum and a maximum. Window class
// "C_RA2ZAZ_Slide_00\xA9KSomar".
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"
#include "toolkit/StepTrail.h"
#include "toolkit/slider/SliderTrack.h"

// Style word bits (SLIDER_HORIZONTAL too).
constexpr uint32_t SLIDER_EDIT_VALUE = 0x100000;  // "Edit Value" edits the plain value
constexpr uint32_t SLIDER_EDIT_TIME = 0x200000;   // ... as a time, in the time entry dialog
constexpr uint32_t SLIDER_DB = 0x400000;          // texts and editing in decibels
// Notification flags: report every change while dragging, stepping or
// rolling the wheel (the create operations take it from the style word).
constexpr uint32_t SLIDER_NOTIFY_DRAG = 0x1000000;

constexpr int32_t kSliderPresetCapacity = 16;

// Commands an owner (or the slider's own menu) sends as WM_COMMAND, besides
// the shared commands 1 to 4.
enum SliderCommand : uint16_t {
    kSliderToggleCapture = 10,
    kSliderToggleDirect = 12,
    kSliderCurrentValueLine = 50,  // the menu's disabled value line
    kSliderReset = 100,
    kSliderSetMin = 101,
    kSliderSetMax = 102,
    kSliderEdit = 103,
    kSliderFirstPreset = 600,
};

// The thumb: a bitmap, or without one a rectangle in palette colours.
struct SliderThumb {
    HBITMAP bitmap;
    int32_t width, height;
    uint16_t penIndex, brushIndex;
};

// The slider's record, and also its creation block. Descriptor words as the
// slider reads them: face1 track, face2 track while dragging, angles = margin
// at the minimum end (low word) and at the maximum end (high word), shape 1 =
// round thumb, extra1 = the thumb's coordinate across the track, (extra1,
// extra2) = where the edit dialog opens.
struct SliderRecord {
    HWND owner;
    HWND window;
    int32_t x, y;
    uint16_t id;
    int32_t enabled;
    int32_t focused;
    int32_t dragging;
    ControlDescriptor look;
    NotifyTarget notify;
    SliderValue value;
    SliderThumb thumb;
    float thumbPosition;  // leading edge along the track, pixels
    int32_t lastX, lastY;
    HBITMAP thumbMask;
    HMENU menu;
    uint16_t presetCount;
    float presets[kSliderPresetCapacity];
    StepTrail trail;  // the run of key, wheel and drag steps
    int32_t wheelPending;  // the part of a wheel step not yet taken
};

// A slider on track (its size is the slider's) with thumb, centred across
// the track and travelling its whole length, three decimals (one in
// decibels). style: SLIDER_HORIZONTAL, the edit bits, SLIDER_DB,
// SLIDER_NOTIFY_DRAG. Notifies through callback when it is not null, else by
// posting WM_COMMAND to parent. Null when creation failed.
HWND create_slider(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP track,
                   HBITMAP thumb, float min, float max, float defaultValue, float step,
                   ControlCallback callback, void* user);
// The same on the toolkit's stock track and thumb of the style's orientation.
HWND create_stock_slider(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, float min,
                         float max, float defaultValue, float step, ControlCallback callback,
                         void* user);
// A slider from a filled record; a look of width 0 takes face1's size.
HWND create_slider_window(HWND parent, const SliderRecord* templ);

LRESULT CALLBACK slider_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
