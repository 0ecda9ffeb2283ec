#include "toolkit/grid/GridItemValue.h"

#include <cfloat>
#include <cmath>

float grid_item_limited(float v, float min, float max, float current) {
    if (std::isnan(v)) return current;
    const float lower = min < max ? min : max, upper = min < max ? max : min;
    if (v < lower) return lower;
    if (v > upper) return upper;
    return v;
}

float grid_item_dragged(int32_t type, float value, float k, int32_t dy) {
    double v = value;
    if (type == kItemLinear || type == kItemTime) {
        v = value - static_cast<double>(dy) * k;
    } else if (type == kItemFactor) {
        // A factor of 0 has no inverse: a drag downward means nothing then.
        if (k == 0.0f && dy > 0) return value;
        v = value * std::pow(static_cast<double>(k), -static_cast<double>(dy));
    }
    if (std::isnan(v)) return value;
    // A fast drag may go beyond what a float holds: it goes as far as a
    // float goes, and the item's limit takes it from there.
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}
