#include "host/hosting/EditorCapture.h"

#include "host/pictures/DcPixels.h"
#include "platform/MessagePump.h"

#include <cstdint>
#include <cstring>

namespace {

// The editor rectangle as the effect hands it over: four 16-bit values.
struct EditorRect {
    int16_t top, left, bottom, right;
};

const char kFrameClass[] = "QClamperHostFrame";

LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;  // the host closes the frame, not the user
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerFrameClass() {
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = frameProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Delivers pending messages and gives the editor its idle calls, for about
// `milliseconds`.
void pump(PluginHost& host, DWORD milliseconds) {
    pumpMessagesFor(milliseconds, [&host] { host.dispatch(effEditIdle); });
}

int countChildren(HWND window) {
    int n = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++n;
    return n;
}

bool copyClientPixels(HWND window, int width, int height, RgbImage& image) {
    HDC dc = GetDC(window);
    const bool ok = copyDcPixels(dc, width, height, image);
    ReleaseDC(window, dc);
    return ok;
}

bool isUniform(const RgbImage& image) {
    for (size_t i = 3; i < image.bgr.size(); ++i)
        if (image.bgr[i] != image.bgr[i % 3]) return false;
    return true;
}

}  // namespace

EditorCaptureResult captureEditor(PluginHost& host, RgbImage& image) {
    EditorCaptureResult result;
    AEffect* effect = host.effect();
    if (!effect) {
        result.error = "no plug-in loaded";
        return result;
    }
    if (!(effect->flags & effFlagsHasEditor)) {
        result.error = "the plug-in has no editor";
        return result;
    }
    EditorRect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect) {
        result.error = "the editor gave no size (effEditGetRect)";
        return result;
    }
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (width < 1 || height < 1 || width > 4096 || height > 4096) {
        result.error = "the editor asks for an unusable size of " + std::to_string(width) + " x " +
                       std::to_string(height);
        return result;
    }
    if (!registerFrameClass()) {
        result.error = "cannot register the frame window class: " + windowsErrorText(GetLastError());
        return result;
    }

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExA(0, kFrameClass, "Q-Clamper", style, 40, 40, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        result.error = "cannot create the editor's frame window: " + windowsErrorText(GetLastError());
        return result;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetForegroundWindow(window);

    host.dispatch(effEditOpen, 0, 0, window);
    pump(host, 300);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump(host, 100);

    RECT client;
    GetClientRect(window, &client);
    if (client.right < width || client.bottom < height) {
        result.error = "the frame window's client area is " + std::to_string(client.right) + " x " +
                       std::to_string(client.bottom) + ", smaller than the editor";
    } else if (!copyClientPixels(window, width, height, image)) {
        result.error = "cannot copy the editor window's pixels";
    } else {
        // One flat colour is an editor that has not drawn yet: give it
        // another moment once.
        if (isUniform(image)) {
            pump(host, 500);
            copyClientPixels(window, width, height, image);
        }
        result.ok = true;
    }

    host.dispatch(effEditClose);
    pump(host, 50);
    const int left = countChildren(window);
    if (left > 0) {
        result.warning = "the editor left " + std::to_string(left) + " window(s) behind after effEditClose";
        // Its windows must go before the module can be unloaded.
        DestroyWindow(window);
    }
    // Otherwise the empty frame stays until the process ends: under Wine
    // without a window manager, hiding or destroying a shown top-level
    // window waits two seconds for a state change that never comes, and
    // this program ends soon after anyway.
    return result;
}
