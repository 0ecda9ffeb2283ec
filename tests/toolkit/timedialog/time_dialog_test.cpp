// The time entry dialog under Wine, driven from inside its own modal loop:
// a thread timer runs one step per tick, and each step posts keys and clicks
// as a user would; the next step sees their effect.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "GdiObjectCounter.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"
#include "toolkit/timedialog/TimeEntryDialog.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

using Step = std::function<void(HWND dialog)>;
constexpr uint32_t kStyle = 0x7E0;  // what a knob asks for
constexpr int32_t kLeft = 100, kTop = 100;

std::deque<Step> g_steps;

void CALLBACK runStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = toolkit().timeEntryDialog;
    if (dialog == nullptr || g_steps.empty()) return;
    Step step = std::move(g_steps.front());
    g_steps.pop_front();
    step(dialog);
}

// A step that failed half-way must not leave the test hanging.
void CALLBACK closeAnyDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (toolkit().timeEntryDialog != nullptr) PostMessageA(toolkit().timeEntryDialog, WM_CLOSE, 0, 0);
}

// Opens the dialog over owner and runs the steps in it; the last step is
// expected to close it. Nested calls keep the outer steps.
float runDialog(HWND owner, float seconds, std::deque<Step> steps, POINT at = {kLeft, kTop}) {
    std::deque<Step> outer = std::move(g_steps);
    g_steps = std::move(steps);
    const UINT_PTR ticker = SetTimer(nullptr, 0, 10, runStep);
    const UINT_PTR guard = SetTimer(nullptr, 0, 20000, closeAnyDialog);
    const float result = open_time_entry_dialog(owner, kStyle, at.x, at.y, seconds);
    KillTimer(nullptr, ticker);
    KillTimer(nullptr, guard);
    EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps did not run";
    g_steps = std::move(outer);
    return result;
}

std::string text(HWND dialog, int id) {
    char buffer[256] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

// Typing: the field's whole text replaced, as a paste would.
void type(HWND dialog, int id, const char* value) { SetDlgItemTextA(dialog, id, value); }

void postKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0x00000001);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void postClick(HWND window, int32_t x, int32_t y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The centre of note cell `cell` of the picture at (180, 25).
POINT cellCentre(int cell) { return {180 + (cell % 5) * 32 + 16, 25 + (cell / 5) * 32 + 16}; }

// The mouse itself (the system makes a quick second press a double click).
void sendMouse(std::initializer_list<DWORD> flags) {
    for (DWORD flag : flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        SendInput(1, &input, sizeof input);
    }
}

POINT onScreen(HWND window, POINT p) {
    ClientToScreen(window, &p);
    return p;
}

RECT frameOf(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

// The column of screen pixels at x over the rows of `span`.
std::vector<uint32_t> screenColumn(int x, const RECT& span) {
    const RgbImage screen = capture_client(GetDesktopWindow());
    std::vector<uint32_t> column;
    for (int y = span.top; y < span.bottom; ++y) column.push_back(screen.pixel(x, y));
    return column;
}

uint32_t rgbOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The note list box shows each picked note as its picture cell inverted,
// tied to the one before, on black after the last.
void expectNoteListShows(HWND d, std::initializer_list<int> notes) {
    UpdateWindow(d);
    const RgbImage client = capture_client(d);
    const POINT M = {180, 25};
    int k = 0;
    int wrong = 0;
    for (int note : notes) {
        const int cellX = M.x + (note % 5) * 32 + 1, cellY = M.y + (note / 5) * 32 + 1;
        for (int dy = 0; dy < 30; ++dy) {
            if (dy >= 16 && dy <= 21) continue;  // where the ties cross
            for (int dx = 0; dx < 30; ++dx)
                if (client.pixel(M.x + 1 + 30 * k + dx, M.y + 137 + dy) !=
                    (client.pixel(cellX + dx, cellY + dy) ^ 0xFFFFFF))
                    ++wrong;
        }
        if (k > 0) {
            EXPECT_EQ(client.pixel(M.x - 8 + 30 * k, M.y + 154), rgbOf(toolkit().palette[13])) << k;
        }
        ++k;
    }
    EXPECT_EQ(wrong, 0) << "pixels of the note blocks that are not their cells inverted";
    for (; k < 5; ++k)
        EXPECT_EQ(client.pixel(M.x + 15 + 30 * k, M.y + 150), rgbOf(toolkit().palette[0])) << "empty place " << k;
}

void pressEscape(HWND dialog) { postKey(GetFocus() != nullptr ? GetFocus() : dialog, VK_ESCAPE); }
void clickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The texts of the duration fields for half a second and a quarter second
// at the defaults.
struct Texts {
    uint16_t id;
    const char* half;
    const char* quarter;
};
const Texts kTexts[] = {
    {kTimeSeconds, "0.500000", "0.250000"},
    {kTimeMilliseconds, "500.000", "250.000"},
    {kTimeHertz, "2.000", "4.000"},
    {kTimeBpm, "120.000", "240.000"},
    {kTimeMetres, "165.000", "82.500"},
    {kTimeSamples, "22050", "11025"},
    {kTimePosition, "     1 /  2 /     0", "     1 /  1 /    48"},
    {kTimeFrames, "12.500", "6.250"},
};

class TimeDialogTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        toolkit().Dial_tCtx = kDefaultTimeContext;
        ToolkitWindowTest::SetUp();
    }
    TimeContext& context() { return toolkit().Dial_tCtx; }
};

