#pragma once
// Turns of a wheel in parts of a notch, as mice, high-resolution wheels and
// touchpads report them, and the value steps each part gives a control that
// takes five steps a notch: the parts add up; a part short of a step gives
// none; a turn the other way starts afresh.
#include <cstdint>
#include <vector>

struct WheelTurn {
    const char* what;
    std::vector<int32_t> parts;  // wheel deltas, 120 a notch
    std::vector<int32_t> steps;  // steps after each part, forward positive
};

inline const std::vector<WheelTurn>& wheel_turns() {
    static const std::vector<WheelTurn> turns = {
        {"a notch", {120}, {5}},
        {"a notch back", {-120}, {-5}},
        {"halves", {60, 60}, {2, 3}},
        {"thirds", {40, 40, 40}, {1, 2, 2}},
        {"quarters", {30, 30, 30, 30}, {1, 1, 1, 2}},
        {"fifths", {24, 24, 24, 24, 24}, {1, 1, 1, 1, 1}},
        {"fifteenths", {8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8},
         {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}},
        {"mixed signs", {8, 8, -8, -8, -8, 60, -120}, {0, 0, 0, 0, -1, 2, -5}},
    };
    return turns;
}
