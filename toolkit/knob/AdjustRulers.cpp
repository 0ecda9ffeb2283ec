#include "toolkit/knob/AdjustRulers.h"

#include <cmath>

#include "toolkit/Drawing.h"
#include "toolkit/ValueText.h"

namespace {

struct RulerKind {
    int32_t labelPeriod;  // rows between labelled ticks
    int32_t tickPeriod;   // rows between short ticks
};
constexpr RulerKind kRulers[3] = {{50, 10}, {25, 5}, {20, 4}};
constexpr double kRowTolerance = 1e-3;

void drawRuler(HDC dc, const RulerLayout* l, const AdjustScale* s, int32_t k) {
    const int32_t left = k * l->third;
    const float step = s->steps[k];
    const RulerKind kind = kRulers[k];
    // Rows above the middle count up from the current value's row. A value
    // on a row (2 on a ruler of 0.01) divides to a hair below it in floats:
    // it still sits on its row.
    const double offset = std::trunc((static_cast<double>(s->value) - s->lo) / step + kRowTolerance);
    int64_t n = l->graphMid + static_cast<int64_t>(std::isfinite(offset) ? offset : 0.0);
    char label[kValueTextCapacity];
    for (int32_t i = 1; i <= l->graphHeight - 2; ++i, --n) {
        const float v = s->lo + static_cast<float>(n) * step;
        if (v >= s->lo && v <= s->hi) {
            if (n % kind.labelPeriod == 0) {
                draw_line(dc, 10, left + 2, i, left + 6, i);
                format_value(v, label, sizeof label, static_cast<uint8_t>(s->digits), 0, 0);
                draw_text(dc, v > 0.0f ? 0x400 : 0x40C, left + 9, i - 8, label);
            }
            if (n % kind.tickPeriod == 0) draw_line(dc, 11, left + l->third - 5, i, left + l->third - 1, i);
        } else if (n % 2 == 0) {
            draw_line(dc, 13, left + 2, i, left + l->third - 1, i);  // outside the range
        }
    }
    fill_box(dc, 0x800000D0, left + 1, l->graphMid - 10, left + l->third - 2, l->graphMid + 10);
    format_value(s->value, label, sizeof label, static_cast<uint8_t>(s->digits), 0, 1);
    draw_text(dc, 0x600, left + 5, l->graphMid - 8, label);
}

}  // namespace

RulerLayout ruler_layout(int32_t clientWidth, int32_t clientHeight) {
    RulerLayout l = {};
    l.width = clientWidth;
    l.height = clientHeight;
    l.third = clientWidth / 3;
    l.twoThirds = 2 * l.third;
    l.innerRight = l.third - 1;
    l.graphHeight = clientHeight - 40;
    l.graphMid = l.graphHeight >> 1;
    return l;
}

int32_t ruler_column(const RulerLayout* layout, int32_t x) {
    if (x < layout->third) return 1;
    return x < layout->twoThirds ? 2 : 3;
}

void draw_rulers(HWND window, HBITMAP graph, const RulerLayout* layout, const AdjustScale* scale) {
    HDC windowDc = GetDC(window);
    HDC dc = CreateCompatibleDC(windowDc);
    ReleaseDC(window, windowDc);
    HGDIOBJ oldBitmap = SelectObject(dc, graph);
    HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ oldBrush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);

    fill_box(dc, 0xEE, 1, 1, layout->width, layout->height);
    SetBkMode(dc, TRANSPARENT);
    for (int32_t k = 0; k < 3; ++k) drawRuler(dc, layout, scale, k);
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t left = k * layout->third;
        frame_box(dc, 0x80000000, left, 0, left + layout->third - 1, layout->graphHeight - 1);
    }

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}
