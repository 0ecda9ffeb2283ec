// The value grid under Wine: creation and its callback, painting through the
// zoom, zoom steps, scroll bars, the wheel and panning, item drags and
// toggles, editing through both dialogs, destruction during dialogs and
// callbacks, leaks and a screenshot.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "GdiObjectCounter.h"
#include "ModalScript.h"
#include "OwnerDestroys.h"
#include "SampleContent.h"
#include "Screenshot.h"
#include "ThumbClick.h"
#include "ToolkitTestWindows.h"
#include "toolkit/ControlData.h"
#include "toolkit/grid/ValueGrid.h"

namespace {

constexpr uint16_t kId = 11;
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 255);

// What the owner's callback saw, and what it does.
struct GridLog {
    std::vector<ValueItem> items;  // placed at creation
    int32_t createResult = 1;
    int32_t destroyAtCode = 0;     // the callback destroys the grid at this code
    std::vector<int32_t> codes;
    std::vector<int32_t> drawn;    // item indices drawn
    std::vector<float> changes;    // values told at code 4
};
GridLog g_log;
OwnerDestroys g_destroys;  // an owner that closes the grid when told of a change

int32_t __cdecl gridCallback(ValueGridContext* c, int32_t code) {
    g_log.codes.push_back(code);
    if (code == kGridCreated)
        for (const ValueItem& item : g_log.items) value_grid_add_item(c->window, &item);
    RECT r = {c->left, c->top, c->right, c->bottom};
    if (code == kGridPaintBackground || code == kGridDrawItem) {
        HBRUSH brush = CreateSolidBrush(code == kGridDrawItem ? kInk : kPaper);
        FillRect(c->dc, &r, brush);
        DeleteObject(brush);
    }
    if (code == kGridDrawItem) g_log.drawn.push_back(c->itemIndex);
    if (code == kGridItemChanged) {
        g_log.changes.push_back(*c->value);
        g_destroys.onReport();
    }
    if (code == g_log.destroyAtCode) {
        g_log.destroyAtCode = 0;
        DestroyWindow(c->window);
    }
    return code == kGridCreated ? g_log.createResult : 1;
}

ValueItem item(int32_t type, int32_t left, int32_t top, int32_t right, int32_t bottom, float value,
               float min, float max, float kLeft = 1, float kRight = 1) {
    return {type * 10, type, left, top, right, bottom, value, min, max, kLeft, kRight, nullptr,
            gridCallback};
}

// The standard items: a meter, a factor, a toggle, a time, a label and a
// meter far away.
std::vector<ValueItem> standardItems() {
    return {item(kItemLinear, 20, 20, 40, 60, 5, 0, 10, 0.5f, 2),
            item(kItemFactor, 60, 20, 80, 60, 1, 0.1f, 10, 2, 1.5f),
            item(kItemToggle, 100, 20, 120, 40, 0, 0, 1),
            item(kItemTime, 140, 20, 160, 60, 1, 0, 100, 0.1f, 0.1f),
            item(kItemInert, 20, 70, 180, 90, 0, 0, 0),
            item(kItemLinear, 900, 400, 950, 450, 0, 0, 1)};
}

COLORREF pixel(HWND g, int x, int y) {
    HDC dc = GetDC(g);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(g, dc);
    return c;
}

class GridTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        SetWindowPos(host_, nullptr, 0, 0, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
        g_log = GridLog{};
        g_log.items = standardItems();
        g_modal = ModalScript{};
    }
    void TearDown() override {
        for (HWND g : grids_) DestroyWindow(g);
        ToolkitWindowTest::TearDown();
    }
    HWND grid(uint32_t windowStyle = 0, int32_t extentWidth = 1000, int32_t extentHeight = 500) {
        HWND g = create_value_grid(host_, kId, 10, 10, 200, 100, windowStyle, extentWidth,
                                   extentHeight, gridCallback);
        grids_.push_back(g);
        return g;
    }
    static ValueGridRecord* record(HWND g) { return static_cast<ValueGridRecord*>(get_control_data(g)); }
    static ZoomView* view(HWND g) { return record(g)->view; }
    static void mouse(HWND g, UINT message, int32_t x, int32_t y, WPARAM keys = 0) {
        SendMessageA(g, message, keys, MAKELPARAM(x, y));
    }
    static void ctrlClick(HWND g, bool left, int32_t x, int32_t y) {
        mouse(g, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, x, y, MK_CONTROL);
        mouse(g, left ? WM_LBUTTONUP : WM_RBUTTONUP, x, y, MK_CONTROL);
    }
    static void scroll(HWND g, UINT message, int request, int position = 0) {
        SendMessageA(g, message, MAKEWPARAM(request, position), 0);
    }
    static void repaint(HWND g) {
        InvalidateRect(g, nullptr, TRUE);
        UpdateWindow(g);
    }
    std::vector<HWND> grids_;
};

