// The drawing routines and the circular-mask cache, checked by pixels on a
// 32-bit memory canvas.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "GdiObjectCounter.h"
#include "ToolkitTestWindows.h"
#include "toolkit/CircleMask.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Drawing.h"

namespace {

const COLORREF kGreen = RGB(0, 200, 0);
const COLORREF kRed = RGB(220, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

using Drawing = ToolkitWindowTest;

COLORREF colour(int index) { return toolkit().palette[index]; }

// A bitmap whose pixel (x, y) is RGB(x * 10, y * 10, 50).
HBITMAP gradient(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, RGB(x * 10, y * 10, 50));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// A round face: red disc on black, as round controls' faces are drawn.
HBITMAP roundFace(int d) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, d, d);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, d, d, BLACKNESS);
    HBRUSH red = CreateSolidBrush(kRed);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ oldBrush = SelectObject(dc, red);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, 0, 0, d, d);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(red);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST_F(Drawing, BitmapCopies) {
    Canvas canvas(40, 30, kGreen);
    HBITMAP source = gradient(8, 6);

    blit_bitmap(canvas.dc(), source, 2, 3, 4, 2);
    EXPECT_EQ(canvas.at(2, 3), RGB(0, 0, 50));
    EXPECT_EQ(canvas.at(5, 4), RGB(30, 10, 50));
    EXPECT_EQ(canvas.at(6, 3), kGreen);
    EXPECT_EQ(canvas.at(2, 5), kGreen);

    blit_bitmap_part(canvas.dc(), source, 20, 20, 3, 2, 2, 2);
    EXPECT_EQ(canvas.at(20, 20), RGB(30, 20, 50));
    EXPECT_EQ(canvas.at(21, 21), RGB(40, 30, 50));
    EXPECT_EQ(canvas.at(22, 20), kGreen);

    canvas.fill(kGreen);
    blit_whole_bitmap(canvas.dc(), 1, 1, source);
    EXPECT_EQ(canvas.at(8, 6), RGB(70, 50, 50));
    EXPECT_EQ(canvas.at(9, 6), kGreen);
    EXPECT_EQ(canvas.at(8, 7), kGreen);

    // A missing bitmap draws nothing.
    const std::vector<uint32_t> before = canvas.pixels();
    blit_bitmap(canvas.dc(), nullptr, 0, 0, 5, 5);
    blit_bitmap_part(canvas.dc(), nullptr, 0, 0, 1, 1, 5, 5);
    blit_whole_bitmap(canvas.dc(), 0, 0, nullptr);
    EXPECT_EQ(canvas.pixels(), before);
    DeleteObject(source);
}

TEST_F(Drawing, TilesCoverTheClientArea) {
    // Client 30 x 20 with 8 x 6 tiles from (-2, -1): floor(31/8)+1 = 4 tiles
    // per row, floor(21/6)+1 = 4 rows, reaching x = 29 and y = 22.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 30, 20, host_, nullptr,
                                  nullptr, nullptr);
    Canvas canvas(40, 30, kGreen);
    HBITMAP tile = gradient(8, 6);
    tile_bitmap(window, canvas.dc(), -2, -1, tile);
    EXPECT_EQ(canvas.at(0, 0), RGB(20, 10, 50));
    EXPECT_EQ(canvas.at(6, 5), RGB(0, 0, 50));
    EXPECT_EQ(canvas.at(29, 22), RGB(70, 50, 50));
    EXPECT_EQ(canvas.at(30, 10), kGreen);
    EXPECT_EQ(canvas.at(10, 23), kGreen);

    const std::vector<uint32_t> before = canvas.pixels();
    tile_bitmap(window, canvas.dc(), 0, 0, nullptr);  // a missing tile draws nothing
    EXPECT_EQ(canvas.pixels(), before);
    DeleteObject(tile);
    DestroyWindow(window);
}

TEST_F(Drawing, MaskedCircleKeepsTheBackground) {
    Canvas canvas(64, 64, kGreen);
    HBITMAP face = roundFace(32);
    HBITMAP mask = circle_mask(host_, 32);
    ASSERT_NE(mask, nullptr);

    blit_through_circle(canvas.dc(), face, mask, 10, 10, 32, 32);
    EXPECT_EQ(canvas.at(26, 26), kRed);   // centre
    EXPECT_EQ(canvas.at(10, 26), kRed);   // left edge of the disc
    EXPECT_EQ(canvas.at(10, 10), kGreen); // corners show the background
    EXPECT_EQ(canvas.at(41, 41), kGreen);
    EXPECT_EQ(canvas.at(9, 26), kGreen);  // outside the block

    // Without a mask the face is copied as it is.
    canvas.fill(kGreen);
    blit_through_circle(canvas.dc(), face, nullptr, 10, 10, 32, 32);
    EXPECT_EQ(canvas.at(10, 10), kBlack);
    EXPECT_EQ(canvas.at(26, 26), kRed);

    // A face still selected into another context cannot be used: the
    // background stays, rather than turning white outside the disc and black
    // inside it.
    canvas.fill(kGreen);
    HDC holder = CreateCompatibleDC(canvas.dc());
    HGDIOBJ held = SelectObject(holder, face);
    blit_through_circle(canvas.dc(), face, mask, 10, 10, 32, 32);
    EXPECT_EQ(canvas.at(10, 10), kGreen);
    EXPECT_EQ(canvas.at(26, 26), kGreen);
    SelectObject(holder, held);
    DeleteDC(holder);
    DeleteObject(face);
}

