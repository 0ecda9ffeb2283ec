#include "ActionLog.h"

#include <cstdarg>
#include <cstdio>

namespace {

const DWORD g_start = GetTickCount();
volatile LONG g_order = 0;

void write(HANDLE out, const char* text, int length) {
    DWORD done = 0;
    if (length > 0) WriteFile(out, text, static_cast<DWORD>(length), &done, nullptr);
}

}  // namespace

ActionRing g_uiActions("ui", 48);
ActionRing g_audioActions("audio", 12);
ActionRing g_chunkActions("chunk", 12);

uint32_t stress_clock() { return GetTickCount() - g_start; }

ActionRing::ActionRing(const char* name, int capacity)
    : name_(name), capacity_(capacity < kMaxCapacity ? capacity : kMaxCapacity), lines_() {}

void ActionRing::log(const char* format, ...) {
    Line& line = lines_[written_++ % static_cast<uint32_t>(capacity_)];
    line.order = 0;
    line.milliseconds = stress_clock();
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.text, sizeof line.text, format, args);
    va_end(args);
    line.order = static_cast<uint32_t>(InterlockedIncrement(&g_order));
}

void print_recent_actions(HANDLE out) {
    ActionRing* rings[] = {&g_uiActions, &g_audioActions, &g_chunkActions};
    char text[ActionRing::kLineSize + 64];
    write(out, text, std::snprintf(text, sizeof text, "  last actions (oldest first):\n"));
    // Repeatedly the oldest line not yet printed, over all rings.
    uint32_t printed = 0;
    for (;;) {
        const ActionRing::Line* next = nullptr;
        const char* name = "";
        for (ActionRing* ring : rings) {
            for (int i = 0; i < ring->capacity_; ++i) {
                const ActionRing::Line& line = ring->lines_[i];
                if (line.order > printed && (next == nullptr || line.order < next->order)) {
                    next = &line;
                    name = ring->name_;
                }
            }
        }
        if (next == nullptr) break;
        printed = next->order;
        write(out, text,
              std::snprintf(text, sizeof text, "    %7.3f s %-5s %s\n", next->milliseconds / 1000.0,
                            name, next->text));
    }
}
