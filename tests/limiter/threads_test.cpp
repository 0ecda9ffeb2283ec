// The lock protocol on real threads: re-entry while a block runs, the
// owner giving the engine up mid-block, and a mixed load for the race
// detector (the native build runs this under ThreadSanitizer too).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "limiter/EngineSettings.h"
#include "limiter/LimiterEngine.h"

namespace {

constexpr int kLongBlock = 1 << 21;

bool engineBusy(LimiterEngine* engine) {
    lockEnter(&engine->lock);
    const bool busy = engine->busy == 1;
    lockLeave(&engine->lock);
    return busy;
}

void waitUntilBusy(LimiterEngine* engine, const std::atomic<bool>& finished) {
    while (!engineBusy(engine) && !finished.load()) std::this_thread::yield();
}

TEST(EngineThreads, BlockFindingBusySetLeavesItsOutputsAlone) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    engine->busy = 1;  // as if another block were running
    std::vector<float> in(64, 0.5f), out1(64, 3.0f), out2(64, 4.0f);
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 64);
    setMute(engine, 1);  // busy wins over mute: no silence written either
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 64);
    EXPECT_EQ(out1, std::vector<float>(64, 3.0f));
    EXPECT_EQ(out2, std::vector<float>(64, 4.0f));
    engine->busy = 0;
    destroyEngine(&engine);
}

TEST(EngineThreads, SecondBlockDuringARunningBlockReturnsAtOnce) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    std::vector<float> longIn(kLongBlock, 0.5f), longOut1(kLongBlock), longOut2(kLongBlock);
    int observed = 0;
    for (int trial = 0; trial < 20 && observed < 3; ++trial) {
        std::atomic<bool> finished{false};
        std::thread audio([&] {
            processBlockReplace(&engine, longIn.data(), longIn.data(), longOut1.data(),
                                longOut2.data(), kLongBlock);
            finished = true;
        });
        waitUntilBusy(engine, finished);
        std::vector<float> in(64, 0.5f), out1(64, 3.0f), out2(64, 4.0f);
        processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 64);
        const bool stillRunning = !finished.load();
        audio.join();
        if (out1 == std::vector<float>(64, 3.0f)) {
            EXPECT_EQ(out2, std::vector<float>(64, 4.0f));
            ++observed;
        } else {
            EXPECT_FALSE(stillRunning) << "a block ran while another was in progress";
        }
    }
    EXPECT_GT(observed, 0);
    destroyEngine(&engine);
}

// The owner lives on the heap and is freed right after releaseEngine, as a
// plug-in object is after the host closes it: the audio thread must neither
// free the engine twice nor write into the freed owner.
struct Owner {
    LimiterEngine* engine = nullptr;
};

TEST(EngineThreads, ReleaseDuringABlockDefersDestructionToTheAudioThread) {
    std::vector<float> in(kLongBlock, 0.9f), out1(kLongBlock), out2(kLongBlock);
    const int32_t baseline = liveEngineCount();
    int deferred = 0;
    for (int trial = 0; trial < 20 && deferred < 3; ++trial) {
        auto owner = std::make_unique<Owner>();
        owner->engine = createEngine();
        configureEngine(&owner->engine, 44100.0f, 2);
        LimiterEngine** slot = &owner->engine;
        LimiterEngine* engine = owner->engine;
        std::atomic<bool> finished{false};
        std::thread audio([&] {
            processBlockAdd(slot, in.data(), in.data(), out1.data(), out2.data(), kLongBlock);
            finished = true;
        });
        waitUntilBusy(engine, finished);
        releaseEngine(&owner->engine);
        EXPECT_EQ(owner->engine, nullptr);
        if (liveEngineCount() == baseline + 1) ++deferred;  // still alive: the block owns it
        owner.reset();
        audio.join();
        EXPECT_EQ(liveEngineCount(), baseline) << "engine leaked or freed twice";
    }
    EXPECT_GT(deferred, 0);
}

