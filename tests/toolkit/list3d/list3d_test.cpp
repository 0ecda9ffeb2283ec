// The 3D list under Wine, driven by the messages a user's mouse and keyboard
// produce: the cells the owner is asked to draw and their clipping,
// selection and scrolling by mouse, wheel, keys and commands, panel order
// and the sideways drag, the menu and its choices, an owner destroying the
// list from any callback, leaks, and a screenshot of sample content.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <vector>

#include "GdiObjectCounter.h"
#include "LeakCheck.h"
#include "ModalMenu.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "list3d/SampleContent.h"
#include "ThreePanels.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/list3d/List3D.h"

namespace {

constexpr uint16_t kId = 21;
const COLORREF kGreen = RGB(0, 200, 0);
// Row column, then panels 1 to 3.
const COLORREF kCellColours[] = {RGB(90, 90, 90), RGB(220, 0, 0), RGB(0, 0, 220), RGB(220, 220, 0)};

struct Call {
    int32_t code, row, panel, depth;
    RECT box;
    int32_t selectedRow;
};

struct Owner {
    std::vector<Call> calls;
    int32_t destroyAtCode = -1;  // the first call with this code destroys the list
    int32_t answer = 0;          // to codes other than 1
    bool paint = false;          // fill each cell with its panel's colour
};

int32_t __cdecl recordCall(void* user, int32_t code, List3DCell* c) {
    Owner* o = static_cast<Owner*>(user);
    const RECT box = {c->left, c->top, c->right, c->bottom};
    o->calls.push_back({code, c->row, c->panel, c->depth, box, c->selectedRow});
    if (o->paint && code == kList3DDrawCell) {
        HBRUSH brush = CreateSolidBrush(kCellColours[c->panel]);
        FillRect(c->dc, &box, brush);
        DeleteObject(brush);
    }
    if (code == o->destroyAtCode) {
        o->destroyAtCode = -1;
        DestroyWindow(c->window);
    }
    return code == kList3DDrawCell ? 0 : o->answer;
}

PanelList threePanels(int32_t rowCount = 12) { return three_panel_layout(rowCount); }

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class List3DTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        SetWindowPos(host_, nullptr, 0, 0, 360, 280, SWP_NOMOVE | SWP_NOZORDER);
        paintHost(kGreen);
        owner_ = Owner{};
    }
    void TearDown() override {
        for (HWND w : lists_)
            if (IsWindow(w)) DestroyWindow(w);
        ReleaseCapture();
        ToolkitWindowTest::TearDown();
    }
    void paintHost(COLORREF colour) {
        HDC dc = GetDC(host_);
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT all = {0, 0, 360, 280};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(host_, dc);
    }
    HWND list(PanelList layout = threePanels()) {
        HWND w = create_list3d(host_, kId, 0, 0, 300, 200, &layout, recordCall, &owner_);
        lists_.push_back(w);
        return w;
    }
    static List3DRecord* rec(HWND w) { return static_cast<List3DRecord*>(get_control_data(w)); }
    static int32_t front(HWND w) { return panels_front(&rec(w)->list); }
    static void mouse(HWND w, UINT message, int x, int y, WPARAM keys = MK_LBUTTON) {
        SendMessageA(w, message, keys, at(x, y));
    }
    static void key(HWND w, WPARAM vk) { SendMessageA(w, WM_KEYDOWN, vk, 1); }
    int count(int32_t code) const {
        int n = 0;
        for (const Call& c : owner_.calls) n += c.code == code;
        return n;
    }
    Owner owner_;
    std::vector<HWND> lists_;
};