TEST_F(TimeDialogTest, OpensShowingTheDurationInEveryField) {
    HWND seen = nullptr;
    const float result = runDialog(host_, 0.5f, {[&](HWND d) {
        seen = d;
        for (const Texts& t : kTexts) EXPECT_EQ(text(d, t.id), t.half) << t.id;
        EXPECT_EQ(text(d, kTimeTempo), "120.000");
        EXPECT_EQ(text(d, kTimeTicks), "0096");
        EXPECT_EQ(text(d, kTimeFrameRate), "25.000");
        EXPECT_EQ(SendDlgItemMessageA(d, kTimeNumerator, LB_GETCOUNT, 0, 0), 64);
        EXPECT_EQ(SendDlgItemMessageA(d, kTimeNumerator, LB_GETCURSEL, 0, 0), 60);  // "4"
        EXPECT_EQ(SendDlgItemMessageA(d, kTimeDenominator, LB_GETCOUNT, 0, 0), 5);
        EXPECT_EQ(SendDlgItemMessageA(d, kTimeDenominator, LB_GETCURSEL, 0, 0), 2);  // "4"
        EXPECT_EQ(text(d, kTimeOk), "OK");
        EXPECT_EQ(text(d, kTimeApply), "Apply");
        EXPECT_EQ(send_control_command(GetDlgItem(d, kTimeReplace), kCommandGetValue, 0), 1.0f);

        // Placed at the point asked for, with the client area of its layout.
        RECT frame = {}, client = {};
        GetWindowRect(d, &frame);
        GetClientRect(d, &client);
        EXPECT_EQ(frame.left, kLeft);
        EXPECT_EQ(frame.top, kTop);
        EXPECT_EQ(client.right, 544);
        EXPECT_EQ(client.bottom, 220);
        RECT field = {};
        GetWindowRect(GetDlgItem(d, kTimePosition), &field);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&field), 2);
        EXPECT_EQ(field.left, 360);
        EXPECT_EQ(field.top, 25);
        EXPECT_EQ(field.right - field.left, 162);

        // The seconds field has the focus, its whole text selected.
        EXPECT_EQ(GetFocus(), GetDlgItem(d, kTimeSeconds));
        DWORD start = 1, end = 0;
        SendDlgItemMessageA(d, kTimeSeconds, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 8u);
        EXPECT_FALSE(IsWindowEnabled(host_));  // modal

        // Fields in the caller's colours: palette 14 behind black text.
        UpdateWindow(d);
        HDC dc = GetDC(d);
        EXPECT_EQ(GetPixel(dc, 6 + 120, 28 + 8), toolkit().palette[14]);
        ReleaseDC(d, dc);
        EXPECT_TRUE(save_screenshot("time_entry_dialog", capture_window(d)));
        pressEscape(d);
    }});
    EXPECT_EQ(result, kTimeCancelMarker);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(toolkit().timeEntryDialog, nullptr);
    EXPECT_TRUE(IsWindowEnabled(host_));
}