TEST_F(GridTest, CreationAsksTheCallbackWhichPlacesTheItems) {
    HWND g = grid();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g_log.codes.front(), kGridCreated);
    EXPECT_EQ(record(g)->items.count, 6);
    EXPECT_EQ(record(g)->context.id, kId);
    EXPECT_EQ(value_grid_item(g, 4)->type, kItemTime);
    EXPECT_EQ(value_grid_item(g, 7), nullptr);
    EXPECT_EQ(value_grid_add_item(host_, &g_log.items[0]), 0);  // not a grid
    // The block holds a fixed number of items.
    int32_t last = 0;
    for (int i = 0; i < 200; ++i) last = std::max(last, value_grid_add_item(g, &g_log.items[0]));
    EXPECT_EQ(last, kValueGridItemCapacity);
    // A callback that answers 0, or none at all: no grid.
    g_log.createResult = 0;
    EXPECT_EQ(grid(), nullptr);
    EXPECT_EQ(create_value_grid(host_, kId, 0, 0, 50, 50, 0, 10, 10, nullptr), nullptr);
    grids_.resize(1);
}

TEST_F(GridTest, PaintsBackgroundThenVisibleItemsThroughTheZoom) {
    HWND g = grid();
    g_log.codes.clear();
    g_log.drawn.clear();
    repaint(g);
    EXPECT_EQ(g_log.codes.front(), kGridPaintBackground);
    EXPECT_EQ(g_log.drawn, (std::vector<int32_t>{1, 2, 3, 4, 5}));  // not the one far away
    EXPECT_EQ(pixel(g, 30, 30), kInk);
    EXPECT_EQ(pixel(g, 50, 50), kPaper);

    // At 200 % the first meter covers (40, 40) to (80, 120).
    for (int i = 0; i < 10; ++i) ctrlClick(g, false, 190, 95);
    EXPECT_EQ(record(g)->zoom, 200.0f);
    UpdateWindow(g);
    EXPECT_EQ(pixel(g, 50, 50), kInk);
    EXPECT_EQ(pixel(g, 30, 30), kPaper);

    // Scrolled by 40 pixels: the same spot moves with the surface.
    SendMessageA(g, WM_MOUSEMOVE, 0, 0);
    mouse(g, WM_LBUTTONDOWN, 190, 95);
    mouse(g, WM_MOUSEMOVE, 150, 95);
    mouse(g, WM_LBUTTONUP, 150, 95);
    UpdateWindow(g);
    EXPECT_EQ(view(g)->scrollX, 40);
    EXPECT_EQ(pixel(g, 10, 50), kInk);

    // The background is asked for only while the toolkit notifies.
    toolkit().notificationsEnabled = 0;
    g_log.codes.clear();
    repaint(g);
    toolkit().notificationsEnabled = 1;
    EXPECT_EQ(g_log.codes.front(), kGridDrawItem);
}

TEST_F(GridTest, ZoomStepsWithCtrlClicks) {
    HWND g = grid();
    struct Click { bool left; int32_t x, y; float zoom; } clicks[] = {
        {true, 190, 95, 90}, {true, 100, 80, 80},  // the label is inert: it zooms too
        {true, 190, 95, 70}, {true, 190, 95, 60}, {true, 190, 95, 50}, {true, 190, 95, 50},
        {true, 15, 20, 50},   // on the meter: its edit dialog (cancelled), no zoom
        {false, 15, 20, 60},  // zooming in works anywhere
    };
    for (const auto& c : clicks) {
        g_modal = ModalScript{};
        run_modal([&] { ctrlClick(g, c.left, c.x, c.y); });
        EXPECT_EQ(record(g)->zoom, c.zoom) << c.x << "," << c.y;
        EXPECT_EQ(g_modal.sawEdit, c.x == 15 && c.left);
    }
    for (int i = 0; i < 20; ++i) ctrlClick(g, false, 190, 95);
    EXPECT_EQ(view(g)->zoom, 200);
    record(g)->zoomEnabled = 0;
    ctrlClick(g, true, 190, 95);
    EXPECT_EQ(record(g)->zoom, 200.0f);
}

