#include "toolkit/timedialog/TimeEntryDialog.h"

#include "toolkit/ControlData.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/DialogTemplate.h"
#include "toolkit/PopupPlacement.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/timedialog/TimeDialogState.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

// Dialog-procedure answer for a message whose result is its own.
INT_PTR answer(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

int32_t lowSigned(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t highSigned(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

// Ends the modal loop; the dialog is no longer the open one from here on,
// so a new dialog may take its place before this one is destroyed.
void closeDialog(HWND dialog, TimeDialogState* s, INT_PTR code) {
    time_dialog_release_cell(dialog, s);
    // A move in progress takes its outline off the screen and the capture back.
    if (mover_is_active(&s->mover)) mover_end(&s->mover, 0, 0);
    if (toolkit().timeEntryDialog == dialog) toolkit().timeEntryDialog = nullptr;
    EndDialog(dialog, code);
}

INT_PTR onInitDialog(HWND dialog, TimeDialogState* s) {
    toolkit().timeEntryDialog = dialog;
    set_dialog_data(dialog, s);
    s->pressedCell = -1;
    s->musicOrigin = kMusicOrigin;
    mover_init(&s->mover, dialog);
    // The context may have been changed in memory since it was read.
    sanitize_time_context(*s->context);
    s->savedContext = *s->context;

    s->values = derive_time_values(s->result, s->context->sampleRate, SampleRounding::HalfDown);
    s->result = kTimeCancelMarker;
    s->updating = 1;
    keep_on_work_area(&s->x, &s->y, s->width, s->height);
    SetWindowPos(dialog, nullptr, s->x, s->y, s->width, s->height, SWP_NOZORDER | SWP_SHOWWINDOW);
    create_time_fields(dialog, s);
    focus_time_field(s);
    create_time_buttons(dialog, s);
    s->updating = 0;
    InvalidateRect(dialog, nullptr, TRUE);
    return FALSE;  // the focus is set
}

void onCommand(HWND dialog, TimeDialogState* s, WPARAM wParam, LPARAM lParam) {
    const uint16_t id = LOWORD(wParam);
    const uint16_t code = HIWORD(wParam);
    // The replace button carries its new value, not a window.
    if (id == kTimeReplace) {
        s->context->replaceMode = bits_float(static_cast<uint32_t>(lParam)) == 0.0f ? 0 : 1;
        return;
    }
    if (id == kTimeOk || id == kTimeCancel || id == kTimeApply) {
        if (code != BN_CLICKED) return;
        if (id == kTimeOk) {
            s->result = s->values.seconds;
            closeDialog(dialog, s, IDOK);
        } else if (id == kTimeCancel) {
            *s->context = s->savedContext;
            closeDialog(dialog, s, IDCANCEL);
        } else {
            s->updating = 1;
            rewrite_time_fields(s, apply_note_duration(s->values, *s->context, SampleRounding::HalfDown));
            s->updating = 0;
        }
        return;
    }
    if (!is_time_focus_field(id)) return;
    const bool list = id == kTimeNumerator || id == kTimeDenominator;
    if (code == (list ? LBN_SETFOCUS : EN_SETFOCUS))
        s->context->focusField = id;
    else if (code == (list ? LBN_SELCHANGE : EN_CHANGE) && !s->updating)
        convert_time_field(s, id);
}

void onDestroy(HWND dialog, TimeDialogState* s) {
    if (toolkit().timeEntryDialog == dialog) toolkit().timeEntryDialog = nullptr;
    set_dialog_data(dialog, nullptr);
    if (s == nullptr) return;
    time_dialog_release_cell(dialog, s);
    if (s->templ != nullptr) GlobalFree(s->templ);
    s->templ = nullptr;
}

INT_PTR CALLBACK timeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(dialog, reinterpret_cast<TimeDialogState*>(lParam));
    TimeDialogState* s = time_dialog_state(dialog);
    if (message == WM_DESTROY) {
        onDestroy(dialog, s);
        return TRUE;
    }
    if (s == nullptr) return FALSE;

    switch (message) {
    case WM_ERASEBKGND:
        tile_bitmap(dialog, reinterpret_cast<HDC>(wParam), 0, 0, toolkit().stockBitmaps[kTimePaperBitmap]);
        return answer(dialog, 1);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        if (!s->updating) paint_time_dialog(dialog, dc, s);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<INT_PTR>(colour_time_field(reinterpret_cast<HDC>(wParam), s));
    case WM_COMMAND:
        onCommand(dialog, s, wParam, lParam);
        return TRUE;
    // The dialog class reports a quick second press as a double click: it is
    // a press like any other (a note picked twice, a move begun).
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        time_dialog_button_down(dialog, s, lowSigned(lParam), highSigned(lParam));
        return TRUE;
    case WM_MOUSEMOVE:
        time_dialog_mouse_move(s, lowSigned(lParam), highSigned(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        time_dialog_button_up(dialog, s, lowSigned(lParam), highSigned(lParam));
        return TRUE;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != dialog) time_dialog_capture_lost(dialog, s);
        return TRUE;
    case WM_CLOSE:
        closeDialog(dialog, s, 0);  // the context keeps its changes
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TimeDialogState* time_dialog_state(HWND dialog) {
    return static_cast<TimeDialogState*>(get_dialog_data(dialog));
}

float open_time_entry_dialog(HWND owner, uint32_t style, int32_t x, int32_t y, float seconds) {
    if (toolkit().timeEntryDialog != nullptr) SendMessageA(toolkit().timeEntryDialog, WM_CLOSE, 0, 0);

    int32_t frame = 0;
    dialog_metrics(&frame, nullptr, nullptr);
    TimeDialogState s = {};
    s.x = x;
    s.y = y;
    s.width = 2 * frame + kDialogClientWidth;
    s.height = 2 * frame + kDialogClientHeight;
    s.style = style;
    s.context = &toolkit().Dial_tCtx;
    s.fontIndex = static_cast<uint16_t>((style >> 8) & 0xF);
    s.result = seconds;
    s.templ = build_dialog_template(kTimeDialogStyle);
    if (s.templ == nullptr) return kTimeCancelMarker;

    // A fixed block: its address stays valid without holding the lock.
    const DLGTEMPLATE* templ = static_cast<const DLGTEMPLATE*>(GlobalLock(s.templ));
    GlobalUnlock(s.templ);
    const INT_PTR ended =
        DialogBoxIndirectParamA(toolkit().instance, templ, owner, timeDialogProc, reinterpret_cast<LPARAM>(&s));
    // WM_DESTROY frees the template; a dialog that was never created did not.
    if (s.templ != nullptr) GlobalFree(s.templ);
    // Only OK answers a duration; a dialog that failed to open is cancelled.
    return ended == IDOK ? s.result : kTimeCancelMarker;
}