// Each field typed with a quarter second's worth rewrites every other field;
// the typed one keeps what was typed.
TEST_F(TimeDialogTest, TypingIntoAFieldRewritesTheOthers) {
    const struct {
        uint16_t id;
        const char* typed;
    } cases[] = {
        {kTimeSeconds, "0.25"}, {kTimeMilliseconds, "250"}, {kTimeHertz, "4 Hz"},
        {kTimeBpm, "240"},      {kTimeMetres, "82,5"},      {kTimeSamples, "11025"},
        {kTimePosition, "1/1/48"}, {kTimeFrames, "6.25"},
    };
    std::deque<Step> steps;
    for (const auto& c : cases) {
        steps.push_back([c](HWND d) {
            type(d, kTimeSeconds, "0.5");  // back to half a second
            for (const Texts& t : kTexts) {
                if (t.id == kTimeSeconds) continue;
                EXPECT_EQ(text(d, t.id), t.half) << t.id;
            }
            type(d, c.id, c.typed);
            EXPECT_EQ(text(d, c.id), c.typed);
            for (const Texts& t : kTexts) {
                if (t.id == c.id) continue;
                EXPECT_EQ(text(d, t.id), t.quarter) << "typed into " << c.id << ": " << t.id;
            }
        });
    }
    // Keys typed one by one convert at every key.
    steps.push_back([](HWND d) {
        HWND seconds = GetDlgItem(d, kTimeSeconds);
        SetFocus(seconds);
        SendMessageA(seconds, EM_SETSEL, 0, -1);
        for (char key : std::string("2.5")) PostMessageA(seconds, WM_CHAR, key, 1);
    });
    steps.push_back([](HWND d) {
        EXPECT_EQ(text(d, kTimeSeconds), "2.5");
        EXPECT_EQ(text(d, kTimeMilliseconds), "2500.000");
        EXPECT_EQ(text(d, kTimePosition), "     2 /  2 /     0");
        // Tempo: the duration of the notes ([quarter]) at the new tempo.
        type(d, kTimeTempo, "60");
        EXPECT_EQ(text(d, kTimeSeconds), "1.000000");
        EXPECT_EQ(text(d, kTimePosition), "     1 /  2 /     0");
        // Frame rate: only the frames follow.
        type(d, kTimeFrameRate, "30");
        EXPECT_EQ(text(d, kTimeFrames), "30.000");
        EXPECT_EQ(text(d, kTimeSeconds), "1.000000");
        // Negative and unreadable numbers count as 0.
        type(d, kTimeBpm, "-120");
        EXPECT_EQ(text(d, kTimeSeconds), "0.000000");
        EXPECT_EQ(text(d, kTimeHertz), "0.000");
        type(d, kTimeMilliseconds, "abc");
        EXPECT_EQ(text(d, kTimeBpm), "0.000");
        // Ticks are held between 1 and 99999 and change only the position.
        type(d, kTimeSeconds, "0.5");
        type(d, kTimeTempo, "120");
        type(d, kTimeTicks, "123456");
        EXPECT_EQ(toolkit().Dial_tCtx.ticksPerQuarter, 99999);
        EXPECT_EQ(text(d, kTimeTicks), "123456");
        type(d, kTimeTicks, "0");
        EXPECT_EQ(toolkit().Dial_tCtx.ticksPerQuarter, 1);
        EXPECT_EQ(text(d, kTimePosition), "     1 /  2 /     0");
        type(d, kTimeTicks, "96");
        EXPECT_EQ(text(d, kTimeSeconds), "0.500000");
        // The denominator list by keyboard: one entry down, from 4 to 2.
        SetFocus(GetDlgItem(d, kTimeDenominator));
        postKey(GetDlgItem(d, kTimeDenominator), VK_DOWN);
    });
    steps.push_back([](HWND d) {
        EXPECT_EQ(toolkit().Dial_tCtx.signatureDenominator, 2);
        EXPECT_EQ(toolkit().Dial_tCtx.focusField, kTimeDenominator);
        EXPECT_EQ(text(d, kTimePosition), "     1 /  1 /    96");
        clickButton(d, kTimeOk);
    });
    EXPECT_EQ(runDialog(host_, 0.5f, std::move(steps)), 0.5f);
}

