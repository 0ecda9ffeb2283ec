#pragma once
// The editor's four bitmaps, shared by every editor of the process. Loaded by
// the first limiter instance and freed by the last one.
#include <windows.h>

#include <cstdint>

struct EditorBitmaps {
    HBITMAP background;  // 549 x 93 panel
    HBITMAP knobFace;    // 32 x 32
    HBITMAP muteOn;      // 19 x 15, lit
    HBITMAP muteOff;     // 19 x 15, unlit
};

extern EditorBitmaps g_editorBitmaps;

int32_t loadEditorBitmaps(HINSTANCE instance);
int32_t freeEditorBitmaps();
// Copies the panel, at its own size, to (0, 0).
void drawBackground(HDC deviceContext);
