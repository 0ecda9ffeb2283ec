#pragma once
// The directory of the plug-in's module file, recorded once per process so
// that files lying beside the module can be opened.
#include <windows.h>

#include <cstdint>

constexpr int kModuleDirectorySize = 1024;

// Records the directory of the module file of instance (initially "C:\").
void store_module_directory(HINSTANCE instance);
// Copies the recorded directory with its terminating zero into destination,
// which must hold kModuleDirectorySize bytes; returns the bytes copied.
int32_t copy_module_directory(char* destination);