// Only the release or the block in progress frees an engine; a block that
// finds it given up leaves it alone and processes nothing.
TEST(EngineThreads, BlockFindingTheEngineGivenUpDoesNothing) {
    const int32_t baseline = liveEngineCount();
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    engine->deletePending = 1;
    std::vector<float> in(16, 0.5f), out(16, 2.0f);
    processBlockReplace(&engine, in.data(), in.data(), out.data(), out.data(), 16);
    EXPECT_NE(engine, nullptr);
    EXPECT_EQ(out, std::vector<float>(16, 2.0f));
    EXPECT_EQ(engine->busy, 0);
    EXPECT_EQ(liveEngineCount(), baseline + 1);
    destroyEngine(&engine);
}

TEST(EngineThreads, AudioEditorAndRogueSecondAudioThreadTogether) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 48000.0f, 2);
    std::atomic<bool> stop{false};
    auto audioLoop = [&](float level) {
        std::vector<float> in(256, level), out1(256), out2(256);
        while (!stop.load()) {
            processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 256);
            for (float o : out1) ASSERT_LE(o, 0.99999f);
        }
    };
    std::thread audio(audioLoop, 1.5f);
    std::thread rogue(audioLoop, 0.25f);
    LimiterParams params;
    getParams(engine, &params);
    for (int i = 0; i < 2000; ++i) {
        params.channel[0].gain = params.channel[1].gain = 1.0f + static_cast<float>(i % 7);
        setParams(engine, &params);
        setMute(engine, i % 5 == 0);
        (void)getMute(engine);
    }
    stop = true;
    audio.join();
    rogue.join();
    destroyEngine(&engine);
}

int32_t callsInside(const LimiterEngine* engine) {
    return __atomic_load_n(&engine->callsInside, __ATOMIC_ACQUIRE);
}

// Audio blocks and the owner's release meet at the engine's lock: the test
// holds it while they line up, in the order that once went wrong, then lets
// them go (waiters are woken in the order they came). Every audio call starts
// before the release, as a host must ensure; the engine must then be freed
// exactly once and touched by nobody afterwards (AddressSanitizer and
// ThreadSanitizer watch the native builds).
struct Meeting {
    const char* name;
    bool muted;
    // false: a muted block, then the release. true: the release, the block in
    // progress at its end, then a second audio thread's block.
    bool blockInProgress;
};

void meetAtTheLock(const Meeting& meeting) {
    const int32_t baseline = liveEngineCount();
    // A muted block's silence is long, so that the release can finish while
    // it is written.
    const int kBlock = meeting.muted ? 1 << 21 : 1 << 18;
    std::vector<float> in(kBlock, 1.2f), out[4] = {std::vector<float>(kBlock), std::vector<float>(kBlock),
                                                    std::vector<float>(kBlock), std::vector<float>(kBlock)};
    LimiterEngine* slot = createEngine();
    configureEngine(&slot, 44100.0f, 2);
    setMute(slot, meeting.muted ? 1 : 0);
    LimiterEngine* const engine = slot;
    // The audio threads read the owner's slot before the release clears it.
    LimiterEngine* audioSlots[2] = {slot, slot};
    std::vector<std::thread> threads;
    std::atomic<bool> firstDone{false};
    if (meeting.blockInProgress) {
        threads.emplace_back([&] {
            processBlockReplace(&audioSlots[0], in.data(), in.data(), out[0].data(), out[1].data(), kBlock);
            firstDone = true;
        });
    }
    // Hold the lock, with the block in progress (if any) inside its samples.
    for (;;) {
        lockEnter(&engine->lock);
        if (!meeting.blockInProgress || engine->busy == 1 || firstDone.load()) break;
        lockLeave(&engine->lock);
        std::this_thread::yield();
    }
    auto startSecondBlock = [&] {
        const int32_t inside = callsInside(engine);
        threads.emplace_back([&] {
            processBlockReplace(&audioSlots[1], in.data(), in.data(), out[2].data(), out[3].data(), kBlock);
        });
        while (callsInside(engine) == inside) std::this_thread::yield();
    };
    auto startRelease = [&] { threads.emplace_back([&] { releaseEngine(&slot); }); };
    auto pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    if (meeting.blockInProgress) {
        startRelease();
        pause(300);  // the release waits; the block finishes its samples and waits behind it
        startSecondBlock();
    } else {
        startSecondBlock();
        pause(20);
        startRelease();
    }
    pause(20);
    lockLeave(&engine->lock);
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(liveEngineCount(), baseline) << "engine leaked or freed twice";
}

