#pragma once
// A run of steps on a control's value (keys, wheel, drags): every step is
// taken afresh from the value the run began at, so steps that sum to zero
// return the value exactly to where it was, whatever the rounding of each
// step on its way. Portable: no Windows headers.
#include <cstdint>

struct StepTrail {
    float origin;   // the value the run began at
    float reached;  // the value its last step left
    int64_t steps;  // steps taken since the origin
};

// A run that begins at value.
inline StepTrail step_trail_at(float value) { return {value, value, 0}; }

// Counts n more steps and returns the steps to take from trail->origin. A
// value changed by anything else since the last step (it is no longer
// where that step left it) begins a new run at current.
int64_t step_trail_extend(StepTrail* trail, float current, int32_t n);

// Where n more steps on a value at current lead from: the run's origin and
// its steps so far, n included (trail extended as step_trail_extend does; a
// null trail is a run of n steps from current alone).
struct StepStart {
    double origin;
    double steps;
};
StepStart step_trail_start(StepTrail* trail, float current, int32_t n);

// Notes where the step left the value. A value held at an end of its range
// begins the next run there, so that stepping back leaves the end at once.
// A null trail notes nothing.
void step_trail_arrive(StepTrail* trail, float value, bool atEnd);
