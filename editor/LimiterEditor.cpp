#include "editor/LimiterEditor.h"

#include "editor/EditorBitmaps.h"
#include "editor/EditorLinks.h"
#include "editor/GainMeterView.h"
#include "editor/ModeIndicator.h"
#include "editor/ModeMenu.h"
#include "limiter/EngineSettings.h"
#include "limiter/ModeParameter.h"
#include "plugin/ModuleInstance.h"
#include "plugin/PluginBase.h"

const char kEditorClassName[] = "K.Somar\xA9QCLAMPER_HWND0002";
const ERect kEditorRect = {0, 0, 93, 549};
int32_t LimiterEditor::openEditorCount = 0;

namespace {

// The rectangle handed to the host: writable memory, filled afresh on every
// request, so that a host that adjusts it in place neither faults on the
// read-only constant nor changes what later requests answer.
ERect handedRect;

// Asks the editor window to refresh its controls on its own thread.
constexpr UINT kRefreshMessage = WM_APP + 0x51;

bool onThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

void registerEditorClass(WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = moduleInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kEditorClassName;
    RegisterClassA(&windowClass);
}

}  // namespace

LimiterEditor::LimiterEditor(PluginBase* effect)
    : EditorBase(effect), popupMenu(nullptr), controls(), isOpen(0), window(nullptr),
      gainMeter(nullptr), shownMode(LimiterMode::ZeroLatency), counted_(false) {}

LimiterEditor::~LimiterEditor() {
    if (counted_) close();
}

int32_t LimiterEditor::getRect(ERect** rect) {
    handedRect = kEditorRect;
    if (rect) *rect = &handedRect;
    return 1;
}

int32_t LimiterEditor::open(HWND parent) {
    // A second open without close moves the editor to the new parent: the
    // old window goes first, so none is left behind and the count stays true.
    if (counted_) close();
    parentWindow = parent;
    if (++openEditorCount == 1) {
        registerEditorClass(windowProcedure);
        registerGainMeterClass(moduleInstance());
    }
    counted_ = true;
    window = CreateWindowExA(0, kEditorClassName, "", WS_CHILD | WS_VISIBLE, 0, 0,
                             kEditorRect.right, kEditorRect.bottom, parentWindow, nullptr,
                             moduleInstance(), this);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // Without a window there are no controls to refresh: the handles still in
    // `controls` would be those of an earlier window, long destroyed, and may
    // by now name some other window of the host.
    isOpen = window ? 1 : 0;
    return 1;
}

// A close without a matching open changes nothing: the count never goes
// below zero and never drops the class from under another open editor.
void LimiterEditor::close() {
    if (window) SendMessageA(window, WM_CLOSE, 0, 0);
    if (!counted_) return;
    counted_ = false;
    if (--openEditorCount == 0) {
        UnregisterClassA(kEditorClassName, moduleInstance());
        unregisterGainMeterClass(moduleInstance());
    }
}

// A chunk may arrive on a thread other than the window's. The controls then
// are refreshed by the window's own thread: a send across threads would block
// the loading thread until the window thread pumps messages (for ever, if
// that thread is waiting for the load), and the control handles belong to the
// window thread, which may be destroying them meanwhile. A post to a window
// destroyed in between is simply dropped; a window already let go of has no
// controls left to refresh.
void LimiterEditor::update() {
    if (isOpen != 1) return;
    const HWND current = window;
    if (current == nullptr) return;
    if (!onThreadOf(current)) {
        PostMessageA(current, kRefreshMessage, 0, 0);
        return;
    }
    refresh();
}

void LimiterEditor::refresh() {
    refreshControls(&controls);
    showEngineMode();
}

void LimiterEditor::showEngineMode() {
    const LimiterMode mode = engineMode(controls.engine);
    if (mode == shownMode) return;
    shownMode = mode;
    InvalidateRect(window, &kModeIndicator.area, TRUE);
}

