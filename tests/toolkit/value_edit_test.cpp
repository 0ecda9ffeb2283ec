// The value edit dialog under Wine, driven from inside its own modal loop:
// a timer posts the keys a keyboard would, or moves the focus elsewhere.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "GdiObjectCounter.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/DialogTemplate.h"
#include "toolkit/ValueEditDialog.h"

namespace {

using Action = std::function<void(HWND dialog, HWND field)>;

// What runs once the dialog is open, and a deadline after which a dialog
// that did not close is closed by force (and the test fails).
Action g_action;
DWORD g_openedAt = 0;
bool g_forced = false;

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = toolkit().valueEditDialog;
    if (dialog == nullptr) return;
    if (g_action) {
        Action action = std::move(g_action);
        g_action = nullptr;
        g_openedAt = GetTickCount();
        action(dialog, GetDlgItem(dialog, 10));
    } else if (GetTickCount() - g_openedAt > 3000) {
        g_forced = true;
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

// Keys as the keyboard delivers them to the focused field.
void postKey(HWND field, WPARAM key) {
    PostMessageA(field, WM_KEYDOWN, key, 1);
    PostMessageA(field, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}
void postText(HWND field, const char* text) {
    for (const char* c = text; *c; ++c) PostMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

class ValueEditTest : public ToolkitWindowTest {
protected:
    void TearDown() override {
        EXPECT_EQ(toolkit().valueEditDialog, nullptr);
        ToolkitWindowTest::TearDown();
    }
    // Runs the dialog with action; the text it returned.
    std::string run(const char* initial, Action action, uint32_t style = kValueEditStyle) {
        g_action = std::move(action);
        g_forced = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, onTimer);
        char* text = edit_value_text(host_, style, 100, 100, kValueEditWidth, kValueEditHeight, initial);
        KillTimer(nullptr, timer);
        EXPECT_FALSE(g_forced) << "the dialog did not close by itself";
        EXPECT_NE(text, nullptr);
        const std::string result = text != nullptr ? text : "<null>";
        std::free(text);
        return result;
    }
    // A second top-level window that can take the focus while the dialog
    // disables the host; made once (showing one under Wine is slow).
    static HWND otherWindow() {
        static HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 320, 0,
                                            80, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return other;
    }
};

void clickOn(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    SetCursorPos(frame.left + 10, frame.top + 10);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// Delivers what was posted to the field before the test goes on.
void deliverTo(HWND field) {
    MSG msg;
    while (PeekMessageA(&msg, field, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The room the field gives its text, and the width of a text in its font.
int formattingWidth(HWND field) {
    RECT room = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    return room.right - room.left;
}
int textWidth(HWND field, const std::string& text) {
    HDC dc = GetDC(field);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    return size.cx;
}

std::string fieldText(HWND field) {
    char text[2048] = {};
    GetWindowTextA(field, text, sizeof text);
    return text;
}

// Each row: the initial text, what happens once the dialog is open (after
// a "9" has been typed over the selected text), and the text returned.
TEST_F(ValueEditTest, EachWayOutGivesItsText) {
    const std::string longText(2000, '7');
    const struct {
        const char* name;
        const char* initial;
        Action act;
        std::string expected;
    } cases[] = {
        {"Enter", "1.0", [](HWND, HWND field) { postKey(field, VK_RETURN); }, "9"},
        {"Enter, more typed", "1.0", [](HWND, HWND f) { postText(f, "42"); postKey(f, VK_RETURN); }, "942"},
        {"Enter on an emptied field", "1.0",
         [](HWND, HWND f) { postText(f, "\b"); postKey(f, VK_RETURN); }, ""},
        // The Enter that chose a menu entry is released after the dialog opened.
        {"key releases end nothing", "1.0",
         [](HWND, HWND field) {
             PostMessageA(field, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
             PostMessageA(field, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
             postKey(field, VK_RETURN);
         },
         "9"},
        {"long text cut", "1",
         [&](HWND, HWND field) {
             SetWindowTextA(field, longText.c_str());
             postKey(field, VK_RETURN);
         },
         std::string(1023, '7')},
        {"Escape", "1.0", [](HWND, HWND field) { postKey(field, VK_ESCAPE); }, ""},
        {"WM_CLOSE", "1.0", [](HWND dialog, HWND) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, ""},
        {"system command", "1.0", [](HWND d, HWND) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, ""},
        {"system key", "1.0", [](HWND d, HWND) { PostMessageA(d, WM_SYSKEYDOWN, VK_F10, 1); }, ""},
        {"focus elsewhere", "1.0", [](HWND, HWND) { SetFocus(otherWindow()); }, ""},
        {"click elsewhere", "1.0", [](HWND, HWND) { clickOn(otherWindow()); }, ""},
        {"toolkit ends", "1.0",
         [](HWND, HWND) {
             terminate_toolkit();
             init_toolkit(GetModuleHandleA(nullptr), kApp);
         },
         ""},
    };
    ASSERT_NE(otherWindow(), nullptr);
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.initial,
                      [&](HWND dialog, HWND field) {
                          EXPECT_EQ(fieldText(field), c.initial) << c.name;
                          postText(field, "9");
                          deliverTo(field);
                          c.act(dialog, field);
                      }),
                  c.expected)
            << c.name;
        EXPECT_EQ(toolkit().valueEditDialog, nullptr) << c.name;
    }
    // The initial text is cut as well.
    EXPECT_EQ(run(longText.c_str(), [](HWND, HWND field) { postKey(field, VK_RETURN); }),
              std::string(1023, '7'));
    // A value wider than the field (the largest float) is edited at its start.
    const std::string huge = "-340282346638528859811704183484516925440.000";
    EXPECT_EQ(run(huge.c_str(),
                  [](HWND, HWND field) {
                      postKey(field, VK_HOME);
                      postText(field, "1");
                      postKey(field, VK_RETURN);
                  }),
              "1" + huge);
    // So does one just wider than the room the field gives its text (a few
    // pixels less than the field's inside): 1860227.5000 takes 92 of 90.
    const std::string edge = "1860227.5000";
    EXPECT_EQ(run(edge.c_str(),
                  [&](HWND, HWND field) {
                      EXPECT_GT(textWidth(field, edge), formattingWidth(field));
                      postKey(field, VK_HOME);
                      postText(field, "1");
                      postKey(field, VK_RETURN);
                  }),
              "1" + edge);
}

TEST_F(ValueEditTest, SecondDialogClosesTheFirstAsCancelled) {
    std::string second;
    HWND firstDialog = nullptr;
    const std::string first = run("1", [&](HWND dialog, HWND field) {
        firstDialog = dialog;
        postText(field, "5");
        second = run("2", [&](HWND secondDialog, HWND secondField) {
            EXPECT_NE(secondDialog, firstDialog);
            EXPECT_FALSE(IsWindowVisible(firstDialog));
            postText(secondField, "8");
            postKey(secondField, VK_RETURN);
        });
    });
    EXPECT_EQ(first, "");
    EXPECT_EQ(second, "8");
    EXPECT_FALSE(IsWindow(firstDialog));
}

TEST_F(ValueEditTest, DialogAndFieldTakeTheirPlaceColoursAndFont) {
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const struct {
        uint32_t style;
        COLORREF text, background;
        int font;
    } cases[] = {
        {kValueEditStyle, RGB(0, 0, 0), RGB(0xE6, 0xE6, 0xE6), 7},
        {0x3F4, toolkit().palette[4], RGB(255, 255, 255), 3},
    };
    for (const auto& c : cases) {
        const Action inspect = [&](HWND dialog, HWND field) {
            RECT box;
            GetWindowRect(dialog, &box);
            EXPECT_EQ(box.left, 100);
            EXPECT_EQ(box.top, 100);
            EXPECT_EQ(box.right - box.left, kValueEditWidth + 2 * frame);
            EXPECT_EQ(box.bottom - box.top, kValueEditHeight + 2 * frame);
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) &
                          (WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE),
                      static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE));
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), host_);

            GetWindowRect(field, &box);
            EXPECT_EQ(box.left, 100 + frame);
            EXPECT_EQ(box.right - box.left, kValueEditWidth);
            EXPECT_EQ(box.bottom - box.top, kValueEditHeight);
            EXPECT_EQ(GetDlgCtrlID(field), 10);
            EXPECT_EQ(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
            EXPECT_EQ(GetWindowLongA(field, GWL_STYLE) & (ES_AUTOHSCROLL | WS_TABSTOP), WS_TABSTOP);
            EXPECT_EQ(GetFocus(), field);
            EXPECT_EQ(SendMessageA(field, EM_GETSEL, 0, 0), MAKELRESULT(0, 5));  // all selected
            EXPECT_EQ(SendMessageA(field, EM_GETMARGINS, 0, 0), MAKELRESULT(2, 2));
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)),
                      toolkit().fonts[c.font]);

            // Unselected, the text shows in the style's colours.
            SendMessageA(field, EM_SETSEL, 5, 5);
            HideCaret(field);
            UpdateWindow(field);
            HDC dc = GetDC(field);
            EXPECT_EQ(GetPixel(dc, 85, 8), c.background);
            int textPixels = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 50; ++x) textPixels += GetPixel(dc, x, y) == c.text;
            EXPECT_GT(textPixels, 10);
            ReleaseDC(field, dc);
            if (c.style == kValueEditStyle) save_screenshot("value_edit_dialog", capture_window(dialog));
            postKey(field, VK_ESCAPE);
        };
        run("-6.02", inspect, c.style);
    }
}