TEST_F(List3DTest, CreationDrawsEveryCellFrontPanelFirst) {
    HWND w = list();
    ASSERT_NE(w, nullptr);
    char name[64];
    GetClassNameA(w, name, sizeof name);
    EXPECT_STREQ(name, "C_RA2ZAZ_3DList_00\xA9KSomar");
    EXPECT_EQ(GetDlgCtrlID(w), kId);
    const List3DRecord* r = rec(w);
    EXPECT_EQ(r->list.visibleRows, 16);
    EXPECT_EQ(r->list.selectedRow, 1);
    EXPECT_EQ(r->cell.id, kId);
    EXPECT_EQ(r->cell.window, w);

    // The row column (16 rows), then each panel from the front: header and 16 rows; then code 6.
    const std::vector<Call>& calls = owner_.calls;
    ASSERT_EQ(calls.size(), 16u + 3 * 17 + 1);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(calls[i].row, i + 1);
        EXPECT_EQ(calls[i].panel, 0);
        EXPECT_EQ(calls[i].depth, 0);
        EXPECT_EQ(calls[i].box.top, 20 + 10 * i);
        EXPECT_EQ(calls[i].box.right, 20);
    }
    const struct { size_t index; int32_t row, panel, depth; RECT box; } cells[] = {
        {16, 0, 1, 3, {100, 20, 300, 40}},  // the front header
        {17, 1, 1, 3, {100, 40, 300, 50}},
        {33, 0, 2, 2, {60, 10, 260, 30}},
        {50, 0, 3, 1, {20, 0, 220, 20}},    // the back header
        {66, 16, 3, 1, {20, 170, 220, 180}},
    };
    for (const auto& c : cells) {
        const Call& call = calls[c.index];
        EXPECT_EQ(call.code, kList3DDrawCell) << c.index;
        EXPECT_EQ(call.row, c.row) << c.index;
        EXPECT_EQ(call.panel, c.panel) << c.index;
        EXPECT_EQ(call.depth, c.depth) << c.index;
        EXPECT_TRUE(EqualRect(&call.box, &c.box)) << c.index;
        EXPECT_EQ(call.selectedRow, 1) << c.index;
    }
    EXPECT_EQ(calls.back().code, kList3DDrawn);
    EXPECT_EQ(calls.back().panel, 1);

    // Without a creation block there is no list; more than 16 panels show 16.
    EXPECT_EQ(CreateWindowExA(0, k3DListClassName, "", WS_CHILD, 0, 0, 9, 9, host_, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    PanelList many = threePanels();
    many.panelCount = 20;
    many.panelStep = 2;
    EXPECT_EQ(rec(list(many))->list.panelCount, 16);
    EXPECT_EQ(rec(list(threePanels(0)))->list.selectedRow, 0);
}

TEST_F(List3DTest, PanelsInFrontHideThoseBehindAndTheBackgroundShows) {
    owner_.paint = true;
    HWND w = list();
    UpdateWindow(w);
    const struct { int x, y; COLORREF colour; } points[] = {
        {150, 100, kCellColours[1]},  // the front panel
        {70, 100, kCellColours[2]},   // the middle panel, left of the front one
        {30, 100, kCellColours[3]},
        {250, 15, kCellColours[2]},   // the middle header above the front one
        {150, 5, kCellColours[3]},
        {10, 25, kCellColours[0]},    // the row column
        {10, 5, kGreen},              // nothing drawn: the parent as it was at creation
        {290, 5, kGreen},
    };
    HDC dc = GetDC(w);
    for (const auto& p : points) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.x << "," << p.y;
    // The back panel comes to the front over the others.
    mouse(w, WM_LBUTTONDOWN, 30, 5);
    mouse(w, WM_LBUTTONUP, 30, 5, 0);
    UpdateWindow(w);
    EXPECT_EQ(GetPixel(dc, 150, 100), kCellColours[3]);
    EXPECT_EQ(GetPixel(dc, 250, 100), kCellColours[1]);
    // The focus mark sits in the corner.
    SetFocus(w);
    UpdateWindow(w);
    EXPECT_EQ(GetPixel(dc, 1, 1), toolkit().palette[kColourFocus]);
    ReleaseDC(w, dc);

    // A creation block with a background bitmap: its block at (sourceX, sourceY).
    HDC screen = GetDC(nullptr);
    HBITMAP source = CreateCompatibleBitmap(screen, 400, 300);
    ReleaseDC(nullptr, screen);
    HDC sourceDc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(sourceDc, source);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 160));
    const RECT lower = {0, 100, 400, 300};
    FillRect(sourceDc, &lower, blue);
    DeleteObject(blue);
    SelectObject(sourceDc, old);
    DeleteDC(sourceDc);
    List3DRecord block = {};
    block.owner = host_;
    block.width = 300;
    block.height = 200;
    block.list = threePanels();
    block.callback = recordCall;
    block.user = &owner_;
    block.backgroundSource = source;
    block.sourceX = 50;
    block.sourceY = 100;
    HWND withSource = CreateWindowExA(0, k3DListClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 300,
                                      200, host_, nullptr, GetModuleHandleA(nullptr), &block);
    ASSERT_NE(withSource, nullptr);
    lists_.push_back(withSource);
    UpdateWindow(withSource);
    dc = GetDC(withSource);
    EXPECT_EQ(GetPixel(dc, 290, 5), RGB(0, 0, 160));
    ReleaseDC(withSource, dc);
    DeleteObject(source);  // the caller's: the list keeps its own copy
}