// A host sets parameters from any thread; the knobs follow at its idle call,
// which may come on any thread too: through update, as a chunk does. The
// mouse capture is asked only on the window's thread: on any other it
// answers none and would end a drag's gesture early. The meter reads on the
// window's thread only (its timer stands in for idle calls from elsewhere).
void LimiterEditor::idle() {
    EditorBase::idle();
    if (isOpen != 1) return;
    if (controls.engine && takeHostSettingChange(controls.engine)) update();
    const HWND current = window;
    if (!current || !onThreadOf(current)) return;
    endFinishedGesture(&controls);
    pollGainMeter(gainMeter, GetTickCount());
}

LRESULT LimiterEditor::onCreate(HWND createdWindow) {
    window = createdWindow;
    popupMenu = createEditorMenu();
    appendModeItems(popupMenu);
    setupControls(&controls, effect ? static_cast<LimiterEngine*>(effect->getEngine()) : nullptr,
                  effect);
    shownMode = engineMode(controls.engine);
    createControls(&controls, createdWindow);
    refreshControls(&controls);
    gainMeter = createGainMeter(createdWindow, controls.engine);
    return 0;
}

void LimiterEditor::onDestroy() {
    isOpen = 0;
    window = nullptr;
    destroyControls(&controls);
    if (gainMeter) DestroyWindow(gainMeter);
    gainMeter = nullptr;
    DestroyMenu(popupMenu);
    popupMenu = nullptr;
}

// The panel is the erased background; only the mode's indicator is drawn.
void LimiterEditor::onPaint(HWND paintedWindow) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(paintedWindow, &ps);
    drawModeIndicator(dc, kModeIndicator, shownMode);
    EndPaint(paintedWindow, &ps);
}

namespace {

LimiterEditor* editorOf(HWND window) {
    return reinterpret_cast<LimiterEditor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The panel menu is out of the editor while its loop runs: the host may close
// the editor, or the effect with it, from inside that loop (a timer, a message
// from another of its threads), and the window's destruction must not destroy
// a menu the loop still uses. Afterwards `editor` may be gone: the editor is
// looked up again through the window, and when there is none the menu goes now.
void trackPanelMenu(LimiterEditor* editor, HWND window, LPARAM position) {
    const HMENU tracked = editor->popupMenu;
    if (tracked == nullptr) return;
    LimiterEngine* engine = editor->controls.engine;
    updateModeItems(tracked, engineMode(engine), engine ? engine->sampleRate : 0.0f);
    editor->popupMenu = nullptr;
    showEditorMenu(tracked, window, position);
    LimiterEditor* after = editorOf(window);
    if (after != nullptr && after->popupMenu == nullptr)
        after->popupMenu = tracked;
    else
        DestroyMenu(tracked);
}

// A menu command: a mode, or a link. The host may close the editor from
// inside the mode's report; the indicator follows only when it is still
// there.
void onCommand(HWND window, uint32_t command) {
    LimiterMode mode;
    if (!modeOfCommand(command, &mode)) {
        openLink(window, command);
        return;
    }
    LimiterEditor* editor = editorOf(window);
    if (editor == nullptr) return;
    chooseMode(&editor->controls, mode);
    if (editorOf(window) == editor) editor->update();
}

}  // namespace

LRESULT CALLBACK LimiterEditor::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    LimiterEditor* editor = editorOf(window);
    switch (message) {
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            editor = static_cast<LimiterEditor*>(create->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
            if (editor) editor->onCreate(window);
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_DESTROY:
            if (editor) editor->onDestroy();
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return 1;
        case WM_CLOSE:
            DestroyWindow(window);
            return 1;
        case WM_ERASEBKGND:
            drawBackground(reinterpret_cast<HDC>(wParam));
            return -1;
        case WM_COMMAND:
            onCommand(window, LOWORD(wParam));
            return 1;
        case WM_PAINT:
            if (!editor) break;
            editor->onPaint(window);
            return 0;
        case WM_RBUTTONDOWN:
            if (editor) trackPanelMenu(editor, window, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            return 0;
        case kRefreshMessage:
            if (editor && editor->isOpen == 1) editor->refresh();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
