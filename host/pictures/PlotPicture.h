#pragma once
// The picture of a render (--plot): the input's and output's peak levels in
// dBFS above, the gain reduction in dB below, against time in seconds, with
// labelled axes and a legend. Windows only: its text is drawn by GDI in a
// TrueType font.
#include <string>

#include "host/pictures/BmpFile.h"
#include "host/pictures/PlotColumns.h"

// Where the picture puts things, for a picture of width x height.
struct PlotLayout {
    int width, height;
    int fontPixels;
    int left, right;             // the plot area's columns: [left, right)
    int levelTop, levelBottom;   // the level panel's rows: [top, bottom)
    int reductionTop, reductionBottom;
    int columns() const { return right - left; }
};

PlotLayout plotLayout(int width, int height);

// Draws the columns over `seconds` (the span of the columns) into `image`,
// sized as the layout. `title` heads the picture (the input's name);
// `noReduction` fills the gain reduction's panel when it has no readings.
bool drawRenderPlot(const PlotColumns& columns, const PlotLayout& layout, double seconds, const std::string& title,
                    const std::string& noReduction, RgbImage& image, std::string& error);
