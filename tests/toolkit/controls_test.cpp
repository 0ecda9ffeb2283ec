// Shared control helpers under Wine: data storage, measurements,
// notifications, control commands and the common value-control behaviour.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "ToolkitTestWindows.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/ValueControl.h"
#include "toolkit/ValueEditDialog.h"

namespace {

using ControlHelpers = ToolkitWindowTest;

INT_PTR CALLBACK emptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(ControlHelpers, WindowAndDialogDataSlots) {
    int record = 0;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = kControlDataBytes;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QcDataSlotTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 5, 5, host_, nullptr,
                                  wc.hInstance, nullptr);
    EXPECT_EQ(get_control_data(window), nullptr);
    set_control_data(window, &record);
    EXPECT_EQ(get_control_data(window), &record);
    EXPECT_EQ(GetWindowLongPtrA(window, 0), reinterpret_cast<LONG_PTR>(&record));
    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);

    // An empty in-memory dialog.
    alignas(4) WORD templ[32] = {};
    DLGTEMPLATE* dialogTemplate = reinterpret_cast<DLGTEMPLATE*>(templ);
    dialogTemplate->style = WS_POPUP;
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, host_,
                                             emptyDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    set_dialog_data(dialog, &record);
    EXPECT_EQ(get_dialog_data(dialog), &record);
    EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), reinterpret_cast<LONG_PTR>(&record));
    DestroyWindow(dialog);
}

TEST_F(ControlHelpers, Measurements) {
    HBITMAP bitmap = CreateBitmap(37, 21, 1, 32, nullptr);
    int32_t w = -1, h = -1;
    bitmap_size(bitmap, &w, &h);
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 21);
    DeleteObject(bitmap);
    bitmap_size(nullptr, &w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);

    int32_t frame = -1, caption = -1, menu = -1;
    dialog_metrics(&frame, &caption, &menu);
    EXPECT_EQ(frame, GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_GT(caption, 0);
    EXPECT_GT(menu, 0);

    HWND window = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 20, 10, host_, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(point_in_client(window, 0, 0), 1);
    EXPECT_EQ(point_in_client(window, 19, 9), 1);
    EXPECT_EQ(point_in_client(window, 20, 5), 0);
    EXPECT_EQ(point_in_client(window, 5, 10), 0);
    EXPECT_EQ(point_in_client(window, -1, 0), 0);
    DestroyWindow(window);
    EXPECT_EQ(point_in_client(window, 0, 0), 0);
}

struct CallbackLog {
    int calls = 0;
    int32_t code = 0;
    uint32_t value = 0;
};

int32_t __cdecl logCallback(void* user, int32_t code, uint32_t value) {
    CallbackLog* log = static_cast<CallbackLog*>(user);
    ++log->calls;
    log->code = code;
    log->value = value;
    return 77;
}

bool takeCommand(HWND owner, MSG* msg) {
    return PeekMessageA(msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) != 0;
}

TEST_F(ControlHelpers, NotifyOwnerByCallbackOrPost) {
    pumpMessages();
    CallbackLog log;
    NotifyTarget byCallback = {host_, logCallback, kNotifyByCallback | 0x1234, &log};
    EXPECT_EQ(notify_owner(&byCallback, 0x50007, float_bits(0.25f)), 77);
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.code, 0x50007);
    EXPECT_EQ(log.value, float_bits(0.25f));
    MSG msg;
    EXPECT_FALSE(takeCommand(host_, &msg));

    NotifyTarget byPost = {host_, logCallback, 0, &log};
    EXPECT_EQ(notify_owner(&byPost, 0x50007, float_bits(-3.0f)), 0);
    EXPECT_EQ(log.calls, 1);
    ASSERT_TRUE(takeCommand(host_, &msg));
    EXPECT_EQ(msg.wParam, 7u);  // the id only
    EXPECT_EQ(static_cast<uint32_t>(msg.lParam), float_bits(-3.0f));

    // A callback flag without a callback reports nothing; neither does a
    // post without an owner (it would land in this thread's own queue).
    NotifyTarget broken = {host_, nullptr, kNotifyByCallback, nullptr};
    EXPECT_EQ(notify_owner(&broken, 1, 0), 0);
    EXPECT_FALSE(takeCommand(host_, &msg));
    NotifyTarget ownerless = {nullptr, nullptr, 0, nullptr};
    EXPECT_EQ(notify_owner(&ownerless, 1, 0), 0);
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

