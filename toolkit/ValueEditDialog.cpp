// The value edit dialog: an empty in-memory dialog whose procedure creates
// one edit field filling it. The field's keys pass a filter first, so that
// Enter and Escape end the dialog wherever the keys are dispatched from.
#include "toolkit/ValueEditDialog.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/ByteBlock.h"
#include "toolkit/ControlData.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/DialogTemplate.h"
#include "toolkit/ToolkitModule.h"

namespace {

constexpr int kEditFieldId = 10;
constexpr WPARAM kConfirmCommand = 1;  // posted by the filter; IDOK of the dialog manager
constexpr int kMargin = 2;

// Lives on the caller's stack while the dialog runs.
struct ValueEditRecord {
    int32_t x, y;
    int32_t width, height;  // of the edit field
    uint32_t style;         // bits 0-3 text colour, 4-7 background, 8-11 font
    const char* initialText;
    char resultText[kValueTextBytes];
    uint16_t fontIndex;
    HWND editField;
    // Set once the dialog ends: what follows (the field losing the focus as
    // the dialog goes, a second Enter) changes nothing.
    int32_t ended;
};

// Clears the toolkit's open-dialog handle when it still names this dialog
// (a second dialog may already have replaced it).
void forget(HWND dialog) {
    if (toolkit().valueEditDialog == dialog) toolkit().valueEditDialog = nullptr;
}

void finish(HWND dialog, ValueEditRecord* r, bool confirmed) {
    if (r->ended) return;
    r->ended = 1;
    if (confirmed) GetWindowTextA(r->editField, r->resultText, kValueTextBytes);
    forget(dialog);
    EndDialog(dialog, confirmed ? 1 : 0);
}

// Enter confirms and Escape cancels on the key going down; their key-ups
// and characters are swallowed, so that the release of the key that opened
// the dialog (Enter on a menu entry) does not end it at once.
LRESULT CALLBACK keyFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC fieldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_USERDATA));
    const bool ours = wParam == VK_RETURN || wParam == VK_ESCAPE;
    if (ours && (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)) {
        if (message == WM_KEYDOWN) {
            HWND dialog = GetParent(field);
            if (wParam == VK_RETURN)
                PostMessageA(dialog, WM_COMMAND, kConfirmCommand, 0);
            else
                PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        return 1;
    }
    return CallWindowProcA(fieldProc, field, message, wParam, lParam);
}

// A field filling the dialog, in the record's font and margins.
HWND makeField(HWND dialog, const ValueEditRecord* r, DWORD scrolling) {
    HWND field = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | scrolling,
                                 0, 0, r->width, r->height, dialog,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditFieldId)),
                                 toolkit().instance, nullptr);
    if (field == nullptr) return nullptr;
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(toolkit().fonts[r->fontIndex & 0xF]), TRUE);
    SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kMargin, kMargin));
    return field;
}

// Whether text is wider than the field's formatting rectangle, the room the
// field itself gives its text.
bool widerThanField(HWND field, const char* text) {
    RECT room = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    HDC dc = GetDC(field);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    return size.cx > room.right - room.left;
}

HWND createField(HWND dialog, const ValueEditRecord* r) {
    const char* text = r->initialText != nullptr ? r->initialText : "";
    // Typing stops at the field's width; only a text already wider (a huge
    // value) scrolls: a field that does not scroll and already holds more
    // than it shows fails when typed into at its start. The style is fixed
    // once the field exists, so such a text gets a scrolling field instead.
    HWND field = makeField(dialog, r, 0);
    if (field != nullptr && widerThanField(field, text)) {
        DestroyWindow(field);
        field = makeField(dialog, r, ES_AUTOHSCROLL);
    }
    if (field == nullptr) return nullptr;
    // The field's own procedure is kept in its user slot, which an edit
    // control leaves free.
    const LONG_PTR fieldProc =
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(keyFilter));
    SetWindowLongPtrA(field, GWLP_USERDATA, fieldProc);
    SetWindowTextA(field, text);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return field;
}

INT_PTR onInitDialog(HWND dialog, ValueEditRecord* r) {
    toolkit().valueEditDialog = dialog;
    set_dialog_data(dialog, r);
    int32_t frame = 0;
    dialog_metrics(&frame, nullptr, nullptr);
    SetWindowPos(dialog, nullptr, r->x, r->y, r->width + 2 * frame, r->height + 2 * frame,
                 SWP_SHOWWINDOW);
    r->editField = createField(dialog, r);
    if (r->editField == nullptr) {
        finish(dialog, r, false);  // nothing to type into
        return FALSE;
    }
    SetFocus(r->editField);
    return FALSE;
}

INT_PTR onCommand(HWND dialog, ValueEditRecord* r, WPARAM wParam) {
    if (wParam == kConfirmCommand) {
        finish(dialog, r, true);
    } else if (wParam == IDCANCEL) {
        // The dialog manager's Escape.
        finish(dialog, r, false);
    } else if (LOWORD(wParam) == kEditFieldId && HIWORD(wParam) == EN_KILLFOCUS) {
        if (GetFocus() != dialog) finish(dialog, r, false);
    }
    return TRUE;
}

INT_PTR onKillFocus(HWND dialog, ValueEditRecord* r, HWND newFocus) {
    if (newFocus != dialog && newFocus != r->editField) finish(dialog, r, false);
    return TRUE;
}

INT_PTR onCtlColorEdit(const ValueEditRecord* r, HDC dc) {
    const ToolkitModule& m = toolkit();
    SetTextColor(dc, m.palette[style_pen(r->style)]);
    SetBkColor(dc, m.palette[style_brush(r->style)]);
    return reinterpret_cast<INT_PTR>(m.brushes[style_brush(r->style)]);
}

INT_PTR CALLBACK valueEditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(dialog, reinterpret_cast<ValueEditRecord*>(lParam));
    ValueEditRecord* r = static_cast<ValueEditRecord*>(get_dialog_data(dialog));
    if (r == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return onCommand(dialog, r, wParam);
        case WM_KILLFOCUS:
            return onKillFocus(dialog, r, reinterpret_cast<HWND>(wParam));
        case WM_CLOSE:
        case WM_SYSKEYDOWN:
        case WM_SYSCOMMAND:
            finish(dialog, r, false);
            return TRUE;
        case WM_CTLCOLOREDIT:
            return onCtlColorEdit(r, reinterpret_cast<HDC>(wParam));
        case WM_DESTROY:
            forget(dialog);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

char* edit_value_text(HWND parent, uint32_t style, int32_t x, int32_t y, int32_t width,
                      int32_t height, const char* initialText) {
    // One dialog at a time: an open one ends as cancelled.
    if (toolkit().valueEditDialog != nullptr) SendMessageA(toolkit().valueEditDialog, WM_CLOSE, 0, 0);

    ValueEditRecord record = {};
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.style = style;
    record.initialText = initialText;
    record.fontIndex = static_cast<uint16_t>(style_font(style));

    HGLOBAL templ = build_dialog_template(kPopupEditorStyle);
    if (templ != nullptr) {
        const DLGTEMPLATE* dialog = static_cast<const DLGTEMPLATE*>(GlobalLock(templ));
        if (dialog != nullptr)
            DialogBoxIndirectParamA(toolkit().instance, dialog, parent, valueEditProc,
                                    reinterpret_cast<LPARAM>(&record));
        GlobalUnlock(templ);
        GlobalFree(templ);
    }

    char* text = static_cast<char*>(std::malloc(kValueTextBytes));
    if (text == nullptr) return nullptr;
    copy_bytes(text, record.resultText, kValueTextBytes);
    return text;
}
