// The module's one export. The linker's .def file publishes pluginMain under
// the plain name "main", which a C++ compiler will not let a DLL define with
// this signature.
#include <new>

#include "limiter/LimiterPlugin.h"

extern "C" AEffect* QC_CDECL pluginMain(audioMasterCallback hostCallback) {
    if (!hostCallback) return nullptr;
    if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    LimiterPlugin* effect = new (std::nothrow) LimiterPluginWithEditor(hostCallback);
    if (!effect) return nullptr;
    if (g_outOfMemory != 0) {
        g_outOfMemory = 0;  // the next instance gets its own chance
        delete effect;
        return nullptr;
    }
    return effect->getAEffect();
}
