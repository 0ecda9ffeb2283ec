#pragma once
// The colours the panel's artwork prints with (tools/make_artwork.py), for
// what the editor draws on the panel itself.
#include <windows.h>

constexpr COLORREF kPanelAccent = RGB(240, 168, 48);    // section titles, MUTE, the meter's bars
constexpr COLORREF kPanelPrint = RGB(236, 236, 230);    // bright printing, the meter's marks
constexpr COLORREF kPanelPrintDim = RGB(150, 152, 150); // secondary words
constexpr COLORREF kPanelWell = RGB(14, 14, 16);        // the meter's and the switch's wells
