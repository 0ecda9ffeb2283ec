#pragma once
// The UI thread of the stress program: the host's windows; editors opened and
// closed and effects closed and loaded again, also while one of their menus
// or dialogs is up; and a person's random input to the editor's controls, its
// panel and whatever menu or dialog they open. Everything runs from a timer,
// which keeps firing inside those menus and dialogs. Every so often, with
// every effect closed and the module unloaded, the windows and GDI objects
// left are counted: they must not grow.
#include <cstdint>
#include <functional>
#include <string>

struct UiStressOptions {
    std::string plugin;
    uint64_t seed = 0;
    uint32_t seconds = 60;
    uint32_t checkpointSeconds = 10;
};

struct UiStressSummary {
    uint64_t gestures = 0, editorOpens = 0, effectLoads = 0, closesUnderPopup = 0, popupTicks = 0,
             shellCalls = 0, checkpoints = 0;
    int windows = -1, gdiObjects = -1;  // at the last count
};

// Runs for the options' time, then stops the other threads and counts what is
// left a last time; a failure ends the program from inside.
void run_ui_stress(const UiStressOptions& options, UiStressSummary& summary,
                   const std::function<void()>& stopOtherThreads);
