// The meter's window procedure: a switch handing each message to a small
// handler; the arithmetic is editor/MeterModel's.
#include "editor/GainMeterView.h"

#include <cstdlib>

#include "editor/MeterModel.h"
#include "editor/PanelColours.h"
#include "limiter/LimiterEngine.h"

const char kGainMeterClassName[] = "QClamper_GainMeter";

namespace {

constexpr UINT_PTR kTimerId = 1;

// Panel colours: the mute button's well, the section titles' accent for the
// bars, the printing's white for the peak marks, a faint line per scale mark.
constexpr COLORREF kWellColour = kPanelWell;
constexpr COLORREF kBarColour = kPanelAccent;
constexpr COLORREF kMarkColour = kPanelPrint;
constexpr COLORREF kGridColour = RGB(44, 45, 50);
constexpr int kMarkWidth = 2;

struct MeterRecord {
    LimiterEngine* engine;
    MeterChannel channel[2];
    MeterPixels painted;
    uint32_t lastPoll;
    bool polled;
    int32_t paintCount;
};

MeterRecord* recordOf(HWND window) {
    return reinterpret_cast<MeterRecord*>(GetWindowLongPtrA(window, 0));
}

void fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    if (right <= left) return;
    const RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

// The one place the meter is drawn: wells with their scale lines, the bars
// from 0 dB to their depth, and the marks ending at the held depth.
void drawMeter(HDC dc, const MeterPixels& p) {
    HBRUSH well = CreateSolidBrush(kWellColour);
    HBRUSH bar = CreateSolidBrush(kBarColour);
    HBRUSH mark = CreateSolidBrush(kMarkColour);
    HBRUSH grid = CreateSolidBrush(kGridColour);
    fill(dc, 0, 0, kGainMeterLength, kGainMeterHeight, well);
    for (int c = 0; c < 2; ++c) {
        const int top = c * (kGainMeterBarHeight + kGainMeterGap);
        const int bottom = top + kGainMeterBarHeight;
        for (int m : kMeterScaleMarks) {
            const int x = meterPixel(static_cast<float>(m), kGainMeterLength);
            if (x > p.bar[c] && x < kGainMeterLength) fill(dc, x, top, x + 1, bottom, grid);
        }
        fill(dc, 0, top, p.bar[c], bottom, bar);
        const int markLeft = p.mark[c] - kMarkWidth < 0 ? 0 : p.mark[c] - kMarkWidth;
        if (p.mark[c] > 0) fill(dc, markLeft, top, p.mark[c], bottom, mark);
    }
    DeleteObject(grid);
    DeleteObject(mark);
    DeleteObject(bar);
    DeleteObject(well);
}

LRESULT onCreate(HWND window, const CREATESTRUCTA* create) {
    auto* r = static_cast<MeterRecord*>(std::calloc(1, sizeof(MeterRecord)));
    if (!r) return -1;
    r->engine = static_cast<LimiterEngine*>(create->lpCreateParams);
    r->channel[0] = r->channel[1] = kMeterAtRest;
    r->painted = meterPixels(r->channel, kGainMeterLength);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(r));
    SetTimer(window, kTimerId, kGainMeterTimerMs, nullptr);
    return 0;
}

void onDestroy(HWND window) {
    KillTimer(window, kTimerId);
    std::free(recordOf(window));
    SetWindowLongPtrA(window, 0, 0);
}

void onPaint(HWND window, MeterRecord* r) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP image = CreateCompatibleBitmap(dc, kGainMeterLength, kGainMeterHeight);
    HGDIOBJ previous = SelectObject(memory, image);
    drawMeter(memory, r->painted);
    BitBlt(dc, 0, 0, kGainMeterLength, kGainMeterHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
    EndPaint(window, &ps);
    ++r->paintCount;
}

// Some hosts never call idle: the timer reads once polls stop coming.
void onTimer(HWND window, MeterRecord* r) {
    const uint32_t now = GetTickCount();
    if (!r->polled || now - r->lastPoll >= kGainMeterQuietMs) pollGainMeter(window, now);
}

LRESULT CALLBACK meterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MeterRecord* r = recordOf(window);
    switch (message) {
        case WM_CREATE:
            return onCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY:
            onDestroy(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            if (!r) break;
            onPaint(window, r);
            return 0;
        case WM_TIMER:
            if (r && wParam == kTimerId) onTimer(window, r);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerGainMeterClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = meterProcedure;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kGainMeterClassName;
    RegisterClassA(&windowClass);
}

void unregisterGainMeterClass(HINSTANCE instance) { UnregisterClassA(kGainMeterClassName, instance); }

HWND createGainMeter(HWND parent, LimiterEngine* engine) {
    return CreateWindowExA(0, kGainMeterClassName, "", WS_CHILD | WS_VISIBLE, kGainMeterX,
                           kGainMeterY, kGainMeterLength, kGainMeterHeight, parent, nullptr,
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                           engine);
}

void pollGainMeter(HWND meter, uint32_t now) {
    MeterRecord* r = meter ? recordOf(meter) : nullptr;
    if (!r) return;
    const float seconds = r->polled ? static_cast<float>(now - r->lastPoll) / 1000.0f : 0.0f;
    r->lastPoll = now;
    r->polled = true;
    GainReading reading{};
    if (!r->engine || readGainReduction(r->engine, kEditorReader, &reading) != 1) reading = {};
    for (int c = 0; c < 2; ++c) {
        advanceMeter(r->channel[c], reading.channel[c].reductionDecibels, seconds);
    }
    const MeterPixels pixels = meterPixels(r->channel, kGainMeterLength);
    if (pixels == r->painted) return;
    r->painted = pixels;
    InvalidateRect(meter, nullptr, FALSE);
}

int32_t gainMeterPaintCount(HWND meter) {
    const MeterRecord* r = meter ? recordOf(meter) : nullptr;
    return r ? r->paintCount : 0;
}
