#include "toolkit/ToolkitModule.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "toolkit/CircleMask.h"
#include "toolkit/DrawingObjects.h"
#include "toolkit/Preferences.h"
#include "toolkit/WindowClasses.h"

namespace {

ToolkitModule initialState() {
    ToolkitModule m = {};
    m.lastError = kErrorNotInitialised;
    m.Dial_tCtx = kDefaultTimeContext;
    return m;
}

const char* const kMessages[] = {
    "[RA2ZAZ] No error",
    "[RA2ZAZ] Module not initialized !",
    "[RA2ZAZ] Failed to register rotatif class",
    "[RA2ZAZ] Failed to register I2P class",
    "[RA2ZAZ] Failed to register FREE class",
    "[RA2ZAZ] Failed to register slide class",
    "[RA2ZAZ] Failed to register 3Dlist class",
    "[RA2ZAZ] Failed to register Vgrid class",
    "[RA2ZAZ] Failed to register 2Dgrid class",
};

void closeDialog(HWND& dialog) {
    if (dialog != nullptr) SendMessageA(dialog, WM_CLOSE, 0, 0);
    dialog = nullptr;
}

}  // namespace

ToolkitModule& toolkit() {
    static ToolkitModule module = initialState();
    return module;
}

uint16_t toolkit_last_error() { return toolkit().lastError; }

const char* toolkit_error_message(uint16_t code) {
    return code < sizeof kMessages / sizeof kMessages[0] ? kMessages[code] : nullptr;
}

int32_t init_toolkit(HINSTANCE instance, const char* applicationName) {
    ToolkitModule& m = toolkit();
    if (++m.referenceCount > 1) return m.ready;

    m.ready = 0;
    m.instance = instance;
    m.lastError = kErrorNone;
    m.notificationsEnabled = 1;
    reset_preferences(m);
    m.valueEditDialog = m.timeEntryDialog = m.adjustWindow = nullptr;

    std::snprintf(m.applicationName, sizeof m.applicationName, "%s",
                  applicationName != nullptr ? applicationName : "");
    std::snprintf(m.keyPath, sizeof m.keyPath, "Somar_Works\\RA2ZAZ\\%s", m.applicationName);
    load_preferences(m);

    clear_circle_masks();
    load_stock_bitmaps(m);
    create_drawing_objects(m);

    const uint16_t failure = register_toolkit_classes(instance, m.classRegistered);
    if (failure != kErrorNone) {
        m.lastError = failure;
        return 0;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    m.ready = InitCommonControlsEx(&controls) ? 1 : 0;
    return m.ready;
}

int32_t terminate_toolkit() {
    ToolkitModule& m = toolkit();
    if (m.referenceCount <= 0) return 0;
    if (--m.referenceCount != 0) return m.referenceCount;

    m.ready = 0;
    m.notificationsEnabled = 0;
    closeDialog(m.valueEditDialog);
    closeDialog(m.timeEntryDialog);
    closeDialog(m.adjustWindow);

    delete_drawing_objects(m);
    unregister_toolkit_classes(m.instance, m.classRegistered);
    clear_circle_masks();
    save_preferences(m);
    return 0;
}
