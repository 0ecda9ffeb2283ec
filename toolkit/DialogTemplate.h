#pragma once
// The toolkit's popup editors need no resources: each runs from an empty
// in-memory dialog template and creates all its content itself.
#include <windows.h>

#include <cstdint>

constexpr SIZE_T kDialogTemplateBytes = 1024;

// Dialog styles of the toolkit's popups.
constexpr uint32_t kPopupEditorStyle = 0x92800180;  // value edit dialog, adjust window
constexpr uint32_t kTimeDialogStyle = 0x92800080;   // time entry dialog

// A zero-initialised 1,024-byte global memory block holding a DLGTEMPLATE
// of the given style: no items, position and size 0, no menu, the default
// dialog class, an empty title. Null when the allocation fails. The caller
// frees it with GlobalFree.
HGLOBAL build_dialog_template(uint32_t style);
