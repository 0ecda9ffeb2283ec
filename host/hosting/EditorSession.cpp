#include "host/hosting/EditorSession.h"

#include <windows.h>

#include <cstdint>

namespace {

const char kSessionFrameClass[] = "QClamperHostSession";
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdlePeriodMs = 50;

// The editor rectangle as the effect hands it over: four 16-bit values.
struct EditorRect {
    int16_t top, left, bottom, right;
};

LRESULT CALLBACK sessionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (auto* host = reinterpret_cast<PluginHost*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
                host->dispatch(effEditIdle);
            return 0;
        case WM_DESTROY:
            // The editor goes first, while its parent still stands.
            KillTimer(window, kIdleTimer);
            if (auto* host = reinterpret_cast<PluginHost*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
                host->dispatch(effEditClose);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool runEditorSession(PluginHost& host, std::string& error) {
    AEffect* effect = host.effect();
    if (!effect || !(effect->flags & effFlagsHasEditor)) {
        error = "the plug-in has no editor";
        return false;
    }
    EditorRect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    const int width = rect ? rect->right - rect->left : 0;
    const int height = rect ? rect->bottom - rect->top : 0;
    if (width < 1 || height < 1 || width > 4096 || height > 4096) {
        error = "the editor gave no usable size (effEditGetRect)";
        return false;
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = sessionProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSessionFrameClass;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "cannot register the editor's frame window class: " + windowsErrorText(GetLastError());
        return false;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExA(0, kSessionFrameClass, kEditorSessionTitle, style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        error = "cannot create the editor's frame window: " + windowsErrorText(GetLastError());
        return false;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
    host.dispatch(effEditOpen, 0, 0, window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetTimer(window, kIdleTimer, kIdlePeriodMs, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}
