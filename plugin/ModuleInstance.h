#pragma once
// The module's instance handle, stored when the system attaches the module to
// a process. The editor window class, the editor bitmaps and the toolkit use
// it.
#include <windows.h>

// The handle stored at attach. Before any attach (a program that links the
// plug-in code directly rather than loading it as a module) it is the handle
// of the module that contains this code.
HINSTANCE moduleInstance();

// The module's attach handler calls this; tests may too.
void setModuleInstance(HINSTANCE instance);

// The attach handler itself: stores the instance on DLL_PROCESS_ATTACH and
// answers success to every notification.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
