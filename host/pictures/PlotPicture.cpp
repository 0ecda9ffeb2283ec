#include "host/pictures/PlotPicture.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "measure/PeakLevels.h"

namespace {

// Colours, 0xRRGGBB.
constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kPanel = 0xF7F8FA;
constexpr uint32_t kGrid = 0xDDE1E6;
constexpr uint32_t kAxis = 0x7A828C;
constexpr uint32_t kText = 0x2B2F33;
constexpr uint32_t kInputFill = 0xC5D3E3;
constexpr uint32_t kInputEdge = 0x7F97B2;
constexpr uint32_t kOutputFill = 0x2F6DB5;
constexpr uint32_t kReductionFill = 0xE0645C;
constexpr uint32_t kReductionEdge = 0xA8322B;

constexpr double kLevelSpan = 60.0;  // dB shown in the level panel
constexpr double kHighestTop = 24.0; // dBFS: the panel's top at most

// The picture under construction: shapes drawn as pixels, text by GDI.
class Canvas {
public:
    explicit Canvas(RgbImage& image) : image_(image) {}
    void fill(int x0, int y0, int x1, int y1, uint32_t rgb) {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, image_.width), y1 = std::min(y1, image_.height);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = &image_.bgr[(static_cast<size_t>(y) * image_.width + x) * 3];
                p[0] = rgb & 0xFF, p[1] = (rgb >> 8) & 0xFF, p[2] = rgb >> 16;
            }
    }
    void horizontal(int x0, int x1, int y, uint32_t rgb) { fill(x0, y, x1, y + 1, rgb); }
    void vertical(int x, int y0, int y1, uint32_t rgb) { fill(x, std::min(y0, y1), x + 1, std::max(y0, y1) + 1, rgb); }

private:
    RgbImage& image_;
};

// A tick step from 1, 2, 5 times a power of ten (or the multiples of dB
// given) that puts at most `most` ticks over `range`.
double tickStep(double range, double most, const double* steps = nullptr, int count = 0) {
    if (steps) {
        for (int i = 0; i < count; ++i)
            if (range / steps[i] <= most) return steps[i];
        return steps[count - 1];
    }
    const double power = std::pow(10.0, std::floor(std::log10(range / most)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (range / (m * power) <= most) return m * power;
    return 10.0 * power;
}

// A vertical scale: decibels from `top` at row `y0` down to `bottom` at `y1`.
struct Scale {
    double top, bottom;
    int y0, y1;
    // The row of a level, clamped to the panel.
    int row(double db) const {
        const double t = (top - db) / (top - bottom);
        return y0 + static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * (y1 - y0 - 1)));
    }
};

struct Range {
    double highestPeak = -INFINITY, deepest = 0.0;
    bool readings = false;
};

Range rangeOf(const PlotColumns& columns) {
    Range r;
    for (const PlotColumn& c : columns.columns()) {
        r.highestPeak = std::max({r.highestPeak, levelDecibels(c.inputPeak), levelDecibels(c.outputPeak)});
        if (c.reduction <= 0.0f) {
            r.deepest = std::min(r.deepest, static_cast<double>(c.reduction));
            r.readings = true;
        }
    }
    return r;
}

struct Text {
    int x, y;
    std::string text;
    UINT align;  // TA_LEFT, TA_CENTER or TA_RIGHT, with TA_TOP
    bool bold = false, vertical = false;
};

void drawPanels(Canvas& canvas, const PlotColumns& columns, const PlotLayout& l, const Scale& level,
                const Scale& reduction) {
    const std::vector<PlotColumn>& cs = columns.columns();
    int lastInput = -1, lastReduction = -1;
    for (size_t i = 0; i < cs.size() && static_cast<int>(i) < l.columns(); ++i) {
        const int x = l.left + static_cast<int>(i);
        const PlotColumn& c = cs[i];
        const double in = levelDecibels(c.inputPeak), out = levelDecibels(c.outputPeak);
        // Levels rise from the panel's bottom; below its range they show nothing.
        if (in > level.bottom) canvas.fill(x, level.row(in), x + 1, level.y1, kInputFill);
        if (out > level.bottom) canvas.fill(x, level.row(out), x + 1, level.y1, kOutputFill);
        // The input's outline over both fills, joined column to column.
        const int inRow = in > level.bottom ? level.row(in) : -1;
        if (inRow >= 0) canvas.vertical(x, lastInput >= 0 ? lastInput : inRow, inRow, kInputEdge);
        lastInput = inRow;
        // The reduction hangs from 0 dB.
        if (c.reduction <= 0.0f) {
            const int r = reduction.row(c.reduction);
            if (r > reduction.y0) canvas.fill(x, reduction.y0, x + 1, r, kReductionFill);
            canvas.vertical(x, lastReduction >= 0 ? lastReduction : r, r, kReductionEdge);
            lastReduction = r;
        } else {
            lastReduction = -1;
        }
    }
}

