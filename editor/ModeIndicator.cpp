#include "editor/ModeIndicator.h"

#include "editor/PanelColours.h"
#include "limiter/ModeParameter.h"

void drawModeIndicator(HDC dc, const ModeIndicatorLayout& layout, LimiterMode mode) {
    const bool lit = mode == LimiterMode::TruePeak;
    const RECT& a = layout.area;
    const int lampTop = (a.top + a.bottom - layout.lampSize) / 2;
    const RECT lamp = {a.left, lampTop, a.left + layout.lampSize, lampTop + layout.lampSize};
    HBRUSH fill = CreateSolidBrush(lit ? kPanelAccent : kPanelWell);
    HPEN rim = CreatePen(PS_SOLID, 1, lit ? kPanelAccent : kPanelPrintDim);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, rim);
    Ellipse(dc, lamp.left, lamp.top, lamp.right, lamp.bottom);

    LOGFONTA font = {};
    font.lfHeight = -layout.fontHeight;
    font.lfWeight = FW_BOLD;
    lstrcpyA(font.lfFaceName, "Arial");
    HFONT word = CreateFontIndirectA(&font);
    HGDIOBJ oldFont = SelectObject(dc, word);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, lit ? kPanelPrint : kPanelPrintDim);
    RECT text = {lamp.right + layout.gap, a.top, a.right, a.bottom};
    DrawTextA(dc, modeInfo(mode).panelText, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(word);
    DeleteObject(rim);
    DeleteObject(fill);
}
