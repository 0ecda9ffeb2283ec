#pragma once
// The records every toolkit control shares: how it reports to its owner
// (NotifyTarget), how its appearance is described (ControlDescriptor), and the
// command numbers its owner sends it.
#include <windows.h>

#include <cstdint>

// Called with the caller removing the arguments; value carries float bits.
typedef int32_t(__cdecl* ControlCallback)(void* user, int32_t code, uint32_t value);

// flags bit: deliver by callback instead of posting WM_COMMAND to the owner.
constexpr uint32_t kNotifyByCallback = 0x2000000;

struct NotifyTarget {
    HWND owner;
    ControlCallback callback;
    uint32_t flags;
    void* user;
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(NotifyTarget) == 16, "NotifyTarget is four 32-bit fields");
#endif

// Appearance block copied into each control's record; unused words are zero.
struct ControlDescriptor {
    int32_t width;           // 0: width and height of face1
    int32_t height;
    HBITMAP face1;           // the normal face
    HBITMAP face2;           // a second face, per class
    HBITMAP disabledFace;    // null: the disabled cross
    uint32_t classWord;      // class-specific
    uint32_t angles;         // two 16-bit values, class-specific (knob: end angles)
    uint32_t shape;          // kShapeCircular or rectangular
    uint32_t style;          // style word of the class
    int32_t extra1;          // class-specific (knob: pivot x)
    int32_t extra2;          // class-specific (knob: pivot y)
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(ControlDescriptor) == 44, "ControlDescriptor is eleven 32-bit words");
#endif

constexpr uint32_t kShapeCircular = 1;

// Control commands: WM_COMMAND with wParam = command, lParam = float bits.
enum ControlCommand : uint32_t {
    kCommandEnable = 1,
    kCommandDisable = 2,
    kCommandGetValue = 3,
    kCommandSetValue = 4,
};

// Style word of the drawing routines.
constexpr uint32_t kStyleRaised = 0x80000000u;
inline int style_pen(uint32_t style) { return style & 0xF; }
inline int style_brush(uint32_t style) { return (style >> 4) & 0xF; }
inline int style_font(uint32_t style) { return (style >> 8) & 0xF; }

// Float values travel as their bits in 32-bit message parameters.
inline uint32_t float_bits(float value) {
    uint32_t bits;
    __builtin_memcpy(&bits, &value, sizeof bits);
    return bits;
}
inline float bits_float(uint32_t bits) {
    float value;
    __builtin_memcpy(&value, &bits, sizeof value);
    return value;
}
