#pragma once
// What the 3D list's files share among themselves.
#include "toolkit/ValueControl.h"
#include "toolkit/list3d/List3D.h"

extern const ValueControlClass kList3DClass;

// Calls the owner's callback about the cell as it stands; the answer goes
// to *answer when asked for. False when the call destroyed the list: the
// record is gone then.
bool list3d_call(HWND window, List3DRecord* r, int32_t code, int32_t* answer);
// Tells the owner code about the selected row of the front panel (codes 0
// and 2 to 6, forwarded commands); nothing while notifications are off.
bool list3d_tell(HWND window, List3DRecord* r, int32_t code, int32_t* answer);

// Draws every cell into the image and has the window repaint it; nothing
// while notifications are off. False when the owner destroyed the list.
bool list3d_redraw(HWND window, List3DRecord* r);

// Image and background, made at creation; 0 when they could not be made.
int32_t list3d_make_images(HWND window, List3DRecord* r);
void list3d_free_images(List3DRecord* r);

void list3d_paint(HWND window, HDC dc, void* record);
