#pragma once
// The 3D list tests' layout: three panels 200 wide over a row column 20
// wide, headers 20 high, rows 10 high, each panel 10 higher than the one in
// front. In a 300 x 200 control 16 rows show and panel 1 lies in front at
// (100, 20), its rows from y 40 on.
#include "toolkit/list3d/PanelStack.h"

inline PanelList three_panel_layout(int32_t rowCount = 12) {
    PanelList layout = {};
    layout.rowCount = rowCount;
    layout.rowHeaderWidth = 20;
    layout.headerHeight = 20;
    layout.panelWidth = 200;
    layout.rowHeight = 10;
    layout.panelCount = 3;
    layout.panelStep = 10;
    return layout;
}