TEST_F(ControlHelpers, NotifyOwnerIsSilentWhileNotificationsAreOff) {
    pumpMessages();
    CallbackLog log;
    NotifyTarget byCallback = {host_, logCallback, kNotifyByCallback, &log};
    NotifyTarget byPost = {host_, nullptr, 0, nullptr};
    toolkit().notificationsEnabled = 0;
    EXPECT_EQ(notify_owner(&byCallback, 1, float_bits(1.0f)), 0);
    EXPECT_EQ(notify_owner(&byPost, 1, float_bits(1.0f)), 0);
    toolkit().notificationsEnabled = 1;
    EXPECT_EQ(log.calls, 0);
    MSG msg;
    EXPECT_FALSE(takeCommand(host_, &msg));
}

// A minimal value control built on the shared behaviour.
struct TestRecord {
    HWND owner;
    int32_t enabled;
    int32_t focused;
    float value;
    int32_t failCreation;
    int32_t followFocus;
};

int g_created = 0, g_destroyed = 0, g_painted = 0;

const ValueControlClass kTestControl = {
    sizeof(TestRecord),
    [](HWND, void* r) -> int32_t {
        ++g_created;
        return static_cast<TestRecord*>(r)->failCreation;
    },
    [](HWND, void*) { ++g_destroyed; },
    [](HWND, HDC, void*) { ++g_painted; },
    [](void* r) -> int32_t* {
        TestRecord* record = static_cast<TestRecord*>(r);
        return record->followFocus ? &record->focused : nullptr;
    },
    [](void* r) -> int32_t* { return &static_cast<TestRecord*>(r)->enabled; },
    [](void* r) -> const float* { return &static_cast<TestRecord*>(r)->value; },
    [](HWND, void* r, float v) {
        if (v >= 0.0f && v <= 1.0f) static_cast<TestRecord*>(r)->value = v;
    },
    [](void* r) { return static_cast<TestRecord*>(r)->owner; },
    kCommandsExactWParam,
};

// The same control taking its commands from the low word of wParam.
const ValueControlClass kLowWordTestControl = [] {
    ValueControlClass cls = kTestControl;
    cls.commandRule = kCommandsLowWord;
    return cls;
}();

// The control's own message that runs the value edit dialog, holding the
// record across it as a control's menu or key handler does. What the hold
// ended with: 1 window alive, 0 destroyed meanwhile, -1 not run.
constexpr UINT kEditValueMessage = WM_APP + 1;
int32_t g_holdEnded = -1;

LRESULT editValue(HWND window) {
    void* held = hold_control_record(window);
    char* text = edit_value_text(window, kValueEditStyle, 0, 0, kValueEditWidth, kValueEditHeight, "0.5");
    std::free(text);
    g_holdEnded = release_control_record(held);
    if (g_holdEnded == 0) return 0;  // the record went with the window
    static_cast<TestRecord*>(held)->value = 1.0f;
    return 1;
}

LRESULT controlProc(const ValueControlClass* cls, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    if (message == kEditValueMessage) return editValue(window);
    LRESULT result = 0;
    if (value_control_message(cls, window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK testControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return controlProc(&kTestControl, window, message, wParam, lParam);
}

LRESULT CALLBACK lowWordControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return controlProc(&kLowWordTestControl, window, message, wParam, lParam);
}

class ValueControlTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = testControlProc;
        wc.cbWndExtra = kControlDataBytes;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QcValueControlTest";
        ASSERT_NE(RegisterClassA(&wc), 0);
        wc.lpfnWndProc = lowWordControlProc;
        wc.lpszClassName = "QcLowWordControlTest";
        ASSERT_NE(RegisterClassA(&wc), 0);
        g_created = g_destroyed = g_painted = 0;
    }
    void TearDown() override {
        ToolkitWindowTest::TearDown();
        UnregisterClassA("QcValueControlTest", GetModuleHandleA(nullptr));
        UnregisterClassA("QcLowWordControlTest", GetModuleHandleA(nullptr));
    }
    HWND create(const TestRecord* templ, const char* className = "QcValueControlTest") {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20,
                               host_, reinterpret_cast<HMENU>(5), GetModuleHandleA(nullptr),
                               const_cast<TestRecord*>(templ));
    }
    static TestRecord* record(HWND window) { return static_cast<TestRecord*>(get_control_data(window)); }
    TestRecord templ_ = {nullptr, 1, 0, 0.5f, 0, 1};
};

