#pragma once
// The window-procedure behaviour that every value control (button, slider,
// knob) shares: its data record's life, focus, painting entry, closing,
// mouse activation, Tab and Escape forwarding, and control commands 1 to 4.
//
// A control describes itself once with a ValueControlClass and hands its
// window procedure to run_value_control with a handler of its own messages:
//
//   int32_t knobMessage(HWND w, void* record, UINT m, WPARAM wp, LPARAM lp, LRESULT* result);
//   LRESULT CALLBACK knob_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
//       return run_value_control(&kKnobClass, knobMessage, w, m, wp, lp);
//   }
//
// The record is held while the handler runs: an owner may destroy the
// control from inside a notification, and the record then lives on until
// the handler returns. A handler stops at a notification that reports the
// control gone (notify_from_control answers 0).
//
// Controls that run a modal loop (a dialog, a popup menu) from inside a
// message handler hold their record across it in the same way:
//
//   void* record = hold_control_record(window);
//   ... edit_value_text(...), TrackPopupMenu(...) ...
//   if (!release_control_record(record)) return 0;  // window destroyed meanwhile
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"

// Which WM_COMMAND messages are control commands 1 to 4.
enum ControlCommandRule : uint32_t {
    // wParam exactly 1, 2, 3 or 4 (a notification code in the high word, as
    // an edit field's EN_CHANGE carries, makes it something else).
    kCommandsExactWParam = 0,
    // The low word of wParam, with a high word of 0 (menu choices) or 1
    // (accelerators).
    kCommandsLowWord = 1,
};

struct ValueControlClass {
    // Size of the data record, which is also the creation template's size.
    uint32_t recordSize;

    // Called after the template has been copied into the new record; a
    // non-zero result makes the window creation fail. Optional.
    int32_t (*created)(HWND window, void* record);
    // Called before the record is freed (at WM_DESTROY, or at WM_NCDESTROY
    // when creation failed after the record was stored). Optional.
    void (*destroying)(HWND window, void* record);
    // Paints the control from its record. Optional.
    void (*paint)(HWND window, HDC dc, void* record);

    // The record's switches and value; a null accessor (or a null result)
    // leaves that behaviour out. A focus flag that must not follow the focus
    // (for example a control without a focus mark) answers null.
    int32_t* (*focusFlag)(void* record);
    int32_t* (*enabledFlag)(void* record);
    const float* (*value)(void* record);
    // Command 4: stores (or rejects) the value and repaints a visible change;
    // never notifies.
    void (*setValue)(HWND window, void* record, float value);
    // The window that receives forwarded Tab and Escape keys.
    HWND (*owner)(void* record);

    ControlCommandRule commandRule;
};

// Handles message when it is one of the shared behaviours and returns 1 with
// the message result in *result; returns 0 for messages the control handles
// itself or passes to DefWindowProcA. Messages that arrive without a record
// (other than WM_CREATE) are never handled.
int32_t value_control_message(const ValueControlClass* cls, HWND window, UINT message,
                              WPARAM wParam, LPARAM lParam, LRESULT* result);

// A control's own handling of a message: answers 1 when it handled the
// message (the result in *result), 0 to pass it on to the shared behaviours
// and then DefWindowProcA.
typedef int32_t (*ControlMessageHandler)(HWND window, void* record, UINT message, WPARAM wParam,
                                         LPARAM lParam, LRESULT* result);

// The window procedure of a value control: own (with the record held),
// then value_control_message, then DefWindowProcA. A message whose handler
// destroyed the control goes no further.
LRESULT run_value_control(const ValueControlClass* cls, ControlMessageHandler own, HWND window,
                          UINT message, WPARAM wParam, LPARAM lParam);

// Reports value to the owner through target, a field of record. The owner
// may destroy the control from its callback: answers 0 then, and the caller
// returns without touching the record or the window again (no second
// notification); 1 while the control lives on.
int32_t notify_from_control(void* record, const NotifyTarget* target, int32_t code, uint32_t value);

// The control command in wParam under the class's rule, or 0 when the
// message is not one of the commands 1 to 4.
uint32_t control_command_of(const ValueControlClass* cls, WPARAM wParam);

// Paints the control at once into a window device context.
void repaint_control(const ValueControlClass* cls, HWND window);

// Tracks the control's popup menu *menu at the client point (x, y); the choice
// arrives later as WM_COMMAND to window. The caller holds record. The menu is
// out of the record while it is tracked, so that a window destroyed meanwhile
// does not destroy it under the menu loop: it goes back into *menu, or is
// destroyed here when the window is gone.
void track_control_menu(HWND window, const void* record, HMENU* menu, int32_t x, int32_t y);

// Keeps the record of window alive across a modal call. Returns the record,
// or null when the window has none. Holds nest.
void* hold_control_record(HWND window);
// Ends a hold. Returns 1 while the record still belongs to a live window; 0
// when the window was destroyed during the hold: the record is then freed by
// the last release and must not be touched again. A null record gives 0.
int32_t release_control_record(void* record);
