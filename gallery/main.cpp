// qclamper-gallery: one window holding every control of the toolkit with
// sample content, for people to try them and for tests to photograph them.
//   qclamper-gallery [--screenshot FILE.bmp]
// With --screenshot it draws once, saves the window's client area as a
// 24-bit BMP, prints how many controls of each toolkit class it holds, and
// ends; without, it runs until the window is closed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GallerySections.h"
#include "host/pictures/BmpFile.h"
#include "host/pictures/DcPixels.h"
#include "platform/MessagePump.h"
#include "toolkit/Drawing.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/WindowClasses.h"

namespace {

const char kClassName[] = "QClamperGallery";
constexpr int kWidth = 1000;
constexpr int kHeight = 460;
constexpr int kMaxLabels = 64;
constexpr int kPaper = 12;

GalleryLabel g_labels[kMaxLabels];
int g_labelCount = 0;

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    tile_bitmap(window, dc, 0, 0, toolkit().stockBitmaps[kPaper]);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < g_labelCount; ++i)
        draw_text(dc, g_labels[i].style, g_labels[i].x, g_labels[i].y, g_labels[i].text);
    EndPaint(window, &paint);
}

LRESULT CALLBACK galleryProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
        case WM_PAINT: onPaint(window); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void addSections(HWND window) {
    g_labelCount = 0;
    g_labelCount += add_knob_section(window, 10, 8, g_labels + g_labelCount, kMaxLabels - g_labelCount);
    g_labelCount += add_button_section(window, 10, 100, g_labels + g_labelCount, kMaxLabels - g_labelCount);
    g_labelCount += add_slider_section(window, 480, 8, g_labels + g_labelCount, kMaxLabels - g_labelCount);
    g_labelCount += add_grid_section(window, 600, 190, g_labels + g_labelCount, kMaxLabels - g_labelCount);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    g_labelCount += add_list_section(window, 10, 190, g_labels + g_labelCount, kMaxLabels - g_labelCount);
    InvalidateRect(window, nullptr, TRUE);
}

// How many child windows of each toolkit class the gallery holds.
BOOL CALLBACK countControl(HWND child, LPARAM counts) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    for (int i = 0; i < kToolkitClassCount; ++i)
        if (std::strcmp(name, toolkit_class_name(i)) == 0) ++reinterpret_cast<int*>(counts)[i];
    return TRUE;
}

int census(HWND window) {
    int counts[kToolkitClassCount] = {};
    EnumChildWindows(window, countControl, reinterpret_cast<LPARAM>(counts));
    int present = 0;
    for (int i = 0; i < kToolkitClassCount; ++i) {
        // "C_RA2ZAZ_<short name>_00..." printed by its short name.
        const std::string name = toolkit_class_name(i);
        const size_t start = name.find('_', 2) + 1;
        std::printf("%s: %d\n", name.substr(start, name.find("_00") - start).c_str(), counts[i]);
        present += counts[i] > 0;
    }
    std::printf("classes shown: %d of %d\n", present, static_cast<int>(kToolkitClassCount));
    return present;
}

bool saveScreenshot(HWND window, const std::string& path) {
    RECT client;
    GetClientRect(window, &client);
    RgbImage image;
    HDC dc = GetDC(window);
    const bool copied = copyDcPixels(dc, client.right, client.bottom, image);
    ReleaseDC(window, dc);
    std::string error;
    if (!copied || !writeBmpFile(path, image, error)) {
        std::fprintf(stderr, "qclamper-gallery: error: cannot save '%s' %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: qclamper-gallery [--screenshot FILE.bmp]\n");
            return 2;
        }
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!init_toolkit(instance, "Q-Clamper Gallery")) {
        std::fprintf(stderr, "qclamper-gallery: error: %s\n", toolkit_error_message(toolkit_last_error()));
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = galleryProcedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExA(0, kClassName, "RA2ZAZ control gallery", style, 20, 20,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    addSections(window);
    UpdateWindow(window);

    int status = 0;
    if (!screenshot.empty()) {
        pumpMessagesFor(200);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (!saveScreenshot(window, screenshot)) status = 1;
        if (census(window) != kToolkitClassCount) status = 1;
        DestroyWindow(window);
    } else {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    terminate_toolkit();
    return status;
}
