// The 3D list's drawing: the owner draws every cell into the off-screen
// image, the panels in front first, each clipped so that panels further
// back never paint over them; WM_PAINT copies the image to the window.
#include "toolkit/ControlData.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/list3d/List3DParts.h"

namespace {

// A nested redraw (asked for by the owner while it draws) runs again after
// the one in progress, a few times at most.
constexpr int kRedrawPasses = 3;

void setCell(List3DRecord* r, int32_t row, int32_t panel, int32_t depth, const PanelBox& box) {
    List3DCell& c = r->cell;
    c.row = row;
    c.panel = panel;
    c.depth = depth;
    c.left = box.left;
    c.top = box.top;
    c.right = box.right;
    c.bottom = box.bottom;
    c.selectedRow = r->list.selectedRow;
}

// Rows below the image are never seen.
bool shown(const List3DRecord* r, const PanelBox& box) { return box.top < r->height; }

bool drawCell(HWND window, List3DRecord* r, int32_t row, int32_t panel, int32_t depth,
              const PanelBox& box) {
    setCell(r, row, panel, depth, box);
    return list3d_call(window, r, kList3DDrawCell, nullptr);
}

bool drawRowColumn(HWND window, List3DRecord* r) {
    for (int32_t i = 0; i < r->list.visibleRows; ++i) {
        const PanelBox box = panels_row_column_box(&r->list, i);
        if (!shown(r, box)) break;
        if (!drawCell(window, r, r->list.firstRow + i, 0, 0, box)) return false;
    }
    return true;
}

bool drawPanel(HWND window, List3DRecord* r, int32_t n) {
    const int32_t panel = r->list.stack[n].panel;
    if (!drawCell(window, r, 0, panel, n + 1, panels_header_box(&r->list, n))) return false;
    for (int32_t i = 0; i < r->list.visibleRows; ++i) {
        const PanelBox box = panels_row_box(&r->list, n, i);
        if (!shown(r, box)) break;
        if (!drawCell(window, r, r->list.firstRow + i, panel, n + 1, box)) return false;
    }
    return true;
}

// Takes a drawn panel out of what the panels behind it may paint.
void clipAway(HDC dc, HRGN clip, const PanelBox& panel) {
    HRGN covered = CreateRectRgn(panel.left, panel.top, panel.right, panel.bottom);
    CombineRgn(clip, clip, covered, RGN_DIFF);
    DeleteObject(covered);
    SelectClipRgn(dc, clip);
}

bool drawCells(HWND window, List3DRecord* r) {
    HDC dc = r->cell.dc;
    SelectClipRgn(dc, nullptr);
    blit_bitmap(dc, r->background, 0, 0, r->width, r->height);
    if (!drawRowColumn(window, r)) return false;

    HRGN clip = CreateRectRgn(0, 0, r->width, r->height);
    bool alive = true;
    for (int32_t n = r->list.panelCount - 1; n >= 0 && alive; --n) {
        alive = drawPanel(window, r, n);
        if (alive) clipAway(dc, clip, panels_panel_box(&r->list, n));
    }
    DeleteObject(clip);
    return alive;
}

}  // namespace

bool list3d_call(HWND window, List3DRecord* r, int32_t code, int32_t* answer) {
    return call_list_owner(window, r->callback, r->user, code, &r->cell, answer);
}

bool list3d_tell(HWND window, List3DRecord* r, int32_t code, int32_t* answer) {
    if (!toolkit().notificationsEnabled) return true;
    r->cell.row = r->list.selectedRow;
    r->cell.panel = panels_front(&r->list);
    r->cell.depth = r->list.panelCount;
    r->cell.selectedRow = r->list.selectedRow;
    return list3d_call(window, r, code, answer);
}

bool list3d_redraw(HWND window, List3DRecord* r) {
    if (!toolkit().notificationsEnabled) return true;
    if (r->redrawing) {
        r->redrawAgain = 1;
        return true;
    }
    r->redrawing = 1;
    for (int pass = 0; pass < kRedrawPasses; ++pass) {
        r->redrawAgain = 0;
        if (!drawCells(window, r)) return false;
        if (!r->redrawAgain) break;
    }
    r->redrawing = 0;
    InvalidateRect(window, nullptr, FALSE);
    return list3d_tell(window, r, kList3DDrawn, nullptr);
}

int32_t list3d_make_images(HWND window, List3DRecord* r) {
    HDC windowDc = GetDC(window);
    r->image = CreateCompatibleBitmap(windowDc, r->width, r->height);
    r->background = CreateCompatibleBitmap(windowDc, r->width, r->height);
    r->cell.dc = CreateCompatibleDC(windowDc);
    const bool made = r->image != nullptr && r->background != nullptr && r->cell.dc != nullptr;
    if (made) {
        SelectObject(r->cell.dc, r->image);
        // The background: a block of the given bitmap, or what the window
        // shows now (its parent's pixels under it).
        HDC backgroundDc = CreateCompatibleDC(windowDc);
        HGDIOBJ old = SelectObject(backgroundDc, r->background);
        if (r->backgroundSource != nullptr)
            blit_bitmap_part(backgroundDc, r->backgroundSource, 0, 0, r->sourceX, r->sourceY,
                             r->width, r->height);
        else
            BitBlt(backgroundDc, 0, 0, r->width, r->height, windowDc, 0, 0, SRCCOPY);
        SelectObject(backgroundDc, old);
        DeleteDC(backgroundDc);
    }
    ReleaseDC(window, windowDc);
    if (!made) list3d_free_images(r);
    return made ? 1 : 0;
}

void list3d_free_images(List3DRecord* r) {
    // The image leaves its context with the context.
    if (r->cell.dc != nullptr) DeleteDC(r->cell.dc);
    if (r->image != nullptr) DeleteObject(r->image);
    if (r->background != nullptr) DeleteObject(r->background);
    r->cell.dc = nullptr;
    r->image = nullptr;
    r->background = nullptr;
}

void list3d_paint(HWND, HDC dc, void* record) {
    const List3DRecord* r = static_cast<const List3DRecord*>(record);
    BitBlt(dc, 0, 0, r->width, r->height, r->cell.dc, 0, 0, SRCCOPY);
    if (r->focused) draw_focus_corner(dc, 0, 0);
    // Painting wiped the part of a dragged outline it covered.
    bounded_drag_repaint(&r->drag, dc);
}
