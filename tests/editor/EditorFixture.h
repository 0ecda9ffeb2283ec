#pragma once
// A limiter instance made through its entry point, hosted by the test host,
// with a top-level window to embed its editor in.
#include <gtest/gtest.h>
#include <windows.h>

#include "editor/LimiterEditor.h"
#include "limiter/LimiterPlugin.h"
#include "tests/support/TestHost.h"

extern "C" AEffect* QC_CDECL pluginMain(audioMasterCallback hostCallback);

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A host's top-level window to embed editors in. One for the whole program:
// under Wine a visible top-level window takes seconds to destroy.
struct HostWindow {
    HWND handle = shared();
    static HWND shared() {
        static HWND window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                             0, 0, 600, 160, nullptr, nullptr, nullptr, nullptr);
        return window;
    }
};

struct EditorFixture : ::testing::Test {
    TestHost host;
    HostedEffect fx{pluginMain(TestHost::callback())};
    HostWindow parent;
    static LimiterPlugin* pluginOf(const HostedEffect& effect) {
        return static_cast<LimiterPlugin*>(static_cast<PluginBase*>(effect.record()->object));
    }
    static LimiterEditor* editorOf(const HostedEffect& effect) {
        return static_cast<LimiterEditor*>(pluginOf(effect)->editor);
    }
    LimiterPlugin* plugin() { return pluginOf(fx); }
    LimiterEditor* editor() { return editorOf(fx); }
    LimiterEngine* engine() { return plugin()->engine; }
};

