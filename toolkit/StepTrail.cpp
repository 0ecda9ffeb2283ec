#include "toolkit/StepTrail.h"

namespace {

// Far beyond any run a user makes; keeps the count clear of overflow.
constexpr int64_t kLongestRun = int64_t{1} << 62;

}  // namespace

int64_t step_trail_extend(StepTrail* trail, float current, int32_t n) {
    if (!(trail->reached == current) || trail->steps > kLongestRun || trail->steps < -kLongestRun)
        *trail = step_trail_at(current);
    trail->steps += n;
    return trail->steps;
}

StepStart step_trail_start(StepTrail* trail, float current, int32_t n) {
    if (trail == nullptr) return {current, static_cast<double>(n)};
    const double steps = static_cast<double>(step_trail_extend(trail, current, n));
    return {trail->origin, steps};
}

void step_trail_arrive(StepTrail* trail, float value, bool atEnd) {
    if (trail == nullptr) return;
    trail->reached = value;
    if (atEnd) *trail = step_trail_at(value);
}
