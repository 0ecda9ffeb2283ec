#pragma once
// Where controls and dialogs keep their data, and the window and bitmap
// measurements they size themselves by.
#include <windows.h>

#include <cstdint>

// The data record pointer in a control window's extra bytes (index 0):
// every toolkit class reserves this many.
constexpr int kControlDataBytes = sizeof(void*);
void set_control_data(HWND window, void* record);
void* get_control_data(HWND window);
// The data pointer in a toolkit dialog's user slot.
void set_dialog_data(HWND dialog, void* data);
void* get_dialog_data(HWND dialog);

// Width and height of a bitmap; both 0 when it is not a valid bitmap.
void bitmap_size(HBITMAP bitmap, int32_t* width, int32_t* height);

// Dialog frame width, caption height and menu height of the system.
void dialog_metrics(int32_t* frameWidth, int32_t* captionHeight, int32_t* menuHeight);

// Creates a control of a toolkit class from its creation template as every
// create operation does (a visible child with the style given, the id as
// child identifier, the toolkit's module instance), then shows and updates
// it. Null when creation failed.
HWND create_control_window(const char* className, HWND parent, uint16_t id, int32_t x, int32_t y,
                           int32_t width, int32_t height, uint32_t style, const void* templ);

// 1 when the client point lies in window's client rectangle (right and
// bottom edges excluded), else 0.
int32_t point_in_client(HWND window, int32_t x, int32_t y);
