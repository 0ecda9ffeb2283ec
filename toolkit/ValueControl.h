#pragma once
// The window-procedure behaviour that every value control (button, slider,
// knob) shares: its data record's life, focus, painting entry, closing,
// mouse activation, Tab and Escape forwarding, and control commands 1 to 4.
//
// A control describes itself once with a ValueControlClass and calls
// value_control_message from its window procedure for each message it does
// not handle itself:
//
//   LRESULT CALLBACK knob_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
//       ... the knob's own messages ...
//       LRESULT result;
//       if (value_control_message(&kKnobClass, w, m, wp, lp, &result)) return result;
//       return DefWindowProcA(w, m, wp, lp);
//   }
#include <windows.h>

#include <cstdint>

struct ValueControlClass {
    // Size of the data record, which is also the creation template's size.
    uint32_t recordSize;

    // Called after the template has been copied into the new record; a
    // non-zero result makes the window creation fail. Optional.
    int32_t (*created)(HWND window, void* record);
    // Called before the record is freed. Optional.
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
};

// Handles message when it is one of the shared behaviours and returns 1 with
// the message result in *result; returns 0 for messages the control handles
// itself or passes to DefWindowProcA. Messages that arrive without a record
// (other than WM_CREATE) are never handled.
int32_t value_control_message(const ValueControlClass* cls, HWND window, UINT message,
                              WPARAM wParam, LPARAM lParam, LRESULT* result);

// Paints the control at once into a window device context.
void repaint_control(const ValueControlClass* cls, HWND window);
