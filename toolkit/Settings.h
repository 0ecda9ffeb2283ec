#pragma once
// Binary preferences under HKEY_CURRENT_USER.
#include <cstdint>

// Reads the REG_BINARY value `name` of the key keyPath (relative to
// HKEY_CURRENT_USER) into buffer. Returns 1 when the value exists, is binary
// and fits into size bytes (a shorter value writes only its own length);
// otherwise 0, and the buffer's content is then undefined.
int32_t read_setting(const char* keyPath, const char* name, void* buffer, uint32_t size);

// Stores size bytes as the REG_BINARY value `name`, creating the key (and any
// missing parent key) when needed. Returns 1 when the value was stored.
int32_t write_setting(const char* keyPath, const char* name, const void* data, uint32_t size);

// Reads a setting over a member of `size` bytes without ever leaving it half
// written: the value is read into a copy of the member, so the bytes that a
// shorter stored value does not cover keep their previous content, and the
// member changes only when the read succeeded. Returns read_setting's result.
int32_t read_setting_into(const char* keyPath, const char* name, void* member, uint32_t size);
