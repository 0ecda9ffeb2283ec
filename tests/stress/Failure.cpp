#include "Failure.h"

#include <cstdarg>
#include <cstdio>

#include "ActionLog.h"

namespace {

uint64_t g_seed = 0;
const char* g_rerunHint = "";
volatile LONG g_failing = 0;
volatile uintptr_t g_pluginBase = 0, g_pluginEnd = 0;
volatile uint32_t g_beats[kThreadCount];
const char* const kThreadNames[kThreadCount] = {"ui", "audio", "chunk"};
int g_hangSeconds = 20;
volatile LONG g_watching = 1;

HANDLE errorOutput() { return GetStdHandle(STD_ERROR_HANDLE); }

void writeText(const char* text, int length) {
    DWORD done = 0;
    if (length > 0) WriteFile(errorOutput(), text, static_cast<DWORD>(length), &done, nullptr);
}

// The first failure reports; any other thread failing meanwhile waits.
[[noreturn]] void report(const char* kind, const char* detail) {
    if (InterlockedExchange(&g_failing, 1) != 0) Sleep(INFINITE);
    char text[1024];
    writeText(text, std::snprintf(text, sizeof text, "qclamper-stress: FAILED: %s: %s\n", kind, detail));
    writeText(text, std::snprintf(text, sizeof text, "  seed %llu (again: %s --seed %llu)\n",
                                  static_cast<unsigned long long>(g_seed), g_rerunHint,
                                  static_cast<unsigned long long>(g_seed)));
    print_recent_actions(errorOutput());
    ExitProcess(1);
}

bool fatal(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case 0xC0000409:  // stack buffer overrun (fast fail)
            return true;
    }
    return false;
}

void describeCrash(EXCEPTION_POINTERS* info, char* text, size_t size) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    const uintptr_t at = reinterpret_cast<uintptr_t>(r->ExceptionAddress);
    int n = std::snprintf(text, size, "exception 0x%08lX at %p", static_cast<unsigned long>(r->ExceptionCode),
                          r->ExceptionAddress);
    if (at >= g_pluginBase && at < g_pluginEnd)
        n += std::snprintf(text + n, size - n, " (plug-in + 0x%lX)", static_cast<unsigned long>(at - g_pluginBase));
    if (r->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && r->NumberParameters >= 2)
        std::snprintf(text + n, size - n, ", %s address %p", r->ExceptionInformation[0] == 8 ? "executing" :
                      r->ExceptionInformation[0] ? "writing" : "reading",
                      reinterpret_cast<void*>(r->ExceptionInformation[1]));
}

LONG WINAPI unhandled(EXCEPTION_POINTERS* info) {
    char text[256];
    describeCrash(info, text, sizeof text);
    report("crash", text);
}

// Faults in the plug-in's code or at a null address are reported even where
// Wine would handle them (it swallows faults in timer procedures, for one).
LONG CALLBACK vectored(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    const uintptr_t at = reinterpret_cast<uintptr_t>(r->ExceptionAddress);
    if (fatal(r->ExceptionCode) && (at < 0x10000 || (at >= g_pluginBase && at < g_pluginEnd))) {
        char text[256];
        describeCrash(info, text, sizeof text);
        report("crash", text);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI watchdog(void*) {
    uint32_t seen[kThreadCount] = {};
    uint32_t since[kThreadCount] = {};
    for (;;) {
        Sleep(500);
        if (!g_watching) continue;
        const uint32_t now = stress_clock();
        for (int t = 0; t < kThreadCount; ++t) {
            if (g_beats[t] != seen[t]) {
                seen[t] = g_beats[t];
                since[t] = now;
            } else if (now - since[t] > static_cast<uint32_t>(g_hangSeconds) * 1000u) {
                char text[128];
                std::snprintf(text, sizeof text, "the %s thread has not moved for %d s", kThreadNames[t],
                              g_hangSeconds);
                report("hang", text);
            }
        }
    }
}

}  // namespace

void start_failure_reports(uint64_t seed, const char* rerunHint) {
    g_seed = seed;
    g_rerunHint = rerunHint;
    SetUnhandledExceptionFilter(unhandled);
    AddVectoredExceptionHandler(1, vectored);
}

void watch_plugin_module(HMODULE module) {
    if (module == nullptr) {
        g_pluginBase = g_pluginEnd = 0;
        return;
    }
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    g_pluginEnd = 0;
    g_pluginBase = reinterpret_cast<uintptr_t>(base);
    g_pluginEnd = g_pluginBase + nt->OptionalHeader.SizeOfImage;
}

void fail_stress(const char* kind, const char* format, ...) {
    char detail[768];
    va_list args;
    va_start(args, format);
    std::vsnprintf(detail, sizeof detail, format, args);
    va_end(args);
    report(kind, detail);
}

void beat(StressThread thread) { g_beats[thread] = g_beats[thread] + 1; }

void start_watchdog(int seconds) {
    g_hangSeconds = seconds;
    for (int t = 0; t < kThreadCount; ++t) beat(static_cast<StressThread>(t));
    CloseHandle(CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr));
}

void stop_watchdog() { g_watching = 0; }
