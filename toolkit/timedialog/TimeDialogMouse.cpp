// The mouse in the time entry dialog: a click on the note picture picks a
// note (on release over the same cell), a drag on the background moves the
// dialog.
#include "toolkit/timedialog/TimeDialogState.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

bool inPicture(const TimeDialogState* s, int32_t x, int32_t y) {
    const POINT M = s->musicOrigin;
    return x > M.x && x < M.x + kNoteColumns * kNoteCell && y > M.y && y < M.y + 3 * kNoteCell;
}

bool inNoteList(const TimeDialogState* s, int32_t x, int32_t y) {
    const POINT M = s->musicOrigin;
    return x > M.x - 1 && x < M.x + 161 && y > M.y + 135 && y < M.y + 169;
}

int32_t cellAt(const TimeDialogState* s, int32_t x, int32_t y) {
    const POINT M = s->musicOrigin;
    return ((y - M.y - 1) / kNoteCell) * kNoteColumns + (x - M.x - 1) / kNoteCell;
}

void invertOnScreen(HWND dialog, const TimeDialogState* s, int32_t cell) {
    HDC dc = GetDC(dialog);
    invert_note_cell(dc, s, cell);
    ReleaseDC(dialog, dc);
}

void pickNote(HWND dialog, TimeDialogState* s, int32_t cell) {
    add_note(*s->context, cell);
    HDC dc = GetDC(dialog);
    draw_note_list(dc, s);
    ReleaseDC(dialog, dc);
    s->updating = 1;
    rewrite_time_fields(s, apply_note_duration(s->values, *s->context, SampleRounding::TowardZero));
    s->updating = 0;
}

}  // namespace

void time_dialog_button_down(HWND dialog, TimeDialogState* s, int32_t x, int32_t y) {
    time_dialog_release_cell(dialog, s);
    if (inPicture(s, x, y)) {
        s->pressedCell = cellAt(s, x, y);
        invertOnScreen(dialog, s, s->pressedCell);
        SetCapture(dialog);
    } else if (!inNoteList(s, x, y)) {
        mover_begin(&s->mover, x, y);
    }
}

void time_dialog_mouse_move(TimeDialogState* s, int32_t x, int32_t y) { mover_track(&s->mover, x, y); }

void time_dialog_button_up(HWND dialog, TimeDialogState* s, int32_t x, int32_t y) {
    if (s->pressedCell >= 0) {
        if (inPicture(s, x, y) && cellAt(s, x, y) == s->pressedCell) pickNote(dialog, s, s->pressedCell);
        time_dialog_release_cell(dialog, s);
    }
    mover_end(&s->mover, x, y);
}

void time_dialog_release_cell(HWND dialog, TimeDialogState* s) {
    if (s->pressedCell < 0) return;
    const int32_t cell = s->pressedCell;
    // Cleared first: releasing the capture reports back at once.
    s->pressedCell = -1;
    invertOnScreen(dialog, s, cell);
    if (GetCapture() == dialog) ReleaseCapture();
}

void time_dialog_capture_lost(HWND dialog, TimeDialogState* s) {
    time_dialog_release_cell(dialog, s);
    mover_cancel(&s->mover);
}
