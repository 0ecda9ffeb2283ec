// Any extent, client size, zoom, scroll request, thumb and pointer: the value
// grid's view never crashes or divides by zero, keeps its zoom in [50, 200]
// and its offsets within the surface, a thumb where the bar shows the
// offset keeps it, and item values stay in their range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/grid/GridItemValue.h"
#include "toolkit/grid/ZoomView.h"

namespace {

void check(const ZoomView& v, int32_t clientWidth, int32_t clientHeight) {
    if (v.zoom < kZoomMin || v.zoom > kZoomMax) __builtin_trap();
    if (v.scrollX < 0 || v.scrollX > zoom_view_max_scroll(v.zoomedWidth, clientWidth)) __builtin_trap();
    if (v.scrollY < 0 || v.scrollY > zoom_view_max_scroll(v.zoomedHeight, clientHeight)) __builtin_trap();
    if (v.zoomedWidth < 0 || v.zoomedHeight < 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct Input {
        int32_t extentWidth, extentHeight, clientWidth, clientHeight;
        int32_t zoom, request, thumb, x, y;
        float value, min, max, k;
        int32_t type, dy;
    } in;
    if (size < sizeof in) return 0;
    std::memcpy(&in, data, sizeof in);

    ZoomView v;
    zoom_view_init(&v, nullptr, in.extentWidth, in.extentHeight);
    check(v, in.clientWidth, in.clientHeight);
    zoom_view_set_zoom(&v, in.zoom, in.clientWidth, in.clientHeight);
    check(v, in.clientWidth, in.clientHeight);
    v.scrollX = zoom_view_scrolled(v.scrollX, in.request, in.thumb, in.clientWidth, v.zoomedWidth, v.zoom);
    v.scrollY = zoom_view_scrolled(v.scrollY, in.request, in.thumb, in.clientHeight, v.zoomedHeight, v.zoom);
    check(v, in.clientWidth, in.clientHeight);
    // The thumb where the bar shows the offset keeps it; moved to the far
    // end it gives the largest offset.
    if (zoom_view_scrolled(v.scrollX, kScrollThumbPosition, zoom_to_logical(v.scrollX, v.zoom),
                           in.clientWidth, v.zoomedWidth, v.zoom) != v.scrollX)
        __builtin_trap();
    const int32_t largest = zoom_view_max_scroll(v.zoomedHeight, in.clientHeight);
    const int32_t farEnd = zoom_to_logical(largest, v.zoom);
    if (farEnd != zoom_to_logical(v.scrollY, v.zoom) &&
        zoom_view_scrolled(v.scrollY, kScrollThumbTrack, farEnd, in.clientHeight, v.zoomedHeight,
                           v.zoom) != largest)
        __builtin_trap();
    zoom_view_set_zoom(&v, zoom_view_next(v.zoom, in.zoom), in.clientWidth, in.clientHeight);
    check(v, in.clientWidth, in.clientHeight);
    zoom_view_logical_x(&v, in.x);
    zoom_view_logical_y(&v, in.y);
    const LogicalRect shown = zoom_view_visible(&v, in.clientWidth, in.clientHeight);
    logical_rects_touch(shown, {in.x, in.y, in.thumb, in.request});

    const float dragged = grid_item_dragged(in.type, in.value, in.k, in.dy);
    if (std::isfinite(in.value) && !std::isfinite(dragged)) __builtin_trap();
    const float limited = grid_item_limited(dragged, in.min, in.max, in.value);
    if (!std::isnan(in.min) && !std::isnan(in.max) && !std::isnan(limited)) {
        const float lower = in.min < in.max ? in.min : in.max, upper = in.min < in.max ? in.max : in.min;
        if (limited < lower || limited > upper) __builtin_trap();
    }
    return 0;
}
