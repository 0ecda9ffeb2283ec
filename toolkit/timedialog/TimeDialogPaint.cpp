// What the time entry dialog paints itself: titles, unit labels, lines, the
// note picture and the list of picked notes.
#include <cstdio>

#include "toolkit/ControlTypes.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/timedialog/TimeDialogState.h"

namespace {

constexpr uint32_t kTitle = 0x80000900;  // font 9 with a white shadow
constexpr uint32_t kLabel = 0x80000400;  // font 4 with a white shadow
constexpr uint32_t kRule = 0x80000000;   // black line with a white shadow
constexpr uint32_t kTiePen = 13;
constexpr int32_t kNoteBlock = 30;  // a cell without its one-pixel border

HBITMAP notePicture() { return toolkit().stockBitmaps[kNotePictureBitmap]; }

// The picked notes shown white on black: each cell's inside copied inverted.
void drawNoteBlocks(HDC dc, const TimeDialogState* s) {
    if (notePicture() == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, notePicture());
    const POINT M = s->musicOrigin;
    for (int k = 0; k < note_list_length(*s->context); ++k) {
        const int16_t note = s->context->notes[k];
        BitBlt(dc, M.x + 1 + kNoteBlock * k, M.y + 137, kNoteBlock, kNoteBlock, source,
               (note % kNoteColumns) * kNoteCell + 1, (note / kNoteColumns) * kNoteCell + 1,
               NOTSRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace

void draw_note_list(HDC dc, const TimeDialogState* s) {
    const POINT M = s->musicOrigin;
    fill_box(dc, kRule, M.x - 1, M.y + 135, M.x + 161, M.y + 169);
    drawNoteBlocks(dc, s);
    // A tie joins each note to the one before it.
    for (int k = 1; k < note_list_length(*s->context); ++k) {
        const int32_t t = M.x - 13 + kNoteBlock * k;
        const int32_t y = M.y + 154;
        draw_line(dc, kTiePen, t, y, t + 11, y);
        draw_line(dc, kTiePen, t, y, t - 3, y + 3);
        draw_line(dc, kTiePen, t + 11, y, t + 14, y + 3);
    }
}

void invert_note_cell(HDC dc, const TimeDialogState* s, int32_t cell) {
    const POINT M = s->musicOrigin;
    PatBlt(dc, M.x + (cell % kNoteColumns) * kNoteCell, M.y + (cell / kNoteColumns) * kNoteCell,
           kNoteCell, kNoteCell, DSTINVERT);
}

void paint_time_dialog(HWND, HDC dc, const TimeDialogState* s) {
    const POINT M = s->musicOrigin;
    const POINT P = s->positionOrigin;
    SetBkMode(dc, TRANSPARENT);

    draw_text(dc, kTitle, 5, 2, "Enter Time");
    const char* const units[] = {"(s)", "(ms)", "(Hz)", "(bpm)", "(m)", "(smp)"};
    for (int i = 0; i < 6; ++i) draw_text(dc, kLabel, 135, 30 + 20 * i, units[i]);
    char rate[48];
    std::snprintf(rate, sizeof rate, "Freq. Sample : %iHz", static_cast<int>(s->context->sampleRate));
    draw_text(dc, kLabel, 8, 149, rate);
    draw_line(dc, kRule, 170, 2, 170, 212);
    draw_line(dc, kRule, 352, 2, 352, 212);

    draw_text(dc, kTitle, M.x, M.y - 23, "Enter Musical Time");
    blit_bitmap(dc, notePicture(), M.x, 25, kNoteColumns * kNoteCell, 3 * kNoteCell);
    // A repaint while a cell is held keeps it shown as held.
    if (s->pressedCell >= 0) invert_note_cell(dc, s, s->pressedCell);
    draw_text(dc, kLabel, M.x + 67, M.y + 102, "Tempo");
    draw_line(dc, kRule, M.x + 147, M.y + 119, M.x + 147, M.y + 127);
    draw_line(dc, kRule, M.x + 135, M.y + 127, M.x + 147, M.y + 127);
    draw_text(dc, kLabel, M.x + 65, M.y + 119, "Replace mode");
    draw_text(dc, kLabel, M.x - 1, M.y + 171, "Musical duration.");
    draw_note_list(dc, s);

    draw_text(dc, kTitle, P.x, P.y - 23, "Enter Musical Position");
    draw_text(dc, kLabel, P.x + 2, P.y + 19, "tic");
    draw_text(dc, kLabel, P.x + 61, P.y + 19, "Time Signature");
    draw_line(dc, kRule, P.x, P.y + 100, P.x + 163, P.y + 100);
    draw_text(dc, kTitle, P.x, P.y + 105, "Enter Video Frame");
    draw_text(dc, kLabel, P.x, P.y + 162, "Frame per second");
}

HBRUSH colour_time_field(HDC dc, const TimeDialogState* s) {
    SetBkColor(dc, toolkit().palette[style_brush(s->style)]);
    SetTextColor(dc, toolkit().palette[style_pen(s->style)]);
    return toolkit().brushes[style_brush(s->style)];
}
