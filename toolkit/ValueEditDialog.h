#pragma once
// The value edit dialog: a small modal edit field that pops up over a
// control. Enter confirms; Escape, a click elsewhere, WM_CLOSE or a second
// dialog cancel.
#include <windows.h>

#include <cstdint>

constexpr int32_t kValueTextBytes = 1024;
// Colours and font the toolkit's controls ask for: black on light grey,
// Arial 16 bold; and the field's size.
constexpr uint32_t kValueEditStyle = 0x7E0;
constexpr int32_t kValueEditWidth = 100;
constexpr int32_t kValueEditHeight = 20;

// Runs the dialog at (x, y) in screen coordinates with the field width x
// height and initialText selected. Returns a new 1,024-byte text the caller
// frees with std::free: what the user confirmed, or an empty text when the
// dialog was cancelled; null only when that allocation fails.
char* edit_value_text(HWND parent, uint32_t style, int32_t x, int32_t y, int32_t width,
                      int32_t height, const char* initialText);

// What a control does with the dialog: shows `current` (as 20*log10 of it
// when decibels is 1) with the low byte of `digits` as its decimals at the
// screen point (x, y), and on a non-empty answer stores the value typed
// into *answer (converted back from decibels) and returns 1. A confirmed text equal to the one shown
// gives current exactly, so confirming without typing changes nothing.
// Returns 0 when the user cancelled or confirmed an empty field.
int32_t edit_control_value(HWND parent, int32_t x, int32_t y, float current, int32_t digits,
                           int32_t decibels, float* answer);
// The same with a field `width` pixels wide.
int32_t edit_control_value_in(HWND parent, int32_t x, int32_t y, int32_t width, float current,
                              int32_t digits, int32_t decibels, float* answer);
