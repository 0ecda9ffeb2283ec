#pragma once
// The time entry dialog's record and the pieces its source files share:
// fields (TimeDialogFields.cpp), painting (TimeDialogPaint.cpp), note
// picking and moving (TimeDialogMouse.cpp), the procedure
// (TimeEntryDialog.cpp).
#include <windows.h>

#include <cstdint>

#include "toolkit/TimeContext.h"
#include "toolkit/knob/WindowMover.h"
#include "toolkit/timedialog/TimeArithmetic.h"

// Client layout: the musical-time group (note picture, tempo, note list)
// and the musical-position group have their own origins.
constexpr POINT kMusicOrigin = {180, 25};
constexpr POINT kPositionOrigin = {360, 25};
constexpr int32_t kDialogClientWidth = 544;
constexpr int32_t kDialogClientHeight = 220;
// The note picture: 5 x 3 cells of 32 x 32 pixels.
constexpr int32_t kNoteCell = 32;
constexpr int32_t kNoteColumns = 5;
constexpr int kNotePictureBitmap = 6;   // stock bitmap of the note cells
constexpr int kTimePaperBitmap = 12;    // stock bitmap tiled as background

// The window of every field, in the record's order.
struct TimeDialogWindows {
    HWND seconds, milliseconds, hertz, bpm, tempo, replaceButton, ok, cancel, apply;
    HWND metres, samples, ticks, numeratorList, denominatorList, position, frames, frameRate;
};

struct TimeDialogState {
    int32_t updating;  // 1 while the dialog writes its own fields
    int32_t x, y, width, height;
    uint32_t style;  // field colours (bits 0-7) and font (bits 8-11)
    TimeContext* context;
    TimeContext savedContext;  // restored by Cancel
    uint16_t fontIndex;
    TimeDialogWindows windows;
    float result;  // the cancel marker until OK
    TimeValues values;
    int32_t pressedCell;  // note cell held with the mouse, -1 when none
    POINT musicOrigin;
    POINT positionOrigin;
    WindowMover mover;
    HGLOBAL templ;
};

TimeDialogState* time_dialog_state(HWND dialog);

// Creates all fields in their order and fills them (fields 14, 60, 71 and
// the lists get their only writing here).
void create_time_fields(HWND dialog, TimeDialogState* s);
// The replace button (showing the context's mode), OK, Cancel and Apply.
void create_time_buttons(HWND dialog, TimeDialogState* s);
// The window of a field id; null for ids that are not fields.
HWND time_field_window(const TimeDialogState* s, uint16_t id);
// Rewrites the duration fields of the set from the record.
void rewrite_time_fields(const TimeDialogState* s, uint32_t fields);
// The user changed field id: converts, updates the context and rewrites.
void convert_time_field(TimeDialogState* s, uint16_t id);
// Gives the context's focus field the focus, its text selected.
void focus_time_field(const TimeDialogState* s);

void paint_time_dialog(HWND dialog, HDC dc, const TimeDialogState* s);
void draw_note_list(HDC dc, const TimeDialogState* s);
// Inverts note cell `cell` of the picture on screen.
void invert_note_cell(HDC dc, const TimeDialogState* s, int32_t cell);
// Field colours for WM_CTLCOLOREDIT and WM_CTLCOLORLISTBOX: the brush.
HBRUSH colour_time_field(HDC dc, const TimeDialogState* s);

void time_dialog_button_down(HWND dialog, TimeDialogState* s, int32_t x, int32_t y);
void time_dialog_mouse_move(TimeDialogState* s, int32_t x, int32_t y);
void time_dialog_button_up(HWND dialog, TimeDialogState* s, int32_t x, int32_t y);
// The dialog is going or the mouse is pressed again: a held cell is let go.
void time_dialog_release_cell(HWND dialog, TimeDialogState* s);
// Another window took the capture: a held cell is let go and a move ends
// where it started.
void time_dialog_capture_lost(HWND dialog, TimeDialogState* s);
