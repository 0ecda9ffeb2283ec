#include "toolkit/ControlData.h"

#include <cstddef>

#include "toolkit/ToolkitModule.h"

void set_control_data(HWND window, void* record) {
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record));
}

void* get_control_data(HWND window) {
    return reinterpret_cast<void*>(GetWindowLongPtrA(window, 0));
}

void set_dialog_data(HWND dialog, void* data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
}

void* get_dialog_data(HWND dialog) {
    return reinterpret_cast<void*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void bitmap_size(HBITMAP bitmap, int32_t* width, int32_t* height) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) info = BITMAP{};
    if (width != nullptr) *width = info.bmWidth;
    if (height != nullptr) *height = info.bmHeight;
}

void dialog_metrics(int32_t* frameWidth, int32_t* captionHeight, int32_t* menuHeight) {
    // The record as it was before the padded border width was added to it:
    // every system version accepts that size.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    static_assert(offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA) == 340,
                  "non-client metrics record of 340 bytes");
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    if (frameWidth != nullptr) *frameWidth = GetSystemMetrics(SM_CXDLGFRAME);
    if (captionHeight != nullptr) *captionHeight = metrics.iCaptionHeight;
    if (menuHeight != nullptr) *menuHeight = metrics.iMenuHeight;
}

int32_t point_in_client(HWND window, int32_t x, int32_t y) {
    RECT client = {};
    if (!GetClientRect(window, &client)) return 0;
    const POINT point = {x, y};
    return PtInRect(&client, point) ? 1 : 0;
}

HWND create_control_window(const char* className, HWND parent, uint16_t id, int32_t x, int32_t y,
                           int32_t width, int32_t height, uint32_t style, const void* templ) {
    HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style,
                                  x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  toolkit().instance, const_cast<void*>(templ));
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}