// A real click on either thumb, through the bar's own tracking loop, which
// reports the position it computes from the thumb's pixels: the view stays,
// at any offset and zoom.
TEST_F(GridTest, AStillClickOnAThumbKeepsTheView) {
    HWND g = grid(WS_HSCROLL | WS_VSCROLL);
    for (int32_t zoom : {100, 170}) {
        while (view(g)->zoom < zoom) ctrlClick(g, false, 5, 5);
        for (int bar : {SB_HORZ, SB_VERT}) {
            const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
            scroll(g, message, SB_TOP);
            for (int step = 0; step < 8; ++step) {
                for (int i = 0; i < step * 7; ++i) scroll(g, message, SB_LINEDOWN);
                const ZoomView* v = view(g);
                const int32_t x = v->scrollX, y = v->scrollY;
                const int position = GetScrollPos(g, bar);
                ASSERT_TRUE(click_scroll_thumb(g, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL));
                EXPECT_EQ(v->scrollX, x) << zoom << " " << bar << " " << step;
                EXPECT_EQ(v->scrollY, y) << zoom << " " << bar << " " << step;
                EXPECT_EQ(GetScrollPos(g, bar), position) << zoom << " " << bar << " " << step;
            }
        }
    }
}

TEST_F(GridTest, ScrollBarsReachTheFarEndZoomedInAndOut) {
    HWND g = grid(WS_HSCROLL | WS_VSCROLL);
    RECT client;
    GetClientRect(g, &client);
    const int32_t cw = client.right, ch = client.bottom;
    struct Step { UINT bar; int request, position; int32_t zoomIn; int32_t expected; } steps[] = {
        {WM_HSCROLL, SB_LINEDOWN, 0, 0, 4},
        {WM_HSCROLL, SB_BOTTOM, 0, 0, 1000 - cw},
        {WM_HSCROLL, SB_PAGEDOWN, 0, 0, 1000 - cw},  // never past the end
        {WM_HSCROLL, SB_TOP, 0, 10, 0},              // then at 200 %:
        {WM_HSCROLL, SB_THUMBPOSITION, 100, 0, 200},
        {WM_HSCROLL, SB_BOTTOM, 0, 0, 2000 - cw},    // the far end, not half way
        {WM_VSCROLL, SB_BOTTOM, 0, 0, 1000 - ch},
    };
    for (const auto& s : steps) {
        for (int i = 0; i < s.zoomIn; ++i) ctrlClick(g, false, 5, 5);
        scroll(g, s.bar, s.request, s.position);
        const ZoomView* v = view(g);
        EXPECT_EQ(s.bar == WM_HSCROLL ? v->scrollX : v->scrollY, s.expected) << s.request;
        // The bar counts logical units.
        EXPECT_EQ(GetScrollPos(g, s.bar == WM_HSCROLL ? SB_HORZ : SB_VERT),
                  zoom_to_logical(s.expected, v->zoom)) << s.request;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(g, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 1000);
    // Zooming out at the far end keeps the view within the smaller surface.
    for (int i = 0; i < 15; ++i) ctrlClick(g, true, 5, 5);
    EXPECT_EQ(view(g)->scrollX, 500 - cw);
    EXPECT_EQ(view(g)->scrollY, 250 - ch);

    // At the smallest zoom, one that does not divide the surface evenly and
    // the largest, on both bars: the thumb dragged to the far end the bar
    // allows shows the surface's far edge (zoom_view_test checks every offset).
    for (int32_t zoom : {50, 170, 200}) {
        while (view(g)->zoom < zoom) ctrlClick(g, false, 5, 5);
        for (int bar : {SB_HORZ, SB_VERT}) {
            const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
            const ZoomView* v = view(g);
            scroll(g, message, SB_TOP);
            info.fMask = SIF_ALL;
            GetScrollInfo(g, bar, &info);
            scroll(g, message, SB_THUMBTRACK, info.nMax - static_cast<int>(info.nPage) + 1);
            EXPECT_EQ(bar == SB_HORZ ? v->scrollX : v->scrollY,
                      bar == SB_HORZ ? v->zoomedWidth - cw : v->zoomedHeight - ch)
                << zoom << " " << bar;
        }
    }
}

TEST_F(GridTest, TheWheelScrollsTheViewAsTheBarsWould) {
    HWND g = grid(WS_HSCROLL | WS_VSCROLL);
    // A notch is three line steps of 4 pixels: down, with Shift to the right.
    const struct { UINT message; int delta; WPARAM keys; int32_t x, y; } turns[] = {
        {WM_MOUSEWHEEL, -120, 0, 0, 12},
        {WM_MOUSEWHEEL, -120, MK_SHIFT, 12, 12},
        {WM_MOUSEWHEEL, 120, 0, 12, 0},
        {WM_MOUSEHWHEEL, 120, 0, 24, 0},           // tilted to the right
        {WM_MOUSEWHEEL, -120, MK_CONTROL, 24, 0},  // Ctrl+wheel: nothing, no zoom either
    };
    for (const auto& t : turns) {
        SendMessageA(g, t.message, MAKEWPARAM(t.keys, t.delta), MAKELPARAM(50, 50));
        EXPECT_EQ(view(g)->scrollX, t.x) << t.delta << " " << t.keys;
        EXPECT_EQ(view(g)->scrollY, t.y) << t.delta << " " << t.keys;
        EXPECT_EQ(GetScrollPos(g, SB_VERT), t.y) << t.delta;  // the bars follow
    }
    EXPECT_EQ(view(g)->zoom, 100);
    // Not while an item is dragged.
    scroll(g, WM_HSCROLL, SB_TOP);
    mouse(g, WM_LBUTTONDOWN, 30, 40);
    ASSERT_EQ(record(g)->dragging, 1);
    SendMessageA(g, WM_MOUSEWHEEL, MAKEWPARAM(MK_LBUTTON, -120), MAKELPARAM(30, 40));
    mouse(g, WM_LBUTTONUP, 30, 40);
    EXPECT_EQ(view(g)->scrollY, 0);
}

TEST_F(GridTest, DraggingEmptySpacePansTheSurface) {
    HWND g = grid();
    mouse(g, WM_LBUTTONDOWN, 190, 95);
    EXPECT_EQ(GetCapture(), g);
    struct Move { int32_t x, y, scrollX, scrollY; } moves[] = {
        {160, 75, 30, 20}, {400, 300, 0, 0}, {-2000, -2000, 800, 400}};  // limited both ways
    for (const auto& m : moves) {
        mouse(g, WM_MOUSEMOVE, m.x, m.y);
        EXPECT_EQ(view(g)->scrollX * 10000 + view(g)->scrollY, m.scrollX * 10000 + m.scrollY) << m.x;
    }
    mouse(g, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    record(g)->panEnabled = 0;
    mouse(g, WM_LBUTTONDOWN, 190, 95);
    mouse(g, WM_MOUSEMOVE, 100, 95);
    mouse(g, WM_LBUTTONUP, 100, 95);
    EXPECT_EQ(view(g)->scrollX, 800);
}

TEST_F(GridTest, DragsChangeValuesAndTogglesFlipOnRelease) {
    // A drag moves a pixel at a time, or all at once when fast.
    struct Drag { ValueItem item; bool left; int32_t dy; float expected; bool fast; } drags[] = {
        {item(kItemLinear, 20, 20, 40, 60, 5, 0, 10, 0.5f, 2), true, -3, 6.5f, false},   // up raises
        {item(kItemLinear, 20, 20, 40, 60, 5, 0, 10, 0.5f, 2), false, 2, 1, false},     // right button: 2 per pixel
        {item(kItemFactor, 20, 20, 40, 60, 1, 0, 10, 2, 1), true, -3, 8, false},
        {item(kItemFactor, 20, 20, 40, 60, 1, 0, 5, 2, 1), true, -3, 5, false},         // limited to max
        {item(kItemFactor, 20, 20, 40, 60, 1, 0.1f, 10, 10, 1), true, -40, 10, true},  // 10^40: max
        {item(kItemTime, 20, 20, 40, 60, 1, 0, 100, 0.1f, 1), true, 30, 0, false},
        {item(kItemToggle, 20, 20, 40, 60, 0, 0, 1), true, -30, 0, false},              // moved out: no flip
    };
    for (const auto& d : drags) {
        g_log = GridLog{};
        g_log.items = {d.item};
        HWND g = grid();
        const UINT down = d.left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        mouse(g, down, 30, 40);
        EXPECT_EQ(record(g)->dragging, 1);
        EXPECT_EQ(GetCapture(), g);
        const int32_t step = d.fast ? d.dy : d.dy > 0 ? 1 : -1;
        for (int32_t moved = 0; moved != d.dy; moved += step)
            mouse(g, WM_MOUSEMOVE, 31, 40 + moved + step);
        mouse(g, d.left ? WM_LBUTTONUP : WM_RBUTTONUP, 31, 40 + d.dy);
        EXPECT_FLOAT_EQ(value_grid_item(g, 1)->value, d.expected) << d.item.type;
        EXPECT_EQ(record(g)->dragging, 0);
        EXPECT_EQ(GetCapture(), nullptr);
        // Each move of a value drag told the item's callback.
        if (d.item.type != kItemToggle) {
            EXPECT_EQ(g_log.changes.size(), static_cast<size_t>(d.dy / step));
            EXPECT_FLOAT_EQ(g_log.changes.back(), d.expected);
        }
        DestroyWindow(g);
        grids_.pop_back();
    }

    // A click on a toggle flips it, a second click flips it back.
    g_log.items = standardItems();
    HWND g = grid();
    for (float expected : {1.0f, 0.0f}) {
        mouse(g, WM_LBUTTONDOWN, 110, 30);
        mouse(g, WM_LBUTTONUP, 110, 30);
        EXPECT_EQ(value_grid_item(g, 3)->value, expected);
    }
}

// Pixels of row y from x0 to x1 that differ from the paper.
int marked(HWND g, int y, int x0, int x1) {
    int count = 0;
    for (int x = x0; x <= x1; ++x) count += pixel(g, x, y) != kPaper;
    return count;
}

TEST_F(GridTest, ADraggedItemIsOutlinedUntilReleased) {
    HWND g = grid();
    repaint(g);
    EXPECT_EQ(marked(g, 18, 17, 43), 0);
    mouse(g, WM_LBUTTONDOWN, 30, 40);
    EXPECT_GT(marked(g, 18, 17, 43), 0);  // the inner rectangle's top edge
    EXPECT_GT(marked(g, 16, 15, 45), 0);  // and the outer one's
    repaint(g);                           // a repaint keeps the outline
    EXPECT_GT(marked(g, 18, 17, 43), 0);
    mouse(g, WM_MOUSEMOVE, 30, 38);
    mouse(g, WM_LBUTTONUP, 30, 38);
    EXPECT_EQ(marked(g, 18, 17, 43), 0);
    EXPECT_EQ(marked(g, 16, 15, 45), 0);
}

TEST_F(GridTest, CtrlClickEditsThroughBothDialogs) {
    HWND g = grid();
    value_grid_item(g, 1)->value = 1.0f / 3;
    struct Edit { int32_t x; const char* text; bool confirm; int32_t index; float expected; } edits[] = {
        {30, nullptr, true, 1, 1.0f / 3},  // confirmed as shown: kept exactly
        {30, "7.5", true, 1, 7.5f},
        {30, "99", true, 1, 10},           // above max: max
        {30, "3", false, 1, 10},           // Escape
        {70, "0,25", true, 2, 0.25f},      // a factor
        {150, "3", true, 4, 3},            // time: the time entry dialog's seconds
        {150, "5", false, 4, 3},
        {110, "5", true, 3, 0},            // a toggle opens nothing
    };
    for (const auto& e : edits) {
        g_modal = ModalScript{};
        g_modal.typeText = e.text;
        g_modal.confirm = e.confirm;
        g_log.changes.clear();
        run_modal([&] { ctrlClick(g, true, e.x, 30); });
        EXPECT_EQ(value_grid_item(g, e.index)->value, e.expected) << e.x << " " << (e.text ? e.text : "");
        EXPECT_EQ(g_log.changes.size(), e.confirm && e.index != 3 ? 1u : 0u);
        EXPECT_EQ(g_modal.sawTime, e.index == 4);
        EXPECT_EQ(g_modal.sawEdit, e.index == 1 || e.index == 2);
        if (g_modal.sawEdit) {
            EXPECT_EQ(g_modal.editWidth, 150);
        }
    }
    g_modal = ModalScript{};
    run_modal([&] { ctrlClick(g, true, 30, 40); });
    EXPECT_EQ(g_modal.editText, "10.00000");
    EXPECT_EQ(record(g)->zoom, 100.0f);
}

TEST_F(GridTest, DestroyedDuringDialogsAndCallbacks) {
    // During each dialog.
    for (int32_t x : {30, 150}) {
        HWND g = grid();
        g_modal = ModalScript{};
        g_modal.destroy = g;
        g_modal.confirm = true;
        g_log.changes.clear();
        run_modal([&] { ctrlClick(g, true, x, 40); });
        EXPECT_FALSE(IsWindow(g)) << x;
        EXPECT_TRUE(g_log.changes.empty()) << x;
    }
    // By the owner's callback: at creation, painting, drawing an item, and
    // told of a change during a drag.
    g_log.destroyAtCode = kGridCreated;
    EXPECT_EQ(grid(), nullptr);
    for (int32_t code : {kGridPaintBackground, kGridDrawItem}) {
        HWND g = grid();
        g_log.destroyAtCode = code;
        repaint(g);
        EXPECT_FALSE(IsWindow(g)) << code;
    }
    const struct {
        const char* name;
        std::function<void(HWND)> act;
    } changes[] = {
        {"drag", [](HWND g) {
             mouse(g, WM_LBUTTONDOWN, 30, 40);
             mouse(g, WM_MOUSEMOVE, 30, 38);
             mouse(g, WM_MOUSEMOVE, 30, 36);
         }},
        {"toggle", [](HWND g) {
             mouse(g, WM_LBUTTONDOWN, 110, 30);
             mouse(g, WM_LBUTTONUP, 110, 30);
         }},
        {"edit", [](HWND g) {
             g_modal = ModalScript{};
             g_modal.confirm = true;
             g_modal.typeText = "7";
             run_modal([&] { ctrlClick(g, true, 30, 40); });
         }},
    };
    for (const auto& c : changes) {
        HWND g = grid();
        g_destroys.arm(g, sizeof(ValueGridRecord));
        c.act(g);
        g_destroys.expectClean(c.name);
    }
    g_destroys.disarm();
    grids_.clear();
}

TEST_F(GridTest, SampleGridScreenshotAndNoLeaks) {
    HWND sample = create_sample_grid(host_, kId, 5, 5, 300, 200);
    ASSERT_NE(sample, nullptr);
    UpdateWindow(sample);
    const RgbImage normal = capture_window(sample);
    for (int i = 0; i < 5; ++i) ctrlClick(sample, false, 290, 190);
    SendMessageA(sample, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
    UpdateWindow(sample);
    EXPECT_TRUE(save_screenshot("grid_sample", side_by_side({normal, capture_window(sample)}, 4)));
    DestroyWindow(sample);
    pumpMessages();

    const int32_t gdi = live_gdi_objects();
    const int windows = thread_window_count();
    if (gdi < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    for (int i = 0; i < 200; ++i) {
        HWND g = create_sample_grid(host_, kId, 5, 5, 300, 200);
        ASSERT_NE(g, nullptr);
        ctrlClick(g, false, 290, 190);
        UpdateWindow(g);
        mouse(g, WM_LBUTTONDOWN, 30, 100);
        mouse(g, WM_MOUSEMOVE, 30, 90);
        mouse(g, WM_LBUTTONUP, 30, 90);
        DestroyWindow(g);
    }
    pumpMessages();
    EXPECT_EQ(live_gdi_objects(), gdi);
    EXPECT_EQ(thread_window_count(), windows);
}

}  // namespace
