#include "platform/ProgramFolder.h"

#include <windows.h>

std::string besideProgram(const char* file) {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    const size_t slash = dir.find_last_of("\\/");
    return (slash == std::string::npos ? std::string(".") : dir.substr(0, slash)) + "\\" + file;
}
