// The 2D list under Wine, driven by the messages a user's mouse, keyboard
// and scroll bar produce: the rows the owner is asked to paint, keys and
// commands, the scroll bar and the pixels it moves, the wheel, clicks and
// ranges, the menu and its choices, resizing, an owner destroying the list
// from any callback, leaks, and a screenshot of sample content.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "LeakCheck.h"
#include "ModalMenu.h"
#include "Screenshot.h"
#include "ThumbClick.h"
#include "ToolkitTestWindows.h"
#include "list2d/SampleContent.h"
#include "toolkit/ControlData.h"
#include "toolkit/list2d/List2D.h"

namespace {

constexpr uint16_t kId = 22;

struct Call {
    int32_t code, row, top, selected;
};

struct Owner {
    std::vector<Call> calls;
    int32_t destroyAtCode = -1;  // the first call with this code destroys the list
};

// Each row painted in a colour of its own.
COLORREF rowColour(int32_t row) { return RGB(row * 2 % 256, 100, 255 - row % 256); }

int32_t __cdecl recordRow(void* user, int32_t code, List2DCell* c) {
    Owner* o = static_cast<Owner*>(user);
    o->calls.push_back({code, c->row, c->top, c->selected});
    if (code == kList2DDrawRow) {
        HBRUSH brush = CreateSolidBrush(rowColour(c->row));
        const RECT row = {0, c->top, 200, c->top + 10};
        FillRect(c->dc, &row, brush);
        DeleteObject(brush);
    }
    if (code == o->destroyAtCode) {
        o->destroyAtCode = -1;
        DestroyWindow(c->window);
    }
    return 0;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class List2DTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        SetWindowPos(host_, nullptr, 0, 0, 360, 280, SWP_NOMOVE | SWP_NOZORDER);
        owner_ = Owner{};
    }
    void TearDown() override {
        for (HWND w : lists_)
            if (IsWindow(w)) DestroyWindow(w);
        ToolkitWindowTest::TearDown();
    }
    // Ten whole rows of 10 pixels and part of an eleventh.
    HWND list(int32_t rowCount = 100) {
        HWND w = create_list2d(host_, kId, 0, 0, 200, 105, rowCount, 10, recordRow, &owner_);
        lists_.push_back(w);
        return w;
    }
    static List2DRecord* rec(HWND w) { return static_cast<List2DRecord*>(get_control_data(w)); }
    static void key(HWND w, WPARAM vk) { SendMessageA(w, WM_KEYDOWN, vk, 1); }
    static void click(HWND w, int y, WPARAM keys = MK_LBUTTON, UINT message = WM_LBUTTONDOWN) {
        SendMessageA(w, message, keys, at(20, y));
    }
    static void scroll(HWND w, int request, int position = 0) {
        SendMessageA(w, WM_VSCROLL, MAKEWPARAM(request, position), 0);
    }
    // The rows the owner was last told about as the new selection (-1: none).
    int32_t notified() const {
        for (auto c = owner_.calls.rbegin(); c != owner_.calls.rend(); ++c)
            if (c->code == kList2DSelection) return c->row;
        return -1;
    }
    Owner owner_;
    std::vector<HWND> lists_;
};

