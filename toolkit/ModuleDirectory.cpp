#include "toolkit/ModuleDirectory.h"

#include <cstring>

#include "toolkit/ModulePath.h"

namespace {
char g_moduleDirectory[kModuleDirectorySize] = "C:\\";
}

void store_module_directory(HINSTANCE instance) {
    // A failed query keeps what was recorded before.
    char path[kModuleDirectorySize];
    const DWORD length = GetModuleFileNameA(instance, path, kModuleDirectorySize - 1);
    if (length == 0) return;
    path[length < kModuleDirectorySize ? length : kModuleDirectorySize - 1] = '\0';
    cut_to_module_directory(path);
    std::memcpy(g_moduleDirectory, path, std::strlen(path) + 1);
}

int32_t copy_module_directory(char* destination) {
    if (destination == nullptr) return 0;
    const std::size_t bytes = std::strlen(g_moduleDirectory) + 1;
    std::memcpy(destination, g_moduleDirectory, bytes);
    return static_cast<int32_t>(bytes);
}
