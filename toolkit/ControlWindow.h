#pragma once
// Creates a toolkit control window the way the create operations do: a
// visible child of parent with id as its child identifier, owned by the
// toolkit's module instance, the creation block as creation parameter;
// shown and painted at once.
#include <windows.h>

#include <cstdint>

// Null when creation failed.
HWND create_control_window(const char* className, uint32_t style, int32_t x, int32_t y,
                           int32_t width, int32_t height, HWND parent, uint16_t id,
                           const void* block);