std::string menuText(HMENU menu, UINT id) {
    char text[64] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(List2DTest, CreationAndPaintingEveryShownRow) {
    HWND w = list(5);
    ASSERT_NE(w, nullptr);
    char name[64];
    GetClassNameA(w, name, sizeof name);
    EXPECT_STREQ(name, "C_RA2ZAZ_2DList_00\xA9KSomar");
    const List2DRecord* r = rec(w);
    EXPECT_EQ(r->rows.visibleRows, 10);
    EXPECT_EQ(r->rows.selFirst, 1);
    EXPECT_EQ(r->rows.selLast, 1);
    EXPECT_EQ(r->cell.id, kId);
    int low = -1, high = -1;
    GetScrollRange(w, SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    EXPECT_EQ(menuText(r->menu, 1000), "Default Panel Position\t[BACKSPACE]");
    EXPECT_EQ(menuText(r->menu, 1001), "First line\t[HOME]");
    EXPECT_EQ(menuText(r->menu, 1002), "Last line\t[End]");
    EXPECT_TRUE(GetMenuState(r->menu, 1000, MF_BYCOMMAND) & MF_GRAYED);  // no panels here

    // Eleven rows, the last in part, the rows past the fifth too (the owner
    // paints them empty); then code 6.
    owner_.calls.clear();
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    ASSERT_EQ(owner_.calls.size(), 12u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(owner_.calls[i].code, kList2DDrawRow);
        EXPECT_EQ(owner_.calls[i].row, i + 1);
        EXPECT_EQ(owner_.calls[i].top, 10 * i);
        EXPECT_EQ(owner_.calls[i].selected, i == 0 ? 1 : 0);
    }
    EXPECT_EQ(owner_.calls.back().code, kList2DDrawn);

    // Without notifications the list paints nothing.
    owner_.calls.clear();
    toolkit().notificationsEnabled = 0;
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    toolkit().notificationsEnabled = 1;
    EXPECT_TRUE(owner_.calls.empty());

    EXPECT_EQ(rec(list(0))->rows.selFirst, 0);  // no rows, no selection
}

TEST_F(List2DTest, KeysAndCommandsMoveTheSelection) {
    HWND w = list();
    const struct { WPARAM message, code; int32_t selected, first, position, told; } moves[] = {
        {WM_KEYDOWN, VK_END, 100, 91, 909, 100},
        {WM_KEYDOWN, VK_HOME, 1, 1, 0, 1},
        {WM_KEYDOWN, VK_DOWN, 2, 1, 0, 2},
        {WM_KEYDOWN, VK_NEXT, 11, 2, 10, 11},
        {WM_KEYDOWN, VK_PRIOR, 2, 2, 10, 2},
        {WM_KEYDOWN, VK_UP, 1, 1, 0, 1},
        {WM_KEYDOWN, VK_UP, 1, 1, 0, -1},  // at the top: nothing, nobody told
        {WM_KEYDOWN, 'A', 1, 1, 0, -1},
        {WM_COMMAND, kListLastRow, 100, 91, 909, 100},
        {WM_COMMAND, kListRowUp, 99, 91, 909, 99},
        {WM_COMMAND, kListRowDown, 100, 91, 909, 100},
        {WM_COMMAND, kListFirstRow, 1, 1, 0, 1},
        {WM_COMMAND, kListDefaultPanels, 1, 1, 0, -1},
        {WM_COMMAND, kListSelectRow, 1, 1, 0, -1},
    };
    for (const auto& m : moves) {
        owner_.calls.clear();
        SendMessageA(w, static_cast<UINT>(m.message), m.code, 1);
        const List2DRecord* r = rec(w);
        EXPECT_EQ(r->rows.selFirst, m.selected) << m.message << " " << m.code;
        EXPECT_EQ(r->rows.selLast, m.selected) << m.message << " " << m.code;
        EXPECT_EQ(r->rows.firstRow, m.first) << m.message << " " << m.code;
        EXPECT_EQ(GetScrollPos(w, SB_VERT), m.position) << m.message << " " << m.code;
        EXPECT_EQ(notified(), m.told) << m.message << " " << m.code;
    }
    // Tab and Escape go to the owner.
    pumpMessages();
    for (WPARAM vk : {VK_TAB, VK_ESCAPE}) {
        key(w, vk);
        MSG msg = {};
        ASSERT_TRUE(PeekMessageA(&msg, host_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << vk;
        EXPECT_EQ(msg.wParam, vk);
    }
    // Without notifications keys change nothing.
    toolkit().notificationsEnabled = 0;
    key(w, VK_END);
    toolkit().notificationsEnabled = 1;
    EXPECT_EQ(rec(w)->rows.selFirst, 1);
}

TEST_F(List2DTest, TheScrollBarMovesTheViewAndThePixels) {
    HWND w = list(101);
    UpdateWindow(w);
    const struct { int request, thumb; int32_t first, position; } requests[] = {
        {SB_THUMBTRACK, 500, 51, 500},
        {SB_LINEDOWN, 0, 52, 510},
        {SB_LINEUP, 0, 51, 500},
        {SB_PAGEDOWN, 0, 61, 600},
        {SB_PAGEUP, 0, 51, 500},
        {SB_BOTTOM, 0, 92, 910},  // the last row shows whole, no further
        {SB_LINEDOWN, 0, 92, 910},
        {SB_THUMBPOSITION, 1000, 92, 910},
        {SB_TOP, 0, 1, 0},
        {SB_ENDSCROLL, 0, 1, 0},
    };
    HDC dc = GetDC(w);
    for (const auto& q : requests) {
        owner_.calls.clear();
        scroll(w, q.request, q.thumb);
        UpdateWindow(w);
        EXPECT_EQ(rec(w)->rows.firstRow, q.first) << q.request;
        EXPECT_EQ(GetScrollPos(w, SB_VERT), q.position) << q.request;
        EXPECT_EQ(notified(), -1) << q.request;  // the selection stays
        // Every whole row shows its own colour: moved pixels and newly painted ones.
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(GetPixel(dc, 50, 10 * i + 5), rowColour(q.first + i)) << q.request << " " << i;
    }
    ReleaseDC(w, dc);
    EXPECT_EQ(rec(w)->rows.selFirst, 1);

    // A thumb message at the position the bar shows (as a host or another
    // program may send it) leaves the view where it is.
    HWND hundred = list(100);
    for (int32_t first = 1; first <= 91; first += 10, scroll(hundred, SB_PAGEDOWN)) {
        scroll(hundred, SB_THUMBPOSITION, GetScrollPos(hundred, SB_VERT));
        ASSERT_EQ(rec(hundred)->rows.firstRow, first);
    }
}

// A real click on the thumb, through the bar's own tracking loop, which
// reports the position it computes from the thumb's pixels: the view stays.
TEST_F(List2DTest, AStillClickOnTheThumbKeepsTheView) {
    const struct { int32_t rows; std::vector<int> thumbs; } lists[] = {
        {kSampleList2DRows, {}},  // every first row, by lines
        {5000, {0, 15, 16, 333, 500, 998, 1000}},
    };
    for (const auto& l : lists) {
        HWND w = create_list2d(host_, kId, 10, 10, kSampleList2DWidth, kSampleList2DHeight, l.rows,
                               18, recordRow, &owner_);
        lists_.push_back(w);
        UpdateWindow(w);
        std::vector<int32_t> firsts;
        if (l.thumbs.empty()) {
            for (int32_t first = 1; first == rec(w)->rows.firstRow; ++first, scroll(w, SB_LINEDOWN))
                firsts.push_back(first);
        }
        for (size_t i = 0; i < firsts.size() + l.thumbs.size(); ++i) {
            if (i < firsts.size()) {
                scroll(w, SB_TOP);
                for (int32_t k = 1; k < firsts[i]; ++k) scroll(w, SB_LINEDOWN);
            } else {
                scroll(w, SB_THUMBPOSITION, l.thumbs[i - firsts.size()]);
            }
            const int32_t first = rec(w)->rows.firstRow;
            const int position = GetScrollPos(w, SB_VERT);
            ASSERT_TRUE(click_scroll_thumb(w, OBJID_VSCROLL));
            EXPECT_EQ(rec(w)->rows.firstRow, first) << l.rows << " rows";
            EXPECT_EQ(GetScrollPos(w, SB_VERT), position) << l.rows << " rows, first " << first;
        }
        DestroyWindow(w);
    }
}

TEST_F(List2DTest, TheWheelScrollsThreeRowsANotch) {
    HWND w = list();
    const struct { int delta; WPARAM keys; int32_t first; } turns[] = {
        {-120, 0, 4}, {120, 0, 1}, {-120, MK_SHIFT, 4},
        {-120, MK_CONTROL, 4},  // Ctrl+wheel: nothing
    };
    for (const auto& t : turns) {
        owner_.calls.clear();
        SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(t.keys, t.delta), at(20, 20));
        EXPECT_EQ(rec(w)->rows.firstRow, t.first) << t.delta << " " << t.keys;
        EXPECT_EQ(GetScrollPos(w, SB_VERT), rows_scroll_position(&rec(w)->rows)) << t.delta;
        EXPECT_EQ(notified(), -1) << t.delta;  // the selection stays
    }
    EXPECT_EQ(rec(w)->rows.selFirst, 1);
}

TEST_F(List2DTest, ClicksSelectRowsAndRanges) {
    HWND w = list();
    const struct { int y; WPARAM keys; int32_t first, last, told; } clicks[] = {
        {25, MK_LBUTTON, 3, 3, 3},
        {65, MK_LBUTTON | MK_SHIFT, 3, 7, -1},   // downward: silently
        {5, MK_LBUTTON | MK_CONTROL, 1, 7, 1},   // upward: told
        {45, MK_LBUTTON | MK_SHIFT, 1, 5, -1},
        {104, MK_LBUTTON | MK_SHIFT, 1, 5, -1},  // below the whole rows: unchanged
        {104, MK_LBUTTON, 0, 0, 0},              // a plain click there: nothing selected
        {35, MK_LBUTTON | MK_SHIFT, 4, 4, 4},    // no selection yet: that row alone
    };
    for (const auto& c : clicks) {
        owner_.calls.clear();
        click(w, c.y, c.keys);
        EXPECT_EQ(rec(w)->rows.selFirst, c.first) << c.y << " " << c.keys;
        EXPECT_EQ(rec(w)->rows.selLast, c.last) << c.y << " " << c.keys;
        EXPECT_EQ(notified(), c.told) << c.y << " " << c.keys;
    }
    // The selection reaches the painting.
    click(w, 25, MK_LBUTTON | MK_SHIFT);
    owner_.calls.clear();
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    for (const Call& c : owner_.calls) {
        if (c.code != kList2DDrawRow) continue;
        EXPECT_EQ(c.selected, c.row >= 3 && c.row <= 4 ? 1 : 0) << c.row;
    }

    // The right button selects the row under it unless it is selected, then shows the menu.
    owner_.calls.clear();
    EXPECT_TRUE(with_menu_closed([&] { click(w, 35, MK_RBUTTON, WM_RBUTTONDOWN); }));
    EXPECT_EQ(notified(), -1);
    EXPECT_TRUE(with_menu_closed([&] { click(w, 75, MK_RBUTTON, WM_RBUTTONDOWN); }));
    EXPECT_EQ(notified(), 8);
    EXPECT_EQ(rec(w)->rows.selLast, 8);
    // A choice from the menu does what its key does: "Last line", then "First line".
    for (const auto& choice : {std::pair<int, int32_t>{3, 100}, {2, 1}}) {
        g_modal = ModalScript{};
        g_modal.menuItem = choice.first;
        run_modal([&] { click(w, 35, MK_RBUTTON, WM_RBUTTONDOWN); });
        EXPECT_TRUE(g_modal.sawMenu);
        EXPECT_EQ(rec(w)->rows.selFirst, choice.second) << choice.first;
        EXPECT_EQ(notified(), choice.second) << choice.first;
    }
    // Destroyed while its menu is up.
    EXPECT_TRUE(with_menu_closed([&] { click(w, 75, MK_RBUTTON, WM_RBUTTONDOWN); }, w));
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(List2DTest, ResizingShowsMoreRowsAndStaysOnTheList) {
    HWND w = list();
    key(w, VK_END);
    SetWindowPos(w, nullptr, 10, 20, 200, 205, SWP_NOZORDER);
    const List2DRecord* r = rec(w);
    EXPECT_EQ(r->rows.visibleRows, 20);
    EXPECT_EQ(r->rows.firstRow, 81);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 808);
    RECT frame;
    GetWindowRect(w, &frame);
    EXPECT_EQ(r->left, frame.left);
    EXPECT_EQ(r->top, frame.top);
    EXPECT_EQ(r->height, 205);
}

TEST_F(List2DTest, TheOwnerMayDestroyTheListFromAnyCallback) {
    const struct { const char* what; int32_t code; void (*act)(HWND); } cases[] = {
        {"painting a row", kList2DDrawRow, [](HWND w) { UpdateWindow(w); }},
        {"after painting", kList2DDrawn, [](HWND w) { UpdateWindow(w); }},
        {"selection by key", kList2DSelection, [](HWND w) { key(w, VK_DOWN); }},
        {"selection by click", kList2DSelection, [](HWND w) { click(w, 45); }},
        {"selection by right click", kList2DSelection,
         [](HWND w) { with_menu_closed([&] { click(w, 45, MK_RBUTTON, WM_RBUTTONDOWN); }); }},
    };
    for (const auto& c : cases) {
        HWND w = list();
        ValidateRect(w, nullptr);
        InvalidateRect(w, nullptr, FALSE);
        owner_.destroyAtCode = c.code;
        g_modal = ModalScript{};
        c.act(w);
        EXPECT_FALSE(IsWindow(w)) << c.what;
        EXPECT_FALSE(g_modal.sawMenu) << c.what;  // no menu for a list already gone
    }
}

TEST_F(List2DTest, NoLeaksOver200Lists) {
    expect_no_leaks(200, [&](int i) {
        HWND w = create_list2d(host_, kId, 0, 0, 200, 105, i % 50, 10, recordRow, &owner_);
        key(w, VK_END);
        scroll(w, SB_THUMBTRACK, i * 5);
        click(w, 35, MK_LBUTTON | MK_SHIFT);
        UpdateWindow(w);
        EXPECT_TRUE(DestroyWindow(w));
    });
}

TEST_F(List2DTest, ScreenshotOfSampleContent) {
    HWND w = create_sample_list2d(host_, kId, 10, 10);
    ASSERT_NE(w, nullptr);
    lists_.push_back(w);
    click(w, 40);
    click(w, 80, MK_LBUTTON | MK_SHIFT);
    UpdateWindow(w);
    const RgbImage first = capture_window(w);
    key(w, VK_END);
    scroll(w, SB_LINEUP);
    UpdateWindow(w);
    EXPECT_TRUE(save_screenshot("list2d_sample", side_by_side({first, capture_window(w)}, 6)));
}

}  // namespace
