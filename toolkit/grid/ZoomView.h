#pragma once
// The value grid's view of its logical surface: zoom, scroll offsets and the
// mapping between logical units and device pixels. Portable: no Windows
// headers.
//
// One computation maps logical units to device pixels everywhere (zoomed
// extents, scroll positions, thumb positions, the drawing transform):
// device = logical x zoom / 100, in whole pixels; the way back divides by
// the same zoom, rounding down.
#include <cstdint>

#include "toolkit/ScrollRequest.h"

constexpr int32_t kZoomMin = 50;
constexpr int32_t kZoomMax = 200;
constexpr int32_t kZoomStep = 10;
constexpr int32_t kScrollLineStep = 4;


struct ZoomView {
    void* window;
    int32_t extentWidth, extentHeight;  // logical size of the surface
    int32_t zoomedWidth, zoomedHeight;  // the same in device pixels
    int32_t scrollX, scrollY;           // device pixels from the surface's corner
    int32_t zoom;                       // percent
    float scale;                        // logical units per device pixel (100 / zoom)
    float unitScale;                    // device pixels per logical unit (zoom / 100)
    int32_t lineStepX, lineStepY;
    int32_t panning;                    // 1 while the surface is dragged
    int32_t panX, panY;                 // last pointer position of the pan
    int32_t wheelX, wheelY;             // the part of a wheel step not yet scrolled
};

struct LogicalRect {
    int32_t left, top, right, bottom;
};

// Zoom 100, no scrolling; negative extents count as 0.
void zoom_view_init(ZoomView* view, void* window, int32_t extentWidth, int32_t extentHeight);

// logical x zoom / 100, cut toward zero and limited to the int32 range.
int32_t zoom_to_device(int32_t logical, int32_t zoom);
// device x 100 / zoom, rounded down.
int32_t zoom_to_logical(int32_t device, int32_t zoom);

// The largest scroll offset of an axis: the surface's far edge at the
// window's far edge, 0 when the surface fits.
int32_t zoom_view_max_scroll(int32_t zoomedExtent, int32_t client);
// An offset brought into [0, largest].
int32_t zoom_view_limit(int64_t offset, int32_t zoomedExtent, int32_t client);
// The offset a scroll request gives on one axis; thumb is the scroll bar's
// position in logical units. A thumb where the bar shows the offset keeps
// it, and the thumb moved to the bar's far end gives the largest offset.
int32_t zoom_view_scrolled(int32_t offset, int32_t request, int32_t thumb, int32_t client,
                           int32_t zoomedExtent, int32_t zoom);

// Zooms to z percent (limited to [50, 200]) keeping the logical point at the
// window's corner, within the limits of the new size. 1 when the zoom changed.
int32_t zoom_view_set_zoom(ZoomView* view, int32_t z, int32_t clientWidth, int32_t clientHeight);
// The next zoom step in (direction > 0) or out, within [50, 200].
int32_t zoom_view_next(int32_t zoom, int32_t direction);

// The logical point under client point (x, y).
int32_t zoom_view_logical_x(const ZoomView* view, int32_t x);
int32_t zoom_view_logical_y(const ZoomView* view, int32_t y);
// The logical rectangle the window shows.
LogicalRect zoom_view_visible(const ZoomView* view, int32_t clientWidth, int32_t clientHeight);

// Edges count: rectangles that only touch overlap.
bool logical_rects_touch(const LogicalRect& a, const LogicalRect& b);
// Strictly inside: a point on the edge is outside.
bool logical_rect_holds(const LogicalRect& r, int32_t x, int32_t y);
