// The free control under Wine: every message reaches the creator's
// procedure with its user pointer and the procedure's answer comes back;
// WM_CREATE first and WM_DESTROY last, also when creation fails or the
// procedure destroys its own window; the focus on a click; no leaks; a
// screenshot of the sample meter.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "LeakCheck.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "free/SampleContent.h"
#include "toolkit/ControlData.h"
#include "toolkit/free/FreeControl.h"

namespace {

constexpr uint16_t kId = 23;

struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Creator {
    std::vector<Seen> seen;
    LRESULT createAnswer = 0;
    UINT destroyOn = 0;  // the procedure destroys its window on this message
    int createdWidth = 0;  // from WM_CREATE's creation record
};

LRESULT __cdecl procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* user) {
    Creator* c = static_cast<Creator*>(user);
    c->seen.push_back({window, message, wParam, lParam});
    if (message == WM_CREATE) {
        c->createdWidth = reinterpret_cast<const CREATESTRUCTA*>(lParam)->cx;
        return c->createAnswer;
    }
    if (message == c->destroyOn) {
        DestroyWindow(window);
        return 5;
    }
    if (message >= WM_USER) return static_cast<LRESULT>(wParam) * 2 + 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

class FreeControlTest : public ToolkitWindowTest {
protected:
    HWND control(Creator* creator) {
        return create_free_control(host_, kId, 0, 0, 60, 30, WS_TABSTOP, procedure, creator);
    }
    static bool saw(const Creator& c, UINT message) {
        for (const Seen& s : c.seen)
            if (s.message == message) return true;
        return false;
    }
};

TEST_F(FreeControlTest, EveryMessageReachesTheProcedureWithItsUserPointer) {
    Creator creator;
    HWND w = control(&creator);
    ASSERT_NE(w, nullptr);
    char name[64];
    GetClassNameA(w, name, sizeof name);
    EXPECT_STREQ(name, "C_RA2ZAZ_Free_00\xA9KSomar");
    ASSERT_FALSE(creator.seen.empty());
    EXPECT_EQ(creator.seen.front().message, static_cast<UINT>(WM_CREATE));  // nothing before it
    EXPECT_EQ(creator.createdWidth, 60);
    EXPECT_FALSE(saw(creator, WM_NCCREATE));

    const struct { UINT message; WPARAM wParam; LPARAM lParam; LRESULT answer; } messages[] = {
        {WM_USER + 1, 20, 7, 41},
        {WM_USER + 300, 0, -1, 1},
        {WM_COMMAND, 1000, 0, 0},
        {WM_KEYDOWN, VK_DOWN, 1, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), 0},
    };
    for (const auto& m : messages) {
        creator.seen.clear();
        EXPECT_EQ(SendMessageA(w, m.message, m.wParam, m.lParam), m.answer) << m.message;
        ASSERT_EQ(creator.seen.size(), 1u) << m.message;
        EXPECT_EQ(creator.seen[0].window, w);
        EXPECT_EQ(creator.seen[0].wParam, m.wParam);
        EXPECT_EQ(creator.seen[0].lParam, m.lParam);
    }

    // A click takes the focus; the procedure does not see the activation.
    SetFocus(host_);
    creator.seen.clear();
    SendMessageA(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host_), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(GetFocus(), w);
    EXPECT_FALSE(saw(creator, WM_MOUSEACTIVATE));
    EXPECT_TRUE(saw(creator, WM_SETFOCUS));

    // WM_CLOSE never reaches the procedure: the window goes, WM_DESTROY last.
    creator.seen.clear();
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(saw(creator, WM_CLOSE));
    ASSERT_FALSE(creator.seen.empty());
    EXPECT_EQ(creator.seen.back().message, static_cast<UINT>(WM_DESTROY));
    EXPECT_FALSE(saw(creator, WM_NCDESTROY));
}

TEST_F(FreeControlTest, OrderlyEndsWhenCreationFailsOrTheProcedureDestroys) {
    // Creation refused by the procedure: WM_DESTROY still reaches it, once.
    Creator refusing;
    refusing.createAnswer = -1;
    EXPECT_EQ(control(&refusing), nullptr);
    ASSERT_EQ(refusing.seen.size(), 2u);
    EXPECT_EQ(refusing.seen[0].message, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(refusing.seen[1].message, static_cast<UINT>(WM_DESTROY));

    // The procedure destroys its own window while handling a message.
    Creator selfDestroying;
    selfDestroying.destroyOn = WM_USER + 5;
    HWND w = control(&selfDestroying);
    EXPECT_EQ(SendMessageA(w, WM_USER + 5, 0, 0), 5);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(selfDestroying.seen.back().message, static_cast<UINT>(WM_DESTROY));

    // Without a creation block there is no control; without a procedure,
    // default processing.
    EXPECT_EQ(CreateWindowExA(0, kFreeClassName, "", WS_CHILD, 0, 0, 9, 9, host_, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    HWND bare = create_free_control(host_, kId, 0, 0, 10, 10, 0, nullptr, nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(SendMessageA(bare, WM_USER + 1, 20, 0), 0);
    DestroyWindow(bare);
}

TEST_F(FreeControlTest, NoLeaksOver200Controls) {
    SampleMeter meter = {3};
    expect_no_leaks(200, [&](int i) {
        HWND w = create_sample_meter(host_, kId, 0, 0, &meter);
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(i % 120, 10));
        UpdateWindow(w);
        SendMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(w));
    });
}

TEST_F(FreeControlTest, ScreenshotOfTheSampleMeter) {
    SampleMeter meter = {6};
    HWND w = create_sample_meter(host_, kId, 4, 4, &meter);
    ASSERT_NE(w, nullptr);
    const RgbImage six = capture_client(w);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4 + 9 * 12 + 3, 10));  // the ninth light
    SendMessageA(w, WM_KEYDOWN, VK_UP, 1);
    UpdateWindow(w);
    EXPECT_EQ(meter.level, 10);
    EXPECT_TRUE(save_screenshot("free_sample_meter", side_by_side({six, capture_client(w)}, 6)));
    DestroyWindow(w);
}

}  // namespace
