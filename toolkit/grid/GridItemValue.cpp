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
    if (type == kItemLinear || type == kItemTime)
        v = value - static_cast<double>(dy) * k;
    else if (type == kItemFactor)
        v = value * std::pow(static_cast<double>(k), -static_cast<double>(dy));
    // Only a result a float can hold is taken.
    return std::fabs(v) <= FLT_MAX ? static_cast<float>(v) : value;
}