TEST_F(TimeDialogTest, NotesArePickedByClickingTheirCell) {
    const POINT dottedEighth = cellCentre(13), quarter = cellCentre(2);
    context().sampleRate = 44113;  // a rate at which cutting and rounding differ
    HWND replace = nullptr;
    std::deque<Step> steps;
    // Replace mode: the note list becomes the picked note.
    steps.push_back([&](HWND d) {
        replace = GetDlgItem(d, kTimeReplace);
        postClick(d, dottedEighth.x, dottedEighth.y);
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(context().notes[0], 13);
        EXPECT_EQ(context().notes[1], -1);
        EXPECT_EQ(text(d, kTimeSeconds), "0.375000");
        EXPECT_EQ(GetCapture(), nullptr);
        postClick(replace, 5, 5);  // to append mode
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(context().replaceMode, 0);
        postClick(d, quarter.x, quarter.y);
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(context().notes[1], 2);
        EXPECT_EQ(text(d, kTimeSeconds), "0.875000");
        // Samples of a picked duration are cut, not rounded: add a
        // sixteenth triplet, 1/12 s more, 0.958333 s = 42274.96 samples.
        postClick(d, cellCentre(9).x, cellCentre(9).y);
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(text(d, kTimeSamples), "42274");
        expectNoteListShows(d, {13, 2, 9});
        // Released over another cell, or pressed on the note list and
        // dragged: nothing (no note, no move).
        PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(quarter.x, quarter.y));
        PostMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(quarter.x + 32, quarter.y));
        PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 175));
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(230, 195));
        PostMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(230, 195));
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(frameOf(d).left, kLeft);
        EXPECT_EQ(frameOf(d).top, kTop);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(context().notes[3], -1);
        postClick(d, quarter.x, quarter.y);
        postClick(d, quarter.x, quarter.y);
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(context().notes[4], 2);  // full
        UpdateWindow(d);
        EXPECT_TRUE(save_screenshot("time_entry_dialog_notes", capture_window(d)));
        postClick(d, cellCentre(0).x, cellCentre(0).y);
    });
    steps.push_back([&](HWND d) {
        // A sixth note leaves just itself: a whole note, 2 s.
        EXPECT_EQ(context().notes[0], 0);
        EXPECT_EQ(context().notes[1], -1);
        EXPECT_EQ(text(d, kTimeSeconds), "2.000000");
        // A held cell shows inverted until the button goes up.
        HDC dc = GetDC(d);
        const POINT p = {quarter.x - 15, quarter.y - 15};
        const COLORREF before = GetPixel(dc, p.x, p.y);
        SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(quarter.x, quarter.y));
        EXPECT_EQ(GetPixel(dc, p.x, p.y), before ^ 0xFFFFFF);
        EXPECT_EQ(GetCapture(), d);
        ReleaseDC(d, dc);
        // Closed while held: the capture is let go.
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(runDialog(host_, 0.5f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(context().notes[1], -1);  // closing keeps the context
}

TEST_F(TimeDialogTest, ApplyOkCancelAndClose) {
    // Apply: the notes' duration; OK answers the seconds shown.
    std::deque<Step> steps;
    steps.push_back([](HWND d) {
        type(d, kTimeSeconds, "3");
        clickButton(d, kTimeApply);
    });
    steps.push_back([](HWND d) {
        EXPECT_EQ(text(d, kTimeSeconds), "0.500000");
        EXPECT_EQ(text(d, kTimeSamples), "22050");
        type(d, kTimeMilliseconds, "1500");
        postKey(GetDlgItem(d, kTimeMilliseconds), VK_RETURN);  // the default button
    });
    EXPECT_EQ(runDialog(host_, 7.0f, std::move(steps)), 1.5f);

    // Cancel puts the context back as it was at opening.
    steps.push_back([](HWND d) {
        type(d, kTimeTempo, "90");
        type(d, kTimeFrameRate, "50");
        EXPECT_EQ(toolkit().Dial_tCtx.tempo, 90.0f);
        clickButton(d, kTimeCancel);
    });
    EXPECT_EQ(runDialog(host_, 1.0f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(context().tempo, 120.0f);
    EXPECT_EQ(context().framesPerSecond, 25.0f);

    // Escape cancels too; closing the window keeps the changes.
    steps.push_back([](HWND d) {
        type(d, kTimeTempo, "90");
        pressEscape(d);
    });
    EXPECT_EQ(runDialog(host_, 1.0f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(context().tempo, 120.0f);
    steps.push_back([](HWND d) {
        type(d, kTimeTempo, "90");
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(runDialog(host_, 1.0f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(context().tempo, 90.0f);
}

// Tempo, signature, focus and notes carry over to the next opening, and
// through the registry to the next start of the toolkit.
TEST_F(TimeDialogTest, ContextSurvivesReopeningAndRestart) {
    std::deque<Step> steps;
    steps.push_back([](HWND d) {
        type(d, kTimeTempo, "100");
        type(d, kTimeTicks, "480");
        SendDlgItemMessageA(d, kTimeNumerator, LB_SETCURSEL, 58, 0);  // 6
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(kTimeNumerator, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, kTimeNumerator)));
        postClick(d, cellCentre(12).x, cellCentre(12).y);  // dotted quarter
        SetFocus(GetDlgItem(d, kTimeTempo));
    });
    steps.push_back([](HWND d) { clickButton(d, kTimeOk); });
    EXPECT_EQ(runDialog(host_, 0.5f, std::move(steps)), 0.9f);

    auto expectKept = [&](const char* when) {
        std::deque<Step> check;
        check.push_back([when](HWND d) {
            EXPECT_EQ(text(d, kTimeTempo), "100.000") << when;
            EXPECT_EQ(text(d, kTimeTicks), "0480") << when;
            EXPECT_EQ(SendDlgItemMessageA(d, kTimeNumerator, LB_GETCURSEL, 0, 0), 58) << when;
            EXPECT_EQ(GetFocus(), GetDlgItem(d, kTimeTempo)) << when;
            clickButton(d, kTimeApply);
        });
        check.push_back([when](HWND d) {
            EXPECT_EQ(text(d, kTimeSeconds), "0.900000") << when;
            clickButton(d, kTimeCancel);
        });
        runDialog(host_, 0.5f, std::move(check));
    };
    expectKept("reopened");
    ASSERT_EQ(terminate_toolkit(), 0);
    toolkit().Dial_tCtx = kDefaultTimeContext;
    ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
    EXPECT_EQ(context().tempo, 100.0f);
    expectKept("after a restart");
}

// Units shorter than a tick and a tempo of 0: positions stay readable.
TEST_F(TimeDialogTest, PositionsWithoutTicksOrTempo) {
    context().ticksPerQuarter = 1;
    context().signatureDenominator = 8;
    std::deque<Step> steps;
    steps.push_back([](HWND d) {
        EXPECT_EQ(text(d, kTimePosition), "     1 /  4 /     0");  // 0.75 s: the fourth eighth
        type(d, kTimePosition, "2 / 3 / 7");                       // no ticks inside an eighth
        EXPECT_EQ(text(d, kTimeSeconds), "1.500000");
        type(d, kTimeTempo, "0");
        EXPECT_EQ(text(d, kTimeSeconds), "0.000000");  // notes at tempo 0 last nothing
        type(d, kTimePosition, "1 / 3 / 0");           // tempo 0 reads as 1 bpm
        EXPECT_EQ(text(d, kTimeSeconds), "60.000000");
        EXPECT_EQ(text(d, kTimePosition), "1 / 3 / 0");
        type(d, kTimeSeconds, "60");
        EXPECT_EQ(text(d, kTimePosition), "     1 /  3 /     0");
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    runDialog(host_, 0.75f, std::move(steps));
}

// Dragging the background moves the dialog. Another window taking the
// capture ends a move: the outline goes at once and the dialog stays where
// it was. Closed in the middle of a move, the dialog lets the mouse go.
TEST_F(TimeDialogTest, MovedByDraggingTheBackground) {
    std::vector<uint32_t> before;
    RECT span = {};
    int lineX = 0;
    std::deque<Step> steps;
    steps.push_back([](HWND d) {
        PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 160));
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(175, 170));
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 180));
        PostMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(190, 180));
    });
    steps.push_back([&](HWND d) {
        span = frameOf(d);
        EXPECT_EQ(span.left, kLeft + 30);
        EXPECT_EQ(span.top, kTop + 20);
        EXPECT_EQ(GetCapture(), nullptr);
        lineX = onScreen(d, {175, 0}).x;  // the outline's cross line, over plain background
        before = screenColumn(lineX, span);
        PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 160));
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(175, 170));
    });
    steps.push_back([&](HWND d) {
        ASSERT_EQ(GetCapture(), d);
        EXPECT_NE(screenColumn(lineX, span), before) << "the outline shows";
        SetCapture(host_);
        EXPECT_EQ(screenColumn(lineX, span), before) << "the outline is gone";
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 180));
        PostMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(190, 180));
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(GetCapture(), host_);
        EXPECT_EQ(screenColumn(lineX, span), before) << "no outline drawn after the loss";
        EXPECT_EQ(frameOf(d).left, span.left);
        EXPECT_EQ(frameOf(d).top, span.top);
        ReleaseCapture();
        PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 160));
        PostMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(175, 170));
    });
    steps.push_back([](HWND d) {
        EXPECT_EQ(GetCapture(), d);
        pressEscape(d);
    });
    runDialog(host_, 0.5f, std::move(steps));
    EXPECT_EQ(GetCapture(), nullptr);
}

