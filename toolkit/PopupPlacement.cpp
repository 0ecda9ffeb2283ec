#include "toolkit/PopupPlacement.h"

#include <windows.h>

void keep_on_work_area(int32_t* x, int32_t* y, int32_t width, int32_t height) {
    const POINT corner = {*x, *y};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    fit_inside(x, y, width, height, area.left, area.top, area.right, area.bottom);
}