// The grid lines and their labels of one panel.
void drawScale(Canvas& canvas, const PlotLayout& l, const Scale& s, double step, std::vector<Text>& texts) {
    for (double db = std::floor(s.top / step) * step; db >= s.bottom - 1e-9; db -= step) {
        const int y = s.row(db);
        canvas.horizontal(l.left, l.right, y, kGrid);
        char label[16];
        std::snprintf(label, sizeof label, "%g", db == 0.0 ? 0.0 : db);
        texts.push_back({l.left - l.fontPixels / 3, y - l.fontPixels / 2 - 1, label, TA_RIGHT});
    }
}

void frame(Canvas& canvas, const PlotLayout& l, int top, int bottom) {
    canvas.horizontal(l.left - 1, l.right + 1, top - 1, kAxis);
    canvas.horizontal(l.left - 1, l.right + 1, bottom, kAxis);
    canvas.vertical(l.left - 1, top - 1, bottom, kAxis);
    canvas.vertical(l.right, top - 1, bottom, kAxis);
}

// Draws the texts into the image with GDI: Arial, antialiased.
bool drawTexts(const PlotLayout& l, const std::vector<Text>& texts, RgbImage& image, std::string& error) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!dib || !bits) {
        if (dc) DeleteDC(dc);
        error = "cannot make the plot's picture (out of GDI memory)";
        return false;
    }
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    uint8_t* pixels = static_cast<uint8_t*>(bits);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(pixels + y * stride, &image.bgr[y * rowBytes], rowBytes);
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(kText >> 16, (kText >> 8) & 0xFF, kText & 0xFF));
    for (const Text& t : texts) {
        HFONT font = CreateFontA(-l.fontPixels, 0, t.vertical ? 900 : 0, t.vertical ? 900 : 0,
                                 t.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetTextAlign(dc, t.align | TA_TOP | TA_NOUPDATECP);
        TextOutA(dc, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    GdiFlush();
    for (int y = 0; y < image.height; ++y)
        std::memcpy(&image.bgr[y * rowBytes], pixels + y * stride, rowBytes);
    SelectObject(dc, oldBitmap);
    DeleteObject(dib);
    DeleteDC(dc);
    return true;
}

// The width of a text in the plot's font, for placing the legend.
int textWidth(const PlotLayout& l, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-l.fontPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {static_cast<LONG>(text.size()) * l.fontPixels / 2, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return size.cx;
}

// Draws the legend right-aligned in the top margin; answers where it starts.
int drawLegend(Canvas& canvas, const PlotLayout& l, std::vector<Text>& texts) {
    const struct {
        const char* name;
        uint32_t colour, edge;
    } entries[] = {{"Input peak", kInputFill, kInputEdge},
                   {"Output peak", kOutputFill, kOutputFill},
                   {"Gain reduction", kReductionFill, kReductionEdge}};
    const int f = l.fontPixels, swatch = f * 3 / 4, y = f / 2;
    int x = l.right;
    for (int i = 2; i >= 0; --i) {
        x -= textWidth(l, entries[i].name);
        texts.push_back({x, y, entries[i].name, TA_LEFT});
        x -= swatch + f / 3;
        const int top = y + (f - swatch) / 2 + 1;
        canvas.fill(x, top, x + swatch, top + swatch, entries[i].edge);
        canvas.fill(x + 1, top + 1, x + swatch - 1, top + swatch - 1, entries[i].colour);
        x -= f;
    }
    return x;
}

// The title cut from the front (a path's end tells most) to fit `width`.
std::string fitted(const PlotLayout& l, std::string title, int width) {
    while (title.size() > 4 && textWidth(l, title) > width) title = "..." + title.substr(4);
    return title;
}

}  // namespace

PlotLayout plotLayout(int width, int height) {
    PlotLayout l;
    l.width = width;
    l.height = height;
    l.fontPixels = std::clamp(height / 28, 12, 24);
    const int f = l.fontPixels;
    l.left = f * 4;
    l.right = width - f;
    l.levelTop = f * 2;
    const int bottom = height - f * 3;  // tick labels and the time axis's name below
    const int panels = bottom - l.levelTop - f;
    l.levelBottom = l.levelTop + panels * 62 / 100;
    l.reductionTop = l.levelBottom + f;
    l.reductionBottom = bottom;
    return l;
}

bool drawRenderPlot(const PlotColumns& columns, const PlotLayout& l, double seconds, const std::string& title,
                    const std::string& noReduction, RgbImage& image, std::string& error) {
    image.width = l.width;
    image.height = l.height;
    image.bgr.assign(static_cast<size_t>(l.width) * l.height * 3, 0);
    Canvas canvas(image);
    canvas.fill(0, 0, l.width, l.height, kBackground);
    canvas.fill(l.left, l.levelTop, l.right, l.levelBottom, kPanel);
    canvas.fill(l.left, l.reductionTop, l.right, l.reductionBottom, kPanel);
    const int f = l.fontPixels;

    const Range range = rangeOf(columns);
    const double top = std::clamp(std::ceil(range.highestPeak / 6.0) * 6.0, 0.0, kHighestTop);
    const Scale level{top, top - kLevelSpan, l.levelTop, l.levelBottom};
    const double depth = std::min(std::max(3.0, std::ceil(-range.deepest / 3.0) * 3.0), kLevelSpan);
    const Scale reduction{0.0, -depth, l.reductionTop, l.reductionBottom};

    std::vector<Text> texts;
    static const double kLevelSteps[] = {6, 12, 24, 30};
    static const double kReductionSteps[] = {1, 2, 3, 6, 12, 24, 30};
    drawScale(canvas, l, level, tickStep(kLevelSpan, (l.levelBottom - l.levelTop) / (f * 1.6), kLevelSteps, 4),
              texts);
    drawScale(canvas, l, reduction,
              tickStep(depth, (l.reductionBottom - l.reductionTop) / (f * 1.6), kReductionSteps, 7), texts);

    // Time: ticks at round seconds.
    const double span = seconds > 0.0 ? seconds : 1.0;
    const double step = tickStep(span, l.columns() / (f * 5.0));
    for (double t = 0.0; t <= span + step * 1e-6; t += step) {
        const int x = l.left + static_cast<int>(std::lround(t / span * (l.columns() - 1)));
        canvas.vertical(x, l.levelTop, l.levelBottom - 1, kGrid);
        canvas.vertical(x, l.reductionTop, l.reductionBottom - 1, kGrid);
        canvas.vertical(x, l.reductionBottom, l.reductionBottom + f / 3, kAxis);
        char label[32];
        std::snprintf(label, sizeof label, "%g", std::round(t / step) * step);
        texts.push_back({x, l.reductionBottom + f / 3, label, TA_CENTER});
    }
    drawPanels(canvas, columns, l, level, reduction);
    frame(canvas, l, l.levelTop, l.levelBottom);
    frame(canvas, l, l.reductionTop, l.reductionBottom);

    texts.push_back({(l.left + l.right) / 2, l.height - f * 3 / 2 - 1, "Time (s)", TA_CENTER});
    texts.push_back({f / 4, (l.levelTop + l.levelBottom) / 2, "Level (dBFS)", TA_CENTER, false, true});
    texts.push_back({f / 4, (l.reductionTop + l.reductionBottom) / 2, "GR (dB)", TA_CENTER, false, true});
    if (!range.readings)
        texts.push_back({(l.left + l.right) / 2, (l.reductionTop + l.reductionBottom - f) / 2, noReduction, TA_CENTER});
    const int legend = drawLegend(canvas, l, texts);
    // Bold runs wider than the measure: a margin of a few characters.
    texts.push_back({l.left, f / 2, fitted(l, title, legend - l.left - 4 * f), TA_LEFT, true});
    return drawTexts(l, texts, image, error);
}