TEST_F(Drawing, MaskCacheHoldsThirtyOneDiameters) {
    HBITMAP first = circle_mask(host_, 1);
    ASSERT_NE(first, nullptr);
    for (int d = 2; d <= 31; ++d) ASSERT_NE(circle_mask(host_, d), nullptr) << d;
    EXPECT_EQ(circle_mask(host_, 40), nullptr);
    EXPECT_EQ(circle_mask(host_, 1), first);
    EXPECT_NE(circle_mask(host_, 31), nullptr);
    EXPECT_EQ(circle_mask(host_, 0), nullptr);

    // A mask is a black disc on white.
    Canvas canvas(40, 40, kGreen);
    blit_whole_bitmap(canvas.dc(), 0, 0, circle_mask(host_, 31));
    EXPECT_EQ(canvas.at(15, 15), kBlack);
    EXPECT_EQ(canvas.at(0, 0), kWhite);
    EXPECT_EQ(canvas.at(30, 30), kWhite);
    EXPECT_EQ(canvas.at(31, 15), kGreen);
}

TEST_F(Drawing, MasksAreDeletedWithTheToolkit) {
    HBITMAP mask = circle_mask(host_, 24);
    ASSERT_NE(mask, nullptr);
    terminate_toolkit();
    EXPECT_EQ(GetObjectType(mask), 0u);
    EXPECT_EQ(toolkit().masks.count, 0);
    EXPECT_EQ(toolkit().masks.work, nullptr);
    ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
}

// The bounding box of the pixels of one colour.
RECT extent(const Canvas& canvas, COLORREF c) {
    RECT r = {canvas.width(), canvas.height(), -1, -1};
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) == c) {
                if (x < r.left) r.left = x;
                if (y < r.top) r.top = y;
                if (x > r.right) r.right = x;
                if (y > r.bottom) r.bottom = y;
            }
    return r;
}

TEST_F(Drawing, TextPlainAndRaised) {
    Canvas canvas(60, 40, colour(12));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const uint32_t style = 1 | (7 << 8);  // colour 1, font 7 (16 bold)
    draw_text(canvas.dc(), style, 5, 5, "W");
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), toolkit().fonts[7]);
    const RECT plain = extent(canvas, colour(1));
    ASSERT_GE(plain.right, plain.left);
    EXPECT_GE(plain.left, 5);
    EXPECT_LT(plain.bottom - plain.top, 16);
    EXPECT_LT(extent(canvas, kWhite).right, 0);

    canvas.fill(colour(12));
    draw_text(canvas.dc(), style | kStyleRaised, 5, 5, "W");
    const RECT top = extent(canvas, colour(1));
    const RECT shadow = extent(canvas, kWhite);
    EXPECT_EQ(top.left, plain.left);
    EXPECT_EQ(top.bottom, plain.bottom);
    EXPECT_EQ(shadow.right, top.right + 1);
    EXPECT_EQ(shadow.bottom, top.bottom + 1);
}

TEST_F(Drawing, LinesPlainAndRaised) {
    Canvas canvas(30, 30, kGreen);
    draw_line(canvas.dc(), 4 | kStyleRaised, 2, 10, 20, 10);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), toolkit().pens[4]);
    EXPECT_EQ(canvas.at(2, 10), colour(4));
    EXPECT_EQ(canvas.at(19, 10), colour(4));
    EXPECT_EQ(canvas.at(20, 10), kGreen);  // end point excluded
    EXPECT_EQ(canvas.at(3, 11), kWhite);
    EXPECT_EQ(canvas.at(20, 11), kWhite);
    EXPECT_EQ(canvas.at(2, 11), kGreen);

    draw_line(canvas.dc(), 4, 2, 20, 20, 20);
    EXPECT_EQ(canvas.at(10, 20), colour(4));
    EXPECT_EQ(canvas.at(10, 21), kGreen);
}

