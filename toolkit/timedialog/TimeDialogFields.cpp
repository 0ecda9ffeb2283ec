// The time entry dialog's child windows: creating them, rewriting their
// texts, and turning a user's change of one into a new duration.
#include <cstdio>

#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/switch/Switch.h"
#include "toolkit/timedialog/TimeDialogState.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

constexpr int32_t kFieldHeight = 17;
constexpr int32_t kListHeight = 60;
constexpr int kApplyFont = 4;

bool isList(uint16_t id) { return id == kTimeNumerator || id == kTimeDenominator; }

HWND child(HWND dialog, DWORD exStyle, const char* className, const char* text, DWORD style,
           uint16_t id, int32_t x, int32_t y, int32_t w, int32_t h, int font) {
    HWND window = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                  dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  toolkit().instance, nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(toolkit().fonts[font & 0xF]), FALSE);
    return window;
}

// An edit field showing the text of `id`. Long values scroll rather than
// refuse further typing.
HWND edit(HWND dialog, const TimeDialogState* s, uint16_t id, int32_t x, int32_t y, int32_t w) {
    HWND window = child(dialog, WS_EX_STATICEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, id, x,
                        y, w, kFieldHeight, s->fontIndex);
    SendMessageA(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 2));
    char text[kTimeFieldTextCapacity];
    format_time_field(id, s->values, *s->context, text, sizeof text);
    SetWindowTextA(window, text);
    return window;
}

HWND list(HWND dialog, const TimeDialogState* s, uint16_t id, int32_t x, int32_t y) {
    return child(dialog, WS_EX_STATICEDGE, "LISTBOX", "",
                 WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, id, x, y, 50, kListHeight,
                 s->fontIndex);
}

void addEntry(HWND list, int32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", static_cast<int>(number));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

HWND time_field_window(const TimeDialogState* s, uint16_t id) {
    const TimeDialogWindows& w = s->windows;
    switch (id) {
    case kTimeOk: return w.ok;
    case kTimeCancel: return w.cancel;
    case kTimeApply: return w.apply;
    case kTimeSeconds: return w.seconds;
    case kTimeMilliseconds: return w.milliseconds;
    case kTimeHertz: return w.hertz;
    case kTimeBpm: return w.bpm;
    case kTimeTempo: return w.tempo;
    case kTimeReplace: return w.replaceButton;
    case kTimeMetres: return w.metres;
    case kTimeSamples: return w.samples;
    case kTimeTicks: return w.ticks;
    case kTimeNumerator: return w.numeratorList;
    case kTimeDenominator: return w.denominatorList;
    case kTimePosition: return w.position;
    case kTimeFrames: return w.frames;
    case kTimeFrameRate: return w.frameRate;
    default: return nullptr;
    }
}

void create_time_fields(HWND dialog, TimeDialogState* s) {
    TimeDialogWindows& w = s->windows;
    const POINT M = s->musicOrigin;
    w.seconds = edit(dialog, s, kTimeSeconds, 6, 28, 125);
    w.milliseconds = edit(dialog, s, kTimeMilliseconds, 6, 48, 125);
    w.hertz = edit(dialog, s, kTimeHertz, 6, 68, 125);
    w.bpm = edit(dialog, s, kTimeBpm, 6, 88, 125);
    w.metres = edit(dialog, s, kTimeMetres, 6, 108, 125);
    w.samples = edit(dialog, s, kTimeSamples, 6, 128, 125);
    w.tempo = edit(dialog, s, kTimeTempo, M.x + 1, M.y + 101, 60);

    s->positionOrigin = kPositionOrigin;
    const POINT P = s->positionOrigin;
    w.position = edit(dialog, s, kTimePosition, P.x, P.y, 162);
    w.ticks = edit(dialog, s, kTimeTicks, P.x, P.y + 33, 50);
    w.numeratorList = list(dialog, s, kTimeNumerator, P.x + 60, P.y + 33);
    for (int32_t n = kNumeratorEntries; n >= 1; --n) addEntry(w.numeratorList, n);
    SendMessageA(w.numeratorList, LB_SETCURSEL, numerator_entry(s->context->signatureNumerator), 0);
    w.denominatorList = list(dialog, s, kTimeDenominator, P.x + 115, P.y + 33);
    for (int32_t d : kDenominators) addEntry(w.denominatorList, d);
    SendMessageA(w.denominatorList, LB_SETCURSEL, denominator_entry(s->context->signatureDenominator), 0);
    w.frames = edit(dialog, s, kTimeFrames, P.x, P.y + 130, 162);
    w.frameRate = edit(dialog, s, kTimeFrameRate, P.x + 95, P.y + 160, 67);
}

void create_time_buttons(HWND dialog, TimeDialogState* s) {
    TimeDialogWindows& w = s->windows;
    const POINT M = s->musicOrigin;
    w.replaceButton = create_stock_switch(dialog, kTimeReplace, M.x + 135, M.y + 101, 0);
    if (s->context->replaceMode == 1)
        send_control_command(w.replaceButton, kCommandSetValue, float_bits(1.0f));
    w.ok = child(dialog, 0, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kTimeOk, 5, 185, 70, 25,
                 s->fontIndex);
    w.cancel = child(dialog, 0, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, kTimeCancel, 80,
                     185, 70, 25, s->fontIndex);
    w.apply = child(dialog, 0, "BUTTON", "Apply", WS_TABSTOP | BS_PUSHBUTTON, kTimeApply, M.x + 95,
                    M.y + 172, 67, 15, kApplyFont);
}

void rewrite_time_fields(const TimeDialogState* s, uint32_t fields) {
    for (int i = 0; i < kDurationFieldCount; ++i) {
        if ((fields & (1u << i)) == 0) continue;
        char text[kTimeFieldTextCapacity];
        format_time_field(kDurationFields[i], s->values, *s->context, text, sizeof text);
        SetWindowTextA(time_field_window(s, kDurationFields[i]), text);
    }
}

void convert_time_field(TimeDialogState* s, uint16_t id) {
    HWND field = time_field_window(s, id);
    if (field == nullptr) return;
    s->updating = 1;
    TimeFieldSet rewrite = 0;
    if (isList(id)) {
        const LRESULT entry = SendMessageA(field, LB_GETCURSEL, 0, 0);
        rewrite = apply_time_list_selection(id, static_cast<int32_t>(entry), *s->context);
    } else {
        char text[127] = {};  // at most 126 characters are read
        GetWindowTextA(field, text, sizeof text);
        rewrite = apply_time_field_text(id, text, s->values, *s->context);
    }
    rewrite_time_fields(s, rewrite);
    s->updating = 0;
}

void focus_time_field(const TimeDialogState* s) {
    HWND field = time_field_window(s, s->context->focusField);
    if (field == nullptr || !is_time_focus_field(s->context->focusField)) field = s->windows.seconds;
    if (!isList(s->context->focusField)) SendMessageA(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}
