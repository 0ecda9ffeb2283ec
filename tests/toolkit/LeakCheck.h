#pragma once
// The leak check of every control: after one warm-up cycle, the given
// number of create-use-destroy cycles leave as many windows of this thread
// (top-level and child) and as many GDI objects of this process as there
// were before.
#include <gtest/gtest.h>
#include <windows.h>

#include "GdiObjectCounter.h"
#include "ToolkitTestWindows.h"

template <typename Cycle>
void expect_no_leaks(int cycles, Cycle cycle) {
    const auto pump = [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    };
    cycle(0);
    pump();
    const int32_t gdi = live_gdi_objects();
    const int windows = thread_window_count();
    for (int i = 0; i < cycles; ++i) cycle(i);
    pump();
    EXPECT_EQ(thread_window_count(), windows);
    if (gdi < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    EXPECT_EQ(live_gdi_objects(), gdi);
}