TEST_F(Drawing, BoxesPlainAndRaised) {
    Canvas canvas(40, 40, kGreen);
    fill_box(canvas.dc(), 0 | (3 << 4), 5, 5, 15, 12);
    EXPECT_EQ(canvas.at(5, 5), colour(0));
    EXPECT_EQ(canvas.at(14, 11), colour(0));
    EXPECT_EQ(canvas.at(10, 8), colour(3));
    EXPECT_EQ(canvas.at(15, 12), kGreen);

    // Raised: filled to (right, bottom) inclusive, shadow above and left,
    // white right and below.
    fill_box(canvas.dc(), (3 << 4) | kStyleRaised, 20, 20, 30, 28);
    EXPECT_EQ(canvas.at(25, 24), colour(3));
    EXPECT_EQ(canvas.at(20, 20), colour(9));
    EXPECT_EQ(canvas.at(29, 20), colour(9));
    EXPECT_EQ(canvas.at(20, 27), colour(9));
    EXPECT_EQ(canvas.at(30, 21), kWhite);
    EXPECT_EQ(canvas.at(30, 27), kWhite);
    EXPECT_EQ(canvas.at(21, 28), kWhite);
    EXPECT_EQ(canvas.at(30, 28), kWhite);
    EXPECT_EQ(canvas.at(31, 24), kGreen);
    EXPECT_EQ(canvas.at(25, 29), kGreen);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), toolkit().brushes[3]);

    canvas.fill(kGreen);
    frame_box(canvas.dc(), 1 | (3 << 4), 5, 5, 15, 12);
    EXPECT_EQ(canvas.at(5, 5), colour(1));
    EXPECT_EQ(canvas.at(10, 8), kGreen);
    frame_box(canvas.dc(), (3 << 4) | kStyleRaised, 20, 20, 30, 28);
    EXPECT_EQ(canvas.at(25, 24), kGreen);
    EXPECT_EQ(canvas.at(20, 20), colour(9));
    EXPECT_EQ(canvas.at(30, 27), kWhite);
}

TEST_F(Drawing, DisabledCross) {
    Canvas canvas(50, 40, kGreen);
    // g = min(39, 29) / 5 = 5.
    draw_disabled_cross(canvas.dc(), 0, 0, 40, 30);
    EXPECT_EQ(canvas.at(20, 15), colour(15));  // where the bars cross
    EXPECT_EQ(canvas.at(5, 0), colour(0));     // corners of the first bar
    EXPECT_EQ(canvas.at(39, 24), colour(0));
    EXPECT_EQ(canvas.at(34, 0), colour(0));    // and of the second
    EXPECT_EQ(canvas.at(0, 24), colour(0));
    EXPECT_EQ(canvas.at(20, 2), kGreen);       // between the arms
    EXPECT_EQ(canvas.at(2, 15), kGreen);
    EXPECT_EQ(canvas.at(40, 15), kGreen);
    EXPECT_EQ(canvas.at(0, 0), kGreen);
    EXPECT_EQ(canvas.at(6, 3), colour(15));    // inside the first bar

    // Small boxes still get bars 3 pixels wide.
    canvas.fill(kGreen);
    draw_disabled_cross(canvas.dc(), 10, 10, 20, 20);
    EXPECT_EQ(canvas.at(13, 10), colour(0));
    EXPECT_EQ(canvas.at(10, 13), colour(0));
    EXPECT_EQ(canvas.at(12, 10), kGreen);
}

TEST_F(Drawing, FocusMarks) {
    Canvas canvas(30, 30, kGreen);
    draw_focus_corner(canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.at(0, 0), colour(0));
    EXPECT_EQ(canvas.at(1, 1), colour(2));
    EXPECT_EQ(canvas.at(4, 4), kGreen);
    EXPECT_EQ(canvas.at(6, 0), kGreen);

    draw_focus_dot(canvas.dc(), 20, 20);
    int marked = 0;
    for (int y = 16; y < 25; ++y)
        for (int x = 16; x < 25; ++x) {
            const COLORREF c = canvas.at(x, y);
            if (c != kGreen) {
                ++marked;
                EXPECT_TRUE(c == colour(0) || c == colour(2));
                EXPECT_TRUE(x >= 18 && x < 22 && y >= 18 && y < 22) << x << "," << y;
            }
        }
    EXPECT_GT(marked, 0);
}

TEST_F(Drawing, NoGdiObjectsLeak) {
    Canvas canvas(64, 64, kGreen);
    HBITMAP face = roundFace(32);
    HBITMAP tile = gradient(8, 6);
    HBITMAP mask = circle_mask(host_, 32);
    const int32_t before = live_gdi_objects();
    if (before < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    for (int i = 0; i < 50; ++i) {
        blit_through_circle(canvas.dc(), face, mask, 0, 0, 32, 32);
        blit_whole_bitmap(canvas.dc(), 0, 0, tile);
        tile_bitmap(host_, canvas.dc(), 0, 0, tile);
        draw_text(canvas.dc(), kStyleRaised | 0x300, 0, 0, "Leak");
        fill_box(canvas.dc(), kStyleRaised | 0x31, 0, 0, 9, 9);
        frame_box(canvas.dc(), 0x31, 0, 0, 9, 9);
        draw_disabled_cross(canvas.dc(), 0, 0, 30, 30);
        draw_focus_dot(canvas.dc(), 5, 5);
    }
    EXPECT_EQ(live_gdi_objects(), before);
    DeleteObject(face);
    DeleteObject(tile);
}

}  // namespace
