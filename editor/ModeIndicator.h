#pragma once
// The panel's sign of the limiter's mode, beside the MUTE switch under the
// meter's scale: a lamp, lit in true peak, and the mode's word.
#include <windows.h>

#include "limiter/LimiterMode.h"

struct ModeIndicatorLayout {
    RECT area;       // in the editor's client area
    int lampSize;    // the lamp's width and height
    int gap;         // between the lamp and the word
    int fontHeight;  // the word's character height
};

// Where and how large it is on the panel at its own size: a panel drawn at
// another size scales this.
constexpr ModeIndicatorLayout kModeIndicator = {{114, 70, 176, 86}, 6, 4, 8};

// Draws the indicator over the panel already painted under `layout.area`.
void drawModeIndicator(HDC dc, const ModeIndicatorLayout& layout, LimiterMode mode);