TEST_F(ValueEditTest, TemplateIsAnEmptyPopup) {
    HGLOBAL templ = build_dialog_template(kPopupEditorStyle);
    ASSERT_NE(templ, nullptr);
    EXPECT_EQ(GlobalSize(templ), 1024u);
    const unsigned char* bytes = static_cast<const unsigned char*>(GlobalLock(templ));
    EXPECT_EQ(bytes[0], 0x80);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[2], 0x80);
    EXPECT_EQ(bytes[3], 0x92);
    int nonZero = 0;
    for (int i = 4; i < 1024; ++i) nonZero += bytes[i] != 0;
    EXPECT_EQ(nonZero, 0);
    GlobalUnlock(templ);
    GlobalFree(templ);
}

struct ValueCase {
    const char* name;
    float current;
    int32_t digits;
    int32_t decibels;
    const char* shown;
    const char* typed;  // null: Escape
    int32_t result;
    float answer;
};

TEST_F(ValueEditTest, ControlValueRoundTrip) {
    const float untouched = -99.0f;
    const ValueCase cases[] = {
        {"unchanged", 0.1234567f, 3, 0, "0.123", "", 1, 0.1234567f},
        {"unchanged decibels", 0.5f, 2, 1, "-6.02", "", 1, 0.5f},
        {"typed decibels", 0.5f, 2, 1, "-6.02", "-6", 1, static_cast<float>(std::pow(10.0, -0.3))},
        {"typed 0 dB", 0.25f, 1, 1, "-12.0", "0", 1, 1.0f},
        {"typed with comma", 2.0f, 0, 0, "2", "0,25", 1, 0.25f},
        {"typed the same digits", 0.1234567f, 3, 0, "0.123", "0.123", 1, 0.1234567f},
        {"emptied", 0.5f, 2, 0, "0.50", "\b", 0, untouched},
        {"escaped", 0.5f, 2, 0, "0.50", nullptr, 0, untouched},
    };
    for (const ValueCase& c : cases) {
        float answer = untouched;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, onTimer);
        g_action = [&](HWND, HWND field) {
            EXPECT_EQ(fieldText(field), c.shown) << c.name;
            if (c.typed == nullptr) {
                postKey(field, VK_ESCAPE);
                return;
            }
            postText(field, c.typed);
            postKey(field, VK_RETURN);
        };
        EXPECT_EQ(edit_control_value(host_, 100, 100, c.current, c.digits, c.decibels, &answer), c.result)
            << c.name;
        KillTimer(nullptr, timer);
        EXPECT_EQ(answer, c.answer) << c.name;
    }
}

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(ValueEditTest, NoLeaksOverManyDialogs) {
    auto threadWindows = [] {
        int n = 0;
        EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&n));
        return n;
    };
    run("0", [](HWND, HWND field) { postKey(field, VK_ESCAPE); });  // first use of shared objects
    pumpMessages();
    const int windows = threadWindows();
    const int32_t gdi = live_gdi_objects();
    for (int i = 0; i < 200; ++i) {
        const std::string result = run("1.25", [i](HWND, HWND field) {
            postText(field, "4");
            postKey(field, i % 2 ? VK_RETURN : VK_ESCAPE);
        });
        ASSERT_EQ(result, i % 2 ? "4" : "") << i;
    }
    pumpMessages();
    EXPECT_EQ(live_gdi_objects(), gdi);
    EXPECT_EQ(threadWindows(), windows);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
}

}  // namespace
