// BMP images and the columns of a render's picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/pictures/BmpFile.h"
#include "host/pictures/PlotColumns.h"

namespace {

TEST(Bmp, BottomUpRowsPaddedToFourBytes) {
    RgbImage image;
    image.width = 3;  // 9 bytes a row: 3 bytes of padding
    image.height = 2;
    image.bgr = {1, 2, 3, 4, 5, 6, 7, 8, 9,  // top row
                 10, 11, 12, 13, 14, 15, 16, 17, 18};
    EXPECT_EQ(image.pixel(1, 0), 0x060504u);
    const std::vector<uint8_t> b = encodeBmp(image);
    ASSERT_EQ(b.size(), 54u + 24);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(b[2], 78);
    EXPECT_EQ(b[10], 54);
    EXPECT_EQ(b[14], 40);
    EXPECT_EQ(b[18], 3);
    EXPECT_EQ(b[22], 2);
    EXPECT_EQ(b[28], 24);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.begin() + 66),
              (std::vector<uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 66, b.end()),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}));
}

TEST(PlotColumns, EachColumnHoldsItsSlicesPeaksAndReadings) {
    // 10 frames over 4 columns: 3, 2, 3, 2 frames (starts 0, 3, 5, 8).
    PlotColumns plot(4, 10);
    const float frames[10] = {0.1f, -0.3f, 0.2f, 0.5f, 0.4f, 0.6f, -0.9f, 0.7f, 0.2f, -0.1f};
    plot.addInput(0, frames, 7, 1);
    plot.addInput(7, frames + 7, 3, 1);
    plot.addReduction(4, 2, -3.0);  // frames 4 and 5: columns 1 and 2
    plot.addReduction(0, 2, -1.0);
    const std::vector<PlotColumn>& c = plot.columns();
    const float peaks[4] = {0.3f, 0.5f, 0.9f, 0.2f};
    const float reductions[4] = {-1.0f, -3.0f, -3.0f, 1.0f};  // above 0: no reading
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(c[i].inputPeak, peaks[i]) << i;
        EXPECT_EQ(c[i].outputPeak, -1.0f) << i;
        EXPECT_EQ(c[i].reduction, reductions[i]) << i;
    }
    // Longer than told: pairs fold into one and the span doubles.
    plot.addInput(10, frames, 5, 1);
    EXPECT_EQ(plot.span(), 20u);
    EXPECT_EQ(plot.columns()[0].inputPeak, 0.5f);
    EXPECT_EQ(plot.columns()[1].inputPeak, 0.9f);
    EXPECT_EQ(plot.columns()[2].inputPeak, 0.5f);  // frames 10 to 14
    EXPECT_EQ(plot.columns()[0].reduction, -3.0f);
}

}  // namespace