const Meeting kMeetings[] = {
    // A muted block leaves the lock with busy clear: the release may free the
    // engine at once, so the block must have decided everything before.
    {"a muted block, then the release", true, false},
    // The block in progress keeps the engine busy until it has freed it; the
    // second audio thread's block, already waiting for the lock, must find it
    // busy and leave before the memory goes.
    {"the release, the block in progress at its end, a second audio thread's block", false, true},
};

TEST(EngineThreads, ReleaseMeetingAudioBlocksAtTheLock) {
    for (const Meeting& meeting : kMeetings) {
        SCOPED_TRACE(meeting.name);
        for (int trial = 0; trial < 4; ++trial) meetAtTheLock(meeting);
    }
}


// A host sets parameters from a thread of its own while the audio thread
// runs blocks and the editor's thread sets and reads settings: a load for
// the race detector.
TEST(EngineThreads, ParametersFromAnotherThreadWhileBlocksRun) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        std::vector<float> in(256, 0.7f), out1(256), out2(256);
        while (!stop.load()) processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 256);
    });
    std::thread host([&] {
        for (int i = 0; i < 4000; ++i) {
            setSettingFraction(engine, i % kSettingCount, static_cast<float>(i % 101) / 100.0f);
            settingFraction(engine, (i + 1) % kSettingCount);
        }
    });
    for (int i = 0; i < 4000; ++i) {
        setSettingKnobValue(engine, kVelocitySetting, 1.0f + static_cast<float>(i % 99));
        settingKnobPosition(engine, kGainSetting);
        takeHostSettingChange(engine);
        LimiterParams p;
        getParams(engine, &p);
    }
    host.join();
    stop = true;
    audio.join();
    destroyEngine(&engine);
}

// A host's parameter change reaches the audio as a whole block written by the
// editor does: the same ramp, to the bit. Two fresh engines with the same
// history, one changed through the parameter, the other through the block.
TEST(EngineThreads, AParameterRampsLikeAWholeBlockWrite) {
    LimiterEngine* engine = createEngine();
    LimiterEngine* written = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    configureEngine(&written, 44100.0f, 2);
    std::vector<float> in(512);
    std::vector<std::vector<float>> out(4, std::vector<float>(512));
    for (int i = 0; i < 512; ++i) in[i] = 0.9f * std::sin(0.05f * i);
    auto block = [&](LimiterEngine** e, int first) {
        processBlockReplace(e, in.data(), in.data(), out[first].data(), out[first + 1].data(), 512);
    };
    block(&engine, 0);
    block(&written, 2);
    setSettingFraction(engine, kGainSetting, 0.9f);
    EXPECT_EQ(takeHostSettingChange(engine), 1);
    LimiterParams changed;
    getParams(engine, &changed);
    setParams(written, &changed);
    block(&engine, 0);
    block(&written, 2);
    EXPECT_EQ(out[0], out[2]);
    EXPECT_EQ(out[1], out[3]);
    EXPECT_NE(out[0][1] / in[1], out[0][100] / in[100]);  // the first samples ramp
    // The same value again: nothing for the editor to show, nothing to ramp.
    setSettingFraction(engine, kGainSetting, 0.9f);
    EXPECT_EQ(takeHostSettingChange(engine), 0);
    EXPECT_EQ(engine->coefficientsValid, 1);
    destroyEngine(&written);
    destroyEngine(&engine);
}

}  // namespace