TEST_F(ValueControlTest, RecordLivesFromCreateToDestroy) {
    templ_.owner = host_;
    HWND window = create(&templ_);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_created, 1);
    ASSERT_NE(record(window), nullptr);
    EXPECT_NE(record(window), &templ_);  // a copy of its own
    EXPECT_EQ(record(window)->value, 0.5f);
    templ_.value = 0.9f;
    EXPECT_EQ(record(window)->value, 0.5f);

    // WM_CLOSE destroys the window, which frees the record.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_destroyed, 1);

    // Creation fails without a template or when the control refuses.
    EXPECT_EQ(create(nullptr), nullptr);
    templ_.failCreation = 1;
    EXPECT_EQ(create(&templ_), nullptr);
    EXPECT_EQ(g_created, 2);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(ValueControlTest, HeldRecordOutlivesItsWindow) {
    HWND window = create(&templ_);
    ASSERT_NE(window, nullptr);
    // Held and released while the window lives: still the window's.
    void* record = hold_control_record(window);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(release_control_record(record), 1);
    EXPECT_EQ(get_control_data(window), record);

    // Destroyed during a (nested) hold: the record stays readable until the
    // last release, which reports the window gone.
    record = hold_control_record(window);
    EXPECT_EQ(hold_control_record(window), record);
    DestroyWindow(window);
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(static_cast<TestRecord*>(record)->value, 0.5f);
    EXPECT_EQ(release_control_record(record), 0);
    EXPECT_EQ(release_control_record(record), 0);  // the last one frees it
    EXPECT_EQ(hold_control_record(window), nullptr);
    EXPECT_EQ(release_control_record(nullptr), 0);
}

TEST_F(ValueControlTest, ControlCommands) {
    HWND window = create(&templ_);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(send_control_command(window, kCommandGetValue, 0), 0.5f);
    EXPECT_EQ(send_control_command(window, kCommandSetValue, float_bits(0.75f)), 0.0f);
    EXPECT_EQ(send_control_command(window, kCommandGetValue, 0), 0.75f);
    send_control_command(window, kCommandSetValue, float_bits(3.0f));  // rejected by the control
    EXPECT_EQ(send_control_command(window, kCommandGetValue, 0), 0.75f);

    post_control_command(window, kCommandSetValue, float_bits(0.25f));
    EXPECT_EQ(record(window)->value, 0.75f);
    pumpMessages();
    EXPECT_EQ(record(window)->value, 0.25f);

    // Enable and disable repaint only on a change.
    UpdateWindow(window);
    const int painted = g_painted;
    send_control_command(window, kCommandDisable, 0);
    EXPECT_EQ(record(window)->enabled, 0);
    UpdateWindow(window);
    EXPECT_EQ(g_painted, painted + 1);
    send_control_command(window, kCommandDisable, 0);
    UpdateWindow(window);
    EXPECT_EQ(g_painted, painted + 1);
    send_control_command(window, kCommandEnable, 0);
    EXPECT_EQ(record(window)->enabled, 1);
    UpdateWindow(window);
    EXPECT_EQ(g_painted, painted + 2);

    // Other commands are the control's own business.
    EXPECT_EQ(send_control_command(window, 100, 0), 0.0f);
    DestroyWindow(window);
}

