#pragma once
// What the value grid does with one item's value: its kinds, how a drag
// changes it and how it is kept in its range. Portable: no Windows headers.
#include <cstdint>

enum ValueItemType : int32_t {
    kItemInert = 0,
    kItemLinear = 1,  // linear drag, numeric edit
    kItemTime = 2,    // linear drag, time edit
    kItemToggle = 3,  // a click flips it between 0.0 and 1.0
    kItemFactor = 4,  // multiplicative drag, numeric edit
};

// v limited to the range between min and max (in either order); NaN keeps
// current.
float grid_item_limited(float v, float min, float max, float current);
// The value after a vertical drag by dy pixels (down is positive) with
// sensitivity k: linear items lose k per pixel downward, factor items are
// multiplied by k per pixel upward. A result beyond a float's range is the
// largest float of its sign (so the item's limit makes it its maximum or
// minimum). Other types, a result that is not a number and a factor of 0
// dragged downward keep the value.
float grid_item_dragged(int32_t type, float value, float k, int32_t dy);
// The value a toggle item takes when clicked.
inline float grid_item_toggled(float value) { return value != 1.0f ? 1.0f : 0.0f; }
