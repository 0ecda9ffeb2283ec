#include "toolkit/ControlWindow.h"

#include "toolkit/ToolkitModule.h"

HWND create_control_window(const char* className, uint32_t style, int32_t x, int32_t y,
                           int32_t width, int32_t height, HWND parent, uint16_t id,
                           const void* block) {
    HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width,
                                  height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  toolkit().instance, const_cast<void*>(block));
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}
