#pragma once
// The time entry dialog: one duration in seconds shown and edited as
// seconds, milliseconds, hertz, bpm, metres, samples, a sum of note values,
// a musical position and video frames.
#include <windows.h>

#include <cstdint>

// What the dialog returns when it was not confirmed (bits 0xF99A130C).
constexpr float kTimeCancelMarker = -1.0e35f;

// Runs the dialog modally at (x, y) in screen coordinates; style gives the
// fields' colours (bits 0-7) and font (bits 8-11). Returns the duration in
// seconds after OK, else kTimeCancelMarker.
float open_time_entry_dialog(HWND owner, uint32_t style, int32_t x, int32_t y, float seconds);
