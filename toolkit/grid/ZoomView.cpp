#include "toolkit/grid/ZoomView.h"

#include <limits>

namespace {

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int32_t limitedZoom(int32_t z) { return z < kZoomMin ? kZoomMin : z > kZoomMax ? kZoomMax : z; }

void applyZoom(ZoomView* view, int32_t z) {
    view->zoom = z;
    view->unitScale = static_cast<float>(z) * 0.01f;
    view->scale = 100.0f / static_cast<float>(z);
    view->zoomedWidth = zoom_to_device(view->extentWidth, z);
    view->zoomedHeight = zoom_to_device(view->extentHeight, z);
}

// Rounds down, also for negative numerators.
int64_t floorDivide(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The offset for a thumb at a position in logical units. The bar shows an
// offset rounded down to a logical unit, so a thumb where the bar shows it
// keeps the offset, the thumb moved to its far end is the largest offset,
// and any other position is the first offset the bar shows there.
int32_t thumbOffset(int32_t offset, int32_t thumb, int32_t client, int32_t zoomedExtent,
                    int32_t zoom) {
    const int32_t largest = zoom_view_max_scroll(zoomedExtent, client);
    if (thumb == zoom_to_logical(offset, zoom)) return zoom_view_limit(offset, zoomedExtent, client);
    if (thumb >= zoom_to_logical(largest, zoom)) return largest;
    const int64_t first = -floorDivide(-int64_t{thumb} * limitedZoom(zoom), 100);
    return zoom_view_limit(first, zoomedExtent, client);
}

}  // namespace

void zoom_view_init(ZoomView* view, void* window, int32_t extentWidth, int32_t extentHeight) {
    *view = ZoomView{};
    view->window = window;
    view->extentWidth = extentWidth > 0 ? extentWidth : 0;
    view->extentHeight = extentHeight > 0 ? extentHeight : 0;
    view->lineStepX = kScrollLineStep;
    view->lineStepY = kScrollLineStep;
    applyZoom(view, 100);
}

int32_t zoom_to_device(int32_t logical, int32_t zoom) {
    return saturate(int64_t{logical} * limitedZoom(zoom) / 100);
}

int32_t zoom_to_logical(int32_t device, int32_t zoom) {
    return saturate(floorDivide(int64_t{device} * 100, limitedZoom(zoom)));
}

int32_t zoom_view_max_scroll(int32_t zoomedExtent, int32_t client) {
    const int64_t room = int64_t{zoomedExtent} - (client > 0 ? client : 0);
    return room > 0 ? static_cast<int32_t>(room) : 0;
}

int32_t zoom_view_limit(int64_t offset, int32_t zoomedExtent, int32_t client) {
    if (offset < 0) return 0;
    const int32_t largest = zoom_view_max_scroll(zoomedExtent, client);
    return offset > largest ? largest : static_cast<int32_t>(offset);
}

int32_t zoom_view_scrolled(int32_t offset, int32_t request, int32_t thumb, int32_t client,
                           int32_t zoomedExtent, int32_t zoom) {
    int64_t s = offset;
    switch (request) {
        case kScrollLineUp: s -= kScrollLineStep; break;
        case kScrollLineDown: s += kScrollLineStep; break;
        case kScrollPageUp: s -= client; break;
        case kScrollPageDown: s += client; break;
        case kScrollTop: s = 0; break;
        case kScrollBottom: s = zoomedExtent; break;  // the limit below makes it the far end
        case kScrollThumbPosition:
        case kScrollThumbTrack: return thumbOffset(offset, thumb, client, zoomedExtent, zoom);
    }
    return zoom_view_limit(s, zoomedExtent, client);
}

int32_t zoom_view_set_zoom(ZoomView* view, int32_t z, int32_t clientWidth, int32_t clientHeight) {
    z = limitedZoom(z);
    if (z == view->zoom) return 0;
    const int32_t logicalX = zoom_to_logical(view->scrollX, view->zoom);
    const int32_t logicalY = zoom_to_logical(view->scrollY, view->zoom);
    applyZoom(view, z);
    view->scrollX = zoom_view_limit(zoom_to_device(logicalX, z), view->zoomedWidth, clientWidth);
    view->scrollY = zoom_view_limit(zoom_to_device(logicalY, z), view->zoomedHeight, clientHeight);
    return 1;
}

int32_t zoom_view_next(int32_t zoom, int32_t direction) {
    return limitedZoom(limitedZoom(zoom) + (direction > 0 ? kZoomStep : -kZoomStep));
}

int32_t zoom_view_logical_x(const ZoomView* view, int32_t x) {
    return zoom_to_logical(saturate(int64_t{view->scrollX} + x), view->zoom);
}

int32_t zoom_view_logical_y(const ZoomView* view, int32_t y) {
    return zoom_to_logical(saturate(int64_t{view->scrollY} + y), view->zoom);
}

LogicalRect zoom_view_visible(const ZoomView* view, int32_t clientWidth, int32_t clientHeight) {
    const int32_t left = zoom_to_logical(view->scrollX, view->zoom);
    const int32_t top = zoom_to_logical(view->scrollY, view->zoom);
    // One pixel more than the window, so that a partly shown unit counts.
    const int64_t width = int64_t{clientWidth} + 1, height = int64_t{clientHeight} + 1;
    return {left, top, saturate(left + floorDivide(width * 100, limitedZoom(view->zoom)) + 1),
            saturate(top + floorDivide(height * 100, limitedZoom(view->zoom)) + 1)};
}

bool logical_rects_touch(const LogicalRect& a, const LogicalRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool logical_rect_holds(const LogicalRect& r, int32_t x, int32_t y) {
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}
