// The portable half of the popups' placement.
#include "toolkit/PopupPlacement.h"

namespace {

void fitAxis(int32_t* p, int32_t size, int32_t low, int32_t high) {
    if (*p + size > high) *p = high - size;
    if (*p < low) *p = low;
}

}  // namespace

void fit_inside(int32_t* x, int32_t* y, int32_t width, int32_t height, int32_t left,
                int32_t top, int32_t right, int32_t bottom) {
    fitAxis(x, width, left, right);
    fitAxis(y, height, top, bottom);
}