TEST_F(List3DTest, MouseSelectsRowsAndBringsPanelsToTheFront) {
    HWND w = list();
    const struct {
        int x, y;
        int32_t answer;
        int32_t selected, front;
        int clickSelected, redraws;  // codes 2 and 6 this click caused
    } clicks[] = {
        {150, 65, 0, 3, 1, 0, 1},
        {150, 65, 0, 3, 1, 1, 0},     // the selected row: code 2, no redraw
        {150, 65, 1, 3, 1, 1, 1},     // code 2 answered 1: redrawn
        {30, 100, 0, 8, 3, 0, 1},     // a row of the back panel, which comes to the front
        {250, 195, 0, 0, 3, 0, 1},    // below every panel: no selection
        {10, 50, 0, 0, 3, 0, 1},      // the row column selects nothing
        {150, 175, 0, 0, 3, 0, 1},    // a shown row past the list's 12 rows
    };
    for (const auto& c : clicks) {
        owner_.calls.clear();
        owner_.answer = c.answer;
        mouse(w, WM_LBUTTONDOWN, c.x, c.y);
        mouse(w, WM_LBUTTONUP, c.x, c.y, 0);
        EXPECT_EQ(rec(w)->list.selectedRow, c.selected) << c.x << "," << c.y;
        EXPECT_EQ(front(w), c.front) << c.x << "," << c.y;
        EXPECT_EQ(count(kList3DClickSelected), c.clickSelected) << c.x << "," << c.y;
        EXPECT_EQ(count(kList3DDrawn), c.redraws) << c.x << "," << c.y;
    }
    // From no selection, Down selects row 1.
    key(w, VK_DOWN);
    EXPECT_EQ(rec(w)->list.selectedRow, 1);
}

