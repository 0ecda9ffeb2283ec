// The module attach handler, kept in the same object as moduleInstance():
// whoever asks for the handle links the handler into the module with it.
#include "plugin/ModuleInstance.h"

namespace {
HINSTANCE storedInstance = nullptr;
}

HINSTANCE moduleInstance() {
    if (!storedInstance) {
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&moduleInstance), &self);
        return self;
    }
    return storedInstance;
}

void setModuleInstance(HINSTANCE instance) { storedInstance = instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) setModuleInstance(instance);
    return TRUE;
}
