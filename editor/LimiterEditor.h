#pragma once
// The limiter's editor: a 549 x 93 child window of the host's window showing
// the panel bitmap, the knobs, the mute button, the gain-reduction meter and
// the mode's indicator, with a context menu that also chooses the mode.
#include <windows.h>

#include <cstdint>

#include "editor/EditorBase.h"
#include "editor/EditorControls.h"
#include "limiter/LimiterMode.h"

// The window class lives while at least one editor of the process is open.
extern const char kEditorClassName[];
extern const ERect kEditorRect;

class LimiterEditor : public EditorBase {
public:
    explicit LimiterEditor(PluginBase* effect);
    // Closes a window the host left open: its procedure must never reach a
    // destroyed editor.
    ~LimiterEditor() override;

    int32_t getRect(ERect** rect) override;
    int32_t open(HWND parent) override;
    void close() override;
    // Besides a requested update: shows the settings a host changed since
    // the last call, and tells the host the end of a finished gesture.
    void idle() override;
    // Refreshes the controls from the engine while the window is open; on a
    // thread other than the window's, asks the window's thread to do it.
    void update() override;

    HMENU popupMenu;
    EditorControls controls;
    int32_t isOpen;
    HWND window;
    HWND gainMeter;
    // The mode the indicator shows.
    LimiterMode shownMode;

    // open calls not yet matched by close, over all editors of the process.
    static int32_t openEditorCount;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT onCreate(HWND window);
    void onDestroy();
    void onPaint(HWND window);
    // The controls and the indicator brought up to the engine.
    void refresh();
    void showEngineMode();
    // Whether this editor's open is counted in openEditorCount.
    bool counted_;
};
