#include "toolkit/WheelSteps.h"

#include "toolkit/ListRows.h"

int32_t wheel_steps(int32_t* pending, int32_t delta, int32_t stepsPerNotch) {
    int64_t total = int64_t{delta} * stepsPerNotch;
    // A wheel turned back answers at once, not after undoing what waited.
    const bool turnedBack = (total > 0 && *pending < 0) || (total < 0 && *pending > 0);
    const int64_t waiting = turnedBack ? 0 : *pending % kWheelNotch;
    total += waiting;
    const int64_t steps = total / kWheelNotch;
    *pending = static_cast<int32_t>(total - steps * kWheelNotch);
    return clamp_to_int32(steps);
}
