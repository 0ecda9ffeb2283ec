#include "toolkit/ModulePath.h"

#include <cstring>

void cut_to_module_directory(char* path) {
    if (path == nullptr) return;
    const std::size_t length = std::strlen(path);

    // Drive ("X:"), then the directory up to and including the last separator.
    std::size_t directoryStart = (length >= 2 && path[1] == ':') ? 2 : 0;
    std::size_t nameStart = directoryStart;
    for (std::size_t i = directoryStart; i < length; ++i)
        if (path[i] == '\\' || path[i] == '/') nameStart = i + 1;

    // The extension begins at the last point of the file name.
    const char* dot = nullptr;
    for (std::size_t i = nameStart; i < length; ++i)
        if (path[i] == '.') dot = path + i;
    if (dot == nullptr) return;

    path[nameStart] = '\0';
    const bool rootOnly = nameStart == directoryStart + 1;
    if (nameStart > directoryStart && path[nameStart - 1] == '\\' && !rootOnly)
        path[nameStart - 1] = '\0';
}
