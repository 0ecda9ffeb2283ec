#include "toolkit/knob/KnobGesture.h"

#include <cmath>
#include <cstdlib>

#include "toolkit/ValueText.h"
#include "toolkit/knob/KnobValue.h"

int32_t knob_drag_steps(int32_t dx, int32_t dy, bool inverse) {
    if (std::abs(dy) > std::abs(dx)) return inverse ? dy : -dy;
    return dx;
}

KnobDial knob_dial(float thetaMin, float thetaMax, float sweep) {
    return {thetaMin, thetaMax, sweep, sweep + (kTwoPi - sweep) * 0.5f};
}

int32_t knob_angular_target(const KnobDial* dial, float dx, float dy, float* target) {
    const float r = std::sqrt(dx * dx + dy * dy);
    if (!(r > 1e-20f)) return 0;
    float phi = std::acos(dx / r);
    if (dy <= 0.0f) phi = kTwoPi - phi;
    // Straight to the right is angle 0, not a full turn.
    if (phi >= kTwoPi) phi -= kTwoPi;
    float offset = dial->thetaMin - phi;
    if (phi >= dial->thetaMin) offset += kTwoPi;
    if (offset <= dial->sweep)
        *target = phi;
    else if (offset <= dial->gapMid)
        *target = dial->thetaMax;
    else
        *target = dial->thetaMin;
    return 1;
}

void knob_pointer_polygon(float angle, int32_t length, int32_t width, int32_t centreX,
                          int32_t centreY, bool shortPointer, KnobPoint corners[4]) {
    const double c = std::cos(angle), s = -std::sin(angle);
    const double r = length;
    KnobPoint base = {centreX, centreY};
    KnobPoint tip;
    if (shortPointer) {
        base = {centreX + round_half_down(0.7 * r * c), centreY + round_half_down(0.7 * r * s)};
        tip = {base.x + round_half_down(0.3 * r * c), base.y + round_half_down(0.3 * r * s)};
    } else {
        tip = {base.x + round_half_down(r * c), base.y + round_half_down(r * s)};
    }
    const int32_t hx = round_half_down(0.5 * width * s);
    const int32_t hy = round_half_down(0.5 * width * c);
    corners[0] = {base.x + hx, base.y - hy};
    corners[1] = {base.x - hx, base.y + hy};
    corners[2] = {tip.x - hx, tip.y + hy};
    corners[3] = {tip.x + hx, tip.y - hy};
}
