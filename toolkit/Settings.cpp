#include "toolkit/Settings.h"

#include <windows.h>

#include <cstdlib>

#include "toolkit/ByteBlock.h"

int32_t read_setting(const char* keyPath, const char* name, void* buffer, uint32_t size) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS) return 0;
    DWORD type = REG_NONE;
    DWORD available = size;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, static_cast<BYTE*>(buffer), &available);
    RegCloseKey(key);
    return (status == ERROR_SUCCESS && type == REG_BINARY) ? 1 : 0;
}

int32_t write_setting(const char* keyPath, const char* name, const void* data, uint32_t size) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS &&
        RegCreateKeyA(HKEY_CURRENT_USER, keyPath, &key) != ERROR_SUCCESS)
        return 0;
    const LONG status =
        RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 1 : 0;
}

int32_t read_setting_into(const char* keyPath, const char* name, void* member, uint32_t size) {
    unsigned char local[64];
    unsigned char* scratch = size <= sizeof local ? local : static_cast<unsigned char*>(std::malloc(size));
    if (scratch == nullptr) return 0;
    copy_bytes(scratch, member, size);
    const int32_t found = read_setting(keyPath, name, scratch, size);
    if (found) copy_bytes(member, scratch, size);
    if (scratch != local) std::free(scratch);
    return found;
}
