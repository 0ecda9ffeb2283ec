#include "editor/EditorBitmaps.h"

#include <initializer_list>

#include "resources/resource_ids.h"
#include "toolkit/Drawing.h"

EditorBitmaps g_editorBitmaps = {};

namespace {
HBITMAP loadBitmap(HINSTANCE instance, int id) {
    return LoadBitmapA(instance, MAKEINTRESOURCEA(id));
}
}  // namespace

int32_t loadEditorBitmaps(HINSTANCE instance) {
    g_editorBitmaps.background = loadBitmap(instance, QC_BMP_PANEL);
    g_editorBitmaps.knobFace = loadBitmap(instance, QC_BMP_KNOB_FACE);
    g_editorBitmaps.muteOn = loadBitmap(instance, QC_BMP_MUTE_ON);
    g_editorBitmaps.muteOff = loadBitmap(instance, QC_BMP_MUTE_OFF);
    return 1;
}

int32_t freeEditorBitmaps() {
    // Cleared as well as deleted: a later first instance loads them anew.
    for (HBITMAP* bitmap : {&g_editorBitmaps.background, &g_editorBitmaps.knobFace,
                            &g_editorBitmaps.muteOn, &g_editorBitmaps.muteOff}) {
        if (*bitmap) DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
    return 1;
}

void drawBackground(HDC deviceContext) {
    blit_whole_bitmap(deviceContext, 0, 0, g_editorBitmaps.background);
}
