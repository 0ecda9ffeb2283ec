#pragma once
// Windows and canvases for the toolkit's tests: a started toolkit per test,
// a visible top-level window to host controls, and a 32-bit memory canvas
// whose pixels can be read directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/ToolkitModule.h"

class ToolkitWindowTest : public ::testing::Test {
protected:
    static constexpr const char* kApp = "QcToolkitControlsTest";
    static constexpr const char* kKey = "Somar_Works\\RA2ZAZ\\QcToolkitControlsTest";

    void SetUp() override {
        ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
        host_ = sharedHost();
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        pumpMessages();
        terminate_toolkit();
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    // One visible top-level window for the whole program: showing a new
    // top-level window under Wine takes seconds.
    static HWND sharedHost() {
        static HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120,
                                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return host;
    }
    static void pumpMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    HWND host_ = nullptr;
};

// The number of windows of this thread, top-level ones and all their
// children (a leaked control is a child window), for leak tests.
inline BOOL CALLBACK countWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}
inline BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM counter) {
    countWindow(window, counter);
    EnumChildWindows(window, countWindow, counter);  // every descendant once
    return TRUE;
}
inline int thread_window_count() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A top-down 32-bit DIB selected into a memory context.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        fill(background);
    }
    ~Canvas() {
        // Deselect whatever the drawing left selected before deleting.
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void fill(COLORREF colour) {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = toPixel(colour);
    }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Every pixel, for comparing the whole canvas before and after.
    std::vector<uint32_t> pixels() const {
        GdiFlush();
        return std::vector<uint32_t>(bits_, bits_ + width_ * height_);
    }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    static uint32_t toPixel(COLORREF c) {
        return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    }
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
