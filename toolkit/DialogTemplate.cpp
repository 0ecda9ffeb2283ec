#include "toolkit/DialogTemplate.h"

HGLOBAL build_dialog_template(uint32_t style) {
    HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, kDialogTemplateBytes);
    if (block == nullptr) return nullptr;
    DLGTEMPLATE* dialog = static_cast<DLGTEMPLATE*>(GlobalLock(block));
    if (dialog == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    // The zeroed bytes after the header are the empty menu, class and title.
    dialog->style = style;
    GlobalUnlock(block);
    return block;
}
