#pragma once
// How the knob turns mouse and wheel movements into steps and angles, and
// where its pointer lies. Portable: no Windows headers.
#include <cstdint>

// knob_mouse_mode bits, shared by every knob of the process.
constexpr int32_t kKnobInverseMode = 1;
constexpr int32_t kKnobAngularMode = 2;

// One rule for every gesture: bit 0 alone makes the mouse inverse.
inline bool knob_inverse(int32_t mouseMode) { return (mouseMode & kKnobInverseMode) != 0; }

// Steps of a linear drag by (dx, dy): vertical movement counts when it is the
// larger one (up raises in normal mode, down raises in inverse mode),
// otherwise horizontal movement (right raises in both modes).
int32_t knob_drag_steps(int32_t dx, int32_t dy, bool inverse);

struct KnobDial {
    float thetaMin, thetaMax;  // angles of min and max, in [0, 2*pi)
    float sweep;               // travel from thetaMin clockwise to thetaMax
    float gapMid;              // middle of the dead zone, as an offset from thetaMin
};

KnobDial knob_dial(float thetaMin, float thetaMax, float sweep);

// The angle an angular drag aims at when the mouse is at (dx, dy) from the
// pivot (dy upward): the mouse's own angle inside the travel, else the
// nearer end of the travel, the dead zone split in its middle. Returns 0,
// leaving *target alone, when the mouse is on the pivot.
int32_t knob_angular_target(const KnobDial* dial, float dx, float dy, float* target);

struct KnobPoint {
    int32_t x, y;
};

// The four corners of the pointer at angle for length R and width W around
// the pivot; a short pointer is an outer tick from 0.7 R to R.
void knob_pointer_polygon(float angle, int32_t length, int32_t width, int32_t centreX,
                          int32_t centreY, bool shortPointer, KnobPoint corners[4]);
