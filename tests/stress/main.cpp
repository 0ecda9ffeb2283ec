// qclamper-stress: loads the plug-in as a host does and, for a given time,
// plays random audio on one thread, sets random chunks on another and sends
// a person's random input to the editors on the UI thread, closing and
// reopening editors and effects now and then, also while a menu or dialog of
// theirs is up. Reports crashes, hangs, non-finite output and growing window
// or GDI counts with the seed and the last actions; exit status 0 when none.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AudioStress.h"
#include "ChunkStress.h"
#include "Failure.h"
#include "UiStress.h"
#include "limiter/LimiterSettings.h"
#include "platform/ProgramFolder.h"

namespace {

const char kUsage[] =
    "usage: qclamper-stress [--seconds N] [--seed N] [--checkpoint N] [--hang N]\n"
    "                       [--output-bound X] [--plugin FILE.dll]\n"
    "  --seconds N       how long to run (default 60)\n"
    "  --seed N          the seed of every random choice (default: from the clock, printed)\n"
    "  --checkpoint N    seconds between counts of windows and GDI objects (default 10)\n"
    "  --hang N          a thread that does not move for N seconds is a hang (default 20)\n"
    "  --output-bound X  fail when an output sample lies further than X from what the\n"
    "                    host's buffer held (default: the highest ceiling the plug-in\n"
    "                    applies; 0: only non-finite output fails)\n"
    "  --plugin FILE     the plug-in (default: Q-Clamper.dll beside this program)\n"
    "Exit status 0 when nothing was found, 1 when something was (reported on stderr),\n"
    "2 for bad arguments.\n";

bool number(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
    UiStressOptions ui;
    ui.plugin = besideProgram("Q-Clamper.dll");
    ui.seed = (static_cast<uint64_t>(GetTickCount()) << 16) ^ GetCurrentProcessId();
    unsigned long long hang = 20;
    // Whatever the chunk holds, the engine's output stays inside its ceiling.
    float bound = kSettings[kLimitSetting].highestApplied;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long n = 0;
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (value == nullptr) {
            std::fprintf(stderr, "qclamper-stress: %s needs a value\n%s", option.c_str(), kUsage);
            return 2;
        }
        ++i;
        if (option == "--plugin") {
            ui.plugin = value;
        } else if (option == "--output-bound") {
            bound = static_cast<float>(std::atof(value));
        } else if (!number(value, n)) {
            std::fprintf(stderr, "qclamper-stress: %s wants a whole number, not '%s'\n", option.c_str(), value);
            return 2;
        } else if (option == "--seconds") {
            ui.seconds = static_cast<uint32_t>(n);
        } else if (option == "--seed") {
            ui.seed = n;
        } else if (option == "--checkpoint") {
            ui.checkpointSeconds = static_cast<uint32_t>(n > 0 ? n : 1);
        } else if (option == "--hang") {
            hang = n > 0 ? n : 1;
        } else {
            std::fprintf(stderr, "qclamper-stress: unknown option %s\n%s", option.c_str(), kUsage);
            return 2;
        }
    }

    start_failure_reports(ui.seed, "qclamper-stress");
    std::printf("qclamper-stress: seed %llu, %u s, plug-in %s\n", static_cast<unsigned long long>(ui.seed),
                ui.seconds, ui.plugin.c_str());
    std::fflush(stdout);

    AudioStressState audio;
    audio.seed = ui.seed;
    audio.outputBound = bound;
    ChunkStressState chunks;
    chunks.seed = ui.seed;
    start_watchdog(static_cast<int>(hang));
    HANDLE threads[2] = {CreateThread(nullptr, 0, audio_stress_thread, &audio, 0, nullptr),
                         CreateThread(nullptr, 0, chunk_stress_thread, &chunks, 0, nullptr)};

    UiStressSummary summary;
    run_ui_stress(ui, summary, [&] {
        audio.stop = true;
        chunks.stop = true;
        WaitForMultipleObjects(2, threads, TRUE, INFINITE);
        stop_watchdog();
    });
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);

    std::printf("qclamper-stress: passed: seed %llu, %u s: %llu gestures, %llu editor opens, %llu effect loads,\n"
                "  %llu host closes under a menu or dialog, %llu ticks with one up, %llu shell calls,\n"
                "  %llu audio blocks, %llu chunk calls; %llu counts, last %d windows and %d GDI objects\n",
                static_cast<unsigned long long>(ui.seed), ui.seconds,
                static_cast<unsigned long long>(summary.gestures),
                static_cast<unsigned long long>(summary.editorOpens),
                static_cast<unsigned long long>(summary.effectLoads),
                static_cast<unsigned long long>(summary.closesUnderPopup),
                static_cast<unsigned long long>(summary.popupTicks),
                static_cast<unsigned long long>(summary.shellCalls),
                static_cast<unsigned long long>(audio.blocks.load()),
                static_cast<unsigned long long>(chunks.chunks.load()),
                static_cast<unsigned long long>(summary.checkpoints), summary.windows, summary.gdiObjects);
    return 0;
}
