#include "toolkit/WindowClasses.h"

#include "toolkit/ControlData.h"
#include "toolkit/ToolkitModule.h"

namespace {

struct ClassEntry {
    const char* name;
    UINT style;
};

constexpr UINT kRedraw = CS_VREDRAW | CS_HREDRAW;

const ClassEntry kClasses[kToolkitClassCount] = {
    {kRotatifClassName, kRedraw | CS_DBLCLKS},
    {kI2pClassName, kRedraw},
    {kFreeClassName, kRedraw | CS_DBLCLKS},
    {kSlideClassName, kRedraw | CS_DBLCLKS},
    {k3DListClassName, kRedraw},
    {kVgridClassName, kRedraw},
    {k2DListClassName, kRedraw},
};

}  // namespace

const char* toolkit_class_name(int toolkitClass) {
    if (toolkitClass < 0 || toolkitClass >= kToolkitClassCount) return nullptr;
    return kClasses[toolkitClass].name;
}

uint16_t register_toolkit_classes(HINSTANCE instance, bool registered[kToolkitClassCount]) {
    for (int i = 0; i < kToolkitClassCount; ++i) {
        // A class that outlived the last termination (a window of it was
        // still alive then) is still registered: keep using it.
        if (registered[i]) continue;
        WNDCLASSA wc = {};
        wc.style = kClasses[i].style;
        wc.lpfnWndProc = toolkit_class_procedures[i];
        wc.cbClsExtra = 0;
        wc.cbWndExtra = kControlDataBytes;  // the window's data record pointer
        wc.hInstance = instance;
        wc.hIcon = nullptr;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = nullptr;
        wc.lpszMenuName = nullptr;
        wc.lpszClassName = kClasses[i].name;
        if (RegisterClassA(&wc) == 0) return static_cast<uint16_t>(kErrorRegisterRotatif + i);
        registered[i] = true;
    }
    return kErrorNone;
}

void unregister_toolkit_classes(HINSTANCE instance, bool registered[kToolkitClassCount]) {
    for (int i = 0; i < kToolkitClassCount; ++i) {
        if (!registered[i]) continue;
        // Unregistering fails while a window of the class exists (a dialog
        // ended but not yet destroyed); the class then stays known, so that
        // the next start-up neither fails nor registers it twice.
        if (UnregisterClassA(kClasses[i].name, instance)) registered[i] = false;
    }
}