// A quick second press comes as a double click: it picks the note again,
// and on the background it begins a move.
TEST_F(TimeDialogTest, AQuickSecondPressIsAPress) {
    context().replaceMode = 0;
    POINT start = {};
    std::deque<Step> steps;
    steps.push_back([](HWND d) {
        const POINT cell = onScreen(d, cellCentre(13));
        SetCursorPos(cell.x, cell.y);
        sendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    });
    steps.push_back([&](HWND d) {
        EXPECT_EQ(context().notes[1], 13);
        EXPECT_EQ(context().notes[2], 13);
        EXPECT_EQ(text(d, kTimeSeconds), "1.250000");  // a quarter and two dotted eighths
        start = onScreen(d, {160, 160});
        SetCursorPos(start.x, start.y);
        sendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN});
    });
    steps.push_back([&](HWND) {
        SetCursorPos(start.x + 30, start.y + 20);
        sendMouse({MOUSEEVENTF_LEFTUP});
    });
    steps.push_back([&](HWND d) {
        POINT end = {};
        GetCursorPos(&end);
        EXPECT_EQ(frameOf(d).left, kLeft + end.x - start.x);
        EXPECT_EQ(frameOf(d).top, kTop + end.y - start.y);
        EXPECT_NE(end.x, start.x);
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    runDialog(host_, 0.5f, std::move(steps));
}

// Opened near the bottom-right corner, it moves just enough to show whole.
TEST_F(TimeDialogTest, OpensWhollyOnTheWorkArea) {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    std::deque<Step> steps;
    steps.push_back([&](HWND d) {
        const RECT frame = frameOf(d);
        EXPECT_EQ(frame.right, area.right);
        EXPECT_EQ(frame.bottom, area.bottom);
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    runDialog(host_, 0.5f, std::move(steps), {area.right - 124, area.bottom - 68});
}

TEST_F(TimeDialogTest, SecondOpeningClosesTheFirst) {
    HWND first = nullptr, second = nullptr;
    float inner = 0.0f;
    std::deque<Step> steps;
    steps.push_back([&](HWND d) {
        first = d;
        std::deque<Step> nested;
        nested.push_back([&](HWND d2) {
            second = d2;
            EXPECT_NE(d2, first);
            EXPECT_FALSE(IsWindowVisible(first));
            type(d2, kTimeSeconds, "2");
            clickButton(d2, kTimeOk);
        });
        inner = runDialog(host_, 1.0f, std::move(nested));
    });
    EXPECT_EQ(runDialog(host_, 0.5f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(inner, 2.0f);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(toolkit().timeEntryDialog, nullptr);
}

// Terminating the toolkit closes an open dialog.
TEST_F(TimeDialogTest, TerminationClosesTheDialog) {
    std::deque<Step> steps;
    steps.push_back([](HWND) {
        ASSERT_EQ(terminate_toolkit(), 0);
        ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
    });
    EXPECT_EQ(runDialog(host_, 0.5f, std::move(steps)), kTimeCancelMarker);
    EXPECT_EQ(toolkit().timeEntryDialog, nullptr);
}

TEST_F(TimeDialogTest, NoLeaksOverManyOpenings) {
    const int32_t gdi = live_gdi_objects();
    if (gdi < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    auto cycle = [&](int i) {
        std::deque<Step> steps;
        steps.push_back([i](HWND d) {
            postClick(d, cellCentre(i % 15).x, cellCentre(i % 15).y);
            if (i % 3 == 0) pressEscape(d);
            else if (i % 3 == 1) clickButton(d, kTimeOk);
            else PostMessageA(d, WM_CLOSE, 0, 0);
        });
        runDialog(host_, 0.5f, std::move(steps));
    };
    cycle(0);
    pumpMessages();
    const int32_t before = live_gdi_objects();
    const int windows = thread_window_count();
    // Twice round every note cell and every way of closing: any object or
    // window an opening leaves behind shows in the exact counts.
    for (int i = 0; i < 30; ++i) cycle(i);
    pumpMessages();
    EXPECT_EQ(live_gdi_objects(), before);
    EXPECT_EQ(thread_window_count(), windows);
    // No timer left running: nothing arrives while we wait.
    Sleep(50);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