TEST_F(ValueControlTest, FocusAndKeys) {
    templ_.owner = host_;
    HWND window = create(&templ_);
    HWND other = create(&templ_);
    ASSERT_NE(window, nullptr);

    SendMessageA(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host_), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(record(window)->focused, 1);
    SetFocus(other);
    EXPECT_EQ(record(window)->focused, 0);
    EXPECT_EQ(record(other)->focused, 1);

    // Gaining and losing the focus repaint the control; a control without a
    // focus flag (no focus mark to show) is left alone.
    templ_.followFocus = 0;
    HWND fixed = create(&templ_);
    for (HWND w : {window, other, fixed}) UpdateWindow(w);
    int painted = g_painted;
    SetFocus(window);
    for (HWND w : {window, other, fixed}) UpdateWindow(w);
    EXPECT_EQ(g_painted, painted + 2);
    painted = g_painted;
    SetFocus(fixed);
    EXPECT_EQ(GetFocus(), fixed);
    for (HWND w : {window, other, fixed}) UpdateWindow(w);
    EXPECT_EQ(g_painted, painted + 1);  // only the one that lost it
    EXPECT_EQ(record(fixed)->focused, 0);
    EXPECT_EQ(record(window)->focused, 0);

    // Tab and Escape go to the owner unchanged; other keys do not.
    pumpMessages();
    EXPECT_EQ(SendMessageA(window, WM_KEYDOWN, VK_TAB, 0x000F0001), 0);
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    SendMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, host_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_EQ(msg.lParam, 0x000F0001);
    ASSERT_TRUE(PeekMessageA(&msg, host_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_FALSE(PeekMessageA(&msg, host_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));

    DestroyWindow(fixed);
    DestroyWindow(other);
    DestroyWindow(window);
    EXPECT_EQ(g_destroyed, 3);
}

TEST_F(ValueControlTest, CommandRuleDecidesWhatIsACommand) {
    const struct {
        const char* className;
        WPARAM wParam;
        bool taken;
    } cases[] = {
        {"QcValueControlTest", MAKEWPARAM(kCommandSetValue, 0), true},
        {"QcValueControlTest", MAKEWPARAM(kCommandSetValue, 1), false},
        {"QcValueControlTest", MAKEWPARAM(kCommandSetValue, EN_CHANGE), false},
        {"QcLowWordControlTest", MAKEWPARAM(kCommandSetValue, 0), true},
        {"QcLowWordControlTest", MAKEWPARAM(kCommandSetValue, 1), true},
        {"QcLowWordControlTest", MAKEWPARAM(kCommandSetValue, EN_CHANGE), false},
    };
    for (const auto& c : cases) {
        HWND window = create(&templ_, c.className);
        ASSERT_NE(window, nullptr);
        SendMessageA(window, WM_COMMAND, c.wParam, float_bits(0.75f));
        EXPECT_EQ(record(window)->value, c.taken ? 0.75f : 0.5f) << c.className << " " << std::hex << c.wParam;
        DestroyWindow(window);
    }
}

// Destroys the control (when asked) while the dialog is open, checks that
// its record outlives the window, then closes the dialog.
HWND g_doomed = nullptr;
TestRecord* g_heldRecord = nullptr;
bool g_recordIntact = false;

void CALLBACK duringDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = toolkit().valueEditDialog;
    if (dialog == nullptr) return;
    if (g_doomed != nullptr) {
        DestroyWindow(g_doomed);
        g_recordIntact = g_heldRecord->value == 0.5f && g_heldRecord->enabled == 1;
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

TEST_F(ValueControlTest, HeldRecordOutlivesAWindowDestroyedDuringTheDialog) {
    templ_.owner = host_;
    for (bool destroy : {false, true}) {
        HWND window = create(&templ_);
        ASSERT_NE(window, nullptr);
        g_doomed = destroy ? window : nullptr;
        g_heldRecord = record(window);
        g_recordIntact = false;
        g_holdEnded = -1;
        g_destroyed = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, duringDialog);
        const LRESULT edited = SendMessageA(window, kEditValueMessage, 0, 0);
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_holdEnded, destroy ? 0 : 1) << destroy;
        EXPECT_EQ(edited, destroy ? 0 : 1) << destroy;
        EXPECT_EQ(toolkit().valueEditDialog, nullptr);
        if (destroy) {
            EXPECT_FALSE(IsWindow(window));
            EXPECT_EQ(g_destroyed, 1);  // the control's clean-up ran at once
            EXPECT_TRUE(g_recordIntact);
        } else {
            EXPECT_EQ(record(window)->value, 1.0f);  // the handler went on with it
            DestroyWindow(window);
        }
    }
    // A hold on a window without a record holds nothing.
    EXPECT_EQ(hold_control_record(host_), nullptr);
    EXPECT_EQ(release_control_record(nullptr), 0);
}

}  // namespace