TEST_F(List3DTest, KeysScrollSelectAndOrderThePanels) {
    HWND w = list(threePanels(40));
    const struct { WPARAM vk; int32_t selected, first, front, frontOffset; } keys[] = {
        {VK_DOWN, 2, 1, 1, 80},
        {VK_NEXT, 17, 2, 1, 80},   // 15 rows: one less than shown
        {VK_END, 40, 25, 1, 80},
        {VK_PRIOR, 25, 25, 1, 80},
        {VK_HOME, 1, 1, 1, 80},
        {VK_UP, 1, 1, 1, 80},
        {VK_RIGHT, 1, 1, 1, 80},   // panel 1 is in front: nothing
        {VK_LEFT, 1, 1, 2, 40},    // panel 2 comes with its own offset
        {VK_LEFT, 1, 1, 3, 0},
        {VK_LEFT, 1, 1, 3, 0},     // the last panel: nothing
        {VK_RIGHT, 1, 1, 2, 40},
        {VK_BACK, 1, 1, 1, 80},    // default positions
    };
    for (const auto& k : keys) {
        key(w, k.vk);
        const List3DRecord* r = rec(w);
        EXPECT_EQ(r->list.selectedRow, k.selected) << k.vk;
        EXPECT_EQ(r->list.firstRow, k.first) << k.vk;
        EXPECT_EQ(front(w), k.front) << k.vk;
        EXPECT_EQ(r->list.stack[2].xOffset, k.frontOffset) << k.vk;
    }

    // Enter and Space click the selected row of the front panel; without a
    // selection they do nothing (no drag starts on the header above).
    owner_.calls.clear();
    key(w, VK_RETURN);
    key(w, VK_SPACE);
    EXPECT_EQ(count(kList3DClickSelected), 2);
    EXPECT_EQ(owner_.calls.back().row, 1);
    mouse(w, WM_LBUTTONDOWN, 10, 50);  // the row column: no selection
    owner_.calls.clear();
    key(w, VK_RETURN);
    EXPECT_EQ(count(kList3DClickSelected), 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // Tab and Escape go to the owner.
    pumpMessages();
    for (WPARAM vk : {VK_TAB, VK_ESCAPE}) {
        key(w, vk);
        MSG msg = {};
        ASSERT_TRUE(PeekMessageA(&msg, host_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << vk;
        EXPECT_EQ(msg.wParam, vk);
    }

    // Characters typed with Ctrl: copy, cut, paste, and code 0 for others.
    BYTE keyboard[256] = {};
    GetKeyboardState(keyboard);
    const struct { WPARAM character; bool ctrl; int32_t code; } chars[] = {
        {3, true, kList3DCopy}, {24, true, kList3DCut}, {22, true, kList3DPaste},
        {1, true, kList3DOtherChar}, {'c', false, -1}};
    for (const auto& c : chars) {
        keyboard[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(keyboard);
        owner_.calls.clear();
        SendMessageA(w, WM_CHAR, c.character, 1);
        if (c.code < 0) {
            EXPECT_TRUE(owner_.calls.empty()) << c.character;
        } else {
            ASSERT_EQ(owner_.calls.size(), 1u) << c.character;
            EXPECT_EQ(owner_.calls[0].code, c.code);
            EXPECT_EQ(owner_.calls[0].panel, 1);
        }
    }
    keyboard[VK_CONTROL] = 0;
    SetKeyboardState(keyboard);
}

TEST_F(List3DTest, TheWheelMovesTheViewByARowANotch) {
    HWND w = list(threePanels(40));
    const struct { int delta; WPARAM keys; int32_t first; } turns[] = {
        {-120, 0, 2}, {120, 0, 1}, {-120, MK_SHIFT, 2},
        {-120, MK_CONTROL, 2},  // Ctrl+wheel: nothing
    };
    for (const auto& t : turns) {
        owner_.calls.clear();
        const int32_t before = rec(w)->list.firstRow;
        SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(t.keys, t.delta), at(150, 100));
        EXPECT_EQ(rec(w)->list.firstRow, t.first) << t.delta << " " << t.keys;
        EXPECT_EQ(count(kList3DDrawn), t.first != before ? 1 : 0) << t.delta;  // redrawn when moved
        EXPECT_EQ(rec(w)->list.selectedRow, 1) << t.delta;
    }
    // Not while the front panel is dragged.
    mouse(w, WM_LBUTTONDOWN, 150, 25);
    SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), at(150, 25));
    mouse(w, WM_LBUTTONUP, 150, 25, 0);
    EXPECT_EQ(rec(w)->list.firstRow, 2);
}

TEST_F(List3DTest, Commands) {
    HWND w = list(threePanels(40));
    key(w, VK_LEFT);  // panel 2 in front
    const struct { WPARAM command; float row; int32_t selected, first, front; } commands[] = {
        {kListSelectRow, 30, 30, 25, 2},  // out of view: first shown, up to the end
        {kListSelectRow, 0, 30, 25, 2},   // not a row: ignored
        {kListSelectRow, 41, 30, 25, 2},
        {kListSelectRow, NAN, 30, 25, 2},
        {kListSelectRow, 27.9f, 27, 25, 2},
        {kListRowDown, 0, 28, 25, 2},
        {kListRowUp, 0, 27, 25, 2},
        {kListFirstRow, 0, 1, 1, 2},
        {kListLastRow, 0, 40, 25, 2},
        {kListDefaultPanels, 0, 40, 25, 1},
        {1, 0, 40, 25, 1},  // enable to set value: nothing
        {4, 12, 40, 25, 1},
    };
    for (const auto& c : commands) {
        owner_.calls.clear();
        EXPECT_EQ(SendMessageA(w, WM_COMMAND, c.command, float_bits(c.row)), 0) << c.command;
        EXPECT_EQ(rec(w)->list.selectedRow, c.selected) << c.command << " " << c.row;
        EXPECT_EQ(rec(w)->list.firstRow, c.first) << c.command << " " << c.row;
        EXPECT_EQ(front(w), c.front) << c.command;
        if (c.command <= 4) {
            EXPECT_TRUE(owner_.calls.empty());
        }
    }
    // Other commands go on to the owner with the selected row of the front panel.
    owner_.calls.clear();
    owner_.answer = 55;
    EXPECT_EQ(SendMessageA(w, WM_COMMAND, 77, 0), 55);
    ASSERT_EQ(owner_.calls.size(), 1u);
    EXPECT_EQ(owner_.calls[0].code, 77);
    EXPECT_EQ(owner_.calls[0].row, 40);
    EXPECT_EQ(owner_.calls[0].panel, 1);

    // Without notifications the list still moves but tells and draws nothing.
    owner_.calls.clear();
    toolkit().notificationsEnabled = 0;
    SendMessageA(w, WM_COMMAND, kListRowUp, 0);
    SendMessageA(w, WM_COMMAND, 77, 0);
    toolkit().notificationsEnabled = 1;
    EXPECT_TRUE(owner_.calls.empty());
    EXPECT_EQ(rec(w)->list.selectedRow, 39);
}

// Pixels of the window that differ from the list's own image along the
// outline's top edge.
int outlinePixels(HWND w, int top) {
    HDC dc = GetDC(w);
    int differing = 0;
    HDC image = static_cast<List3DRecord*>(get_control_data(w))->cell.dc;
    for (int x = 0; x < 300; ++x) differing += GetPixel(dc, x, top) != GetPixel(image, x, top);
    ReleaseDC(w, dc);
    return differing;
}

TEST_F(List3DTest, TheFrontHeaderDragsThePanelSidewaysOnly) {
    HWND w = list();
    UpdateWindow(w);
    mouse(w, WM_LBUTTONDOWN, 150, 25);  // grabbed 50 right of the outline's left edge
    EXPECT_EQ(GetCapture(), w);
    const struct { int x, y; int32_t left; } moves[] = {
        {100, 25, 50}, {0, 180, 20}, {400, 0, 100}, {110, 25, 60}};
    for (const auto& m : moves) {
        mouse(w, WM_MOUSEMOVE, m.x, m.y);
        EXPECT_EQ(rec(w)->drag.left, m.left) << m.x;
        EXPECT_EQ(rec(w)->drag.top, 20) << m.y;  // the top never moves
    }
    EXPECT_GT(outlinePixels(w, 20), 0);  // the outline shows
    mouse(w, WM_LBUTTONUP, 110, 25, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rec(w)->list.stack[2].xOffset, 40);
    UpdateWindow(w);
    EXPECT_EQ(outlinePixels(w, 20), 0);  // gone; the panel is drawn at its place

    // A capture taken away ends the drag where it began.
    mouse(w, WM_LBUTTONDOWN, 150, 25);
    mouse(w, WM_MOUSEMOVE, 250, 25);
    SetCapture(host_);
    ReleaseCapture();
    EXPECT_EQ(rec(w)->drag.active, 0);
    EXPECT_EQ(rec(w)->list.stack[2].xOffset, 40);
    UpdateWindow(w);
    EXPECT_EQ(outlinePixels(w, 20), 0);
}

std::string menuText(HMENU menu, UINT id) {
    char text[64] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(List3DTest, RightClickSelectsAndShowsTheMenu) {
    HWND w = list();
    HMENU menu = rec(w)->menu;
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(menuText(menu, 1000), "Default Panel Position\t[BACKSPACE]");
    EXPECT_EQ(menuText(menu, 1001), "First line\t[HOME]");
    EXPECT_EQ(menuText(menu, 1002), "Last line\t[End]");

    EXPECT_TRUE(with_menu_closed([&] { mouse(w, WM_RBUTTONDOWN, 30, 100, MK_RBUTTON); }));
    EXPECT_EQ(rec(w)->list.selectedRow, 8);
    EXPECT_EQ(front(w), 3);
    EXPECT_EQ(rec(w)->menu, menu);
    // Off the rows the selection stays.
    EXPECT_TRUE(with_menu_closed([&] { mouse(w, WM_RBUTTONDOWN, 250, 195, MK_RBUTTON); }));
    EXPECT_EQ(rec(w)->list.selectedRow, 8);
    // A choice from the menu does what its key does.
    const struct { int item; int32_t selected, front; } choices[] = {
        {3, 12, 3},  // "Last line"
        {2, 1, 3},   // "First line"
        {1, 1, 1},   // "Default Panel Position": panel 1 in front again
    };
    for (const auto& c : choices) {
        g_modal = ModalScript{};
        g_modal.menuItem = c.item;
        run_modal([&] { mouse(w, WM_RBUTTONDOWN, 250, 195, MK_RBUTTON); });
        EXPECT_TRUE(g_modal.sawMenu);
        EXPECT_EQ(rec(w)->list.selectedRow, c.selected) << c.item;
        EXPECT_EQ(front(w), c.front) << c.item;
    }
    // Destroyed while its menu is up.
    EXPECT_TRUE(with_menu_closed([&] { mouse(w, WM_RBUTTONDOWN, 150, 100, MK_RBUTTON); }, w));
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(List3DTest, TheOwnerMayDestroyTheListFromAnyCallback) {
    BYTE keyboard[256] = {};
    GetKeyboardState(keyboard);
    const struct { const char* what; int32_t code; void (*act)(HWND); } cases[] = {
        {"drawing a cell", kList3DDrawCell, [](HWND w) { key(w, VK_DOWN); }},
        {"after drawing", kList3DDrawn, [](HWND w) { key(w, VK_DOWN); }},
        {"selected row clicked", kList3DClickSelected, [](HWND w) { key(w, VK_RETURN); }},
        {"copy", kList3DCopy, [](HWND w) { SendMessageA(w, WM_CHAR, 3, 1); }},
        {"forwarded command", 77, [](HWND w) { SendMessageA(w, WM_COMMAND, 77, 0); }},
        {"drag ends", kList3DDrawn,
         [](HWND w) {
             mouse(w, WM_LBUTTONDOWN, 150, 25);
             mouse(w, WM_MOUSEMOVE, 120, 25);
             rec(w)->callback = recordCall;  // armed only now
             mouse(w, WM_LBUTTONUP, 120, 25, 0);
         }},
    };
    const int32_t gdi = live_gdi_objects();
    for (const auto& c : cases) {
        HWND w = list();
        owner_.destroyAtCode = c.code;
        keyboard[VK_CONTROL] = 0x80;
        SetKeyboardState(keyboard);
        c.act(w);
        EXPECT_FALSE(IsWindow(w)) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
    }
    keyboard[VK_CONTROL] = 0;
    SetKeyboardState(keyboard);
    // A list the owner commands while it draws draws once more, whole.
    HWND commanded = list(threePanels(40));
    static HWND s_commanded;
    s_commanded = commanded;
    rec(commanded)->callback = [](void* user, int32_t code, List3DCell* c) -> int32_t {
        if (code == kList3DDrawCell && c->selectedRow == 1)
            SendMessageA(s_commanded, WM_COMMAND, kListRowDown, 0);
        return recordCall(user, code, c);
    };
    owner_.calls.clear();
    SendMessageA(commanded, WM_COMMAND, kListDefaultPanels, 0);
    EXPECT_EQ(rec(commanded)->list.selectedRow, 2);
    EXPECT_EQ(count(kList3DDrawn), 1);
    EXPECT_EQ(owner_.calls[owner_.calls.size() - 2].selectedRow, 2);
    DestroyWindow(commanded);

    // And while it first draws.
    owner_.destroyAtCode = kList3DDrawCell;
    HWND w = list();
    EXPECT_FALSE(w != nullptr && IsWindow(w));
    pumpMessages();
    if (gdi >= 0) {
        EXPECT_EQ(live_gdi_objects(), gdi);
    }
}

TEST_F(List3DTest, NoLeaksOver200Lists) {
    expect_no_leaks(200, [&](int i) {
        const PanelList layout = threePanels(i % 40);
        HWND w = create_list3d(host_, kId, 0, 0, 300, 200, &layout, recordCall, &owner_);
        mouse(w, WM_LBUTTONDOWN, 150, 25);
        mouse(w, WM_MOUSEMOVE, 120 + i % 30, 25);
        if (i % 2) mouse(w, WM_LBUTTONUP, 120, 25, 0);  // the others are destroyed mid-drag
        key(w, VK_END);
        UpdateWindow(w);
        EXPECT_TRUE(DestroyWindow(w));
    });
}

TEST_F(List3DTest, ScreenshotOfSampleContent) {
    paintHost(toolkit().palette[13]);
    HWND w = create_sample_list3d(host_, kId, 10, 10);
    ASSERT_NE(w, nullptr);
    lists_.push_back(w);
    SetFocus(w);
    SendMessageA(w, WM_COMMAND, kListSelectRow, float_bits(5.0f));
    UpdateWindow(w);
    const RgbImage first = capture_client(w);
    // Page 3 to the front, dragged 30 pixels to the left; the selection scrolled down.
    mouse(w, WM_LBUTTONDOWN, 100, 20);
    mouse(w, WM_MOUSEMOVE, 70, 20);
    mouse(w, WM_LBUTTONUP, 70, 20, 0);
    key(w, VK_NEXT);
    key(w, VK_NEXT);
    UpdateWindow(w);
    EXPECT_TRUE(save_screenshot("list3d_sample", side_by_side({first, capture_client(w)}, 6)));
}

}  // namespace
