#include "limiter/LimiterEngine.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "limiter/EngineEntry.h"
#include "limiter/LimiterSettings.h"

namespace {

std::atomic<int32_t> g_liveEngines{0};

// A non-finite field would poison the envelope for good (a NaN or zero gain
// never recovers), so such a field drives the coefficients with its default;
// a ceiling outside its safe span drives its nearest end. The stored block
// keeps the bytes it was given.
float applied(const ChannelParams& p, SettingIndex i) {
    return appliedValue(kSettings[i], p.*kSettings[i].field);
}

void deriveChannel(const ChannelParams& p, ChannelState& s) {
    const double compression = applied(p, kCompressionSetting);
    s.drive = static_cast<float>(compression - static_cast<double>(0.99999f));
    s.gain = applied(p, kGainSetting);

    double recovery = static_cast<double>(applied(p, kVelocitySetting)) *
                          static_cast<double>(0.0001f) + 1.0;
    // A factor below 1 (a negative velocity) would shrink the envelope every
    // sample until it reaches zero, where no later setting could revive it:
    // such a velocity holds the envelope as a velocity of zero does.
    if (recovery < 1.0) recovery = 1.0;
    s.recoveryFactor = static_cast<float>(recovery);
    s.recoveryInverse = static_cast<float>(1.0 / recovery);
    s.limit = applied(p, kLimitSetting);
}

void resetChannel(ChannelState& s) {
    s.lastLevel = 1e-30f;
    s.envelopeGain = 1.0f;
}

}  // namespace

LimiterEngine* createEngine() {
    auto* engine = static_cast<LimiterEngine*>(std::malloc(sizeof(LimiterEngine)));
    if (!engine) return nullptr;
    std::memset(engine, 0, sizeof(LimiterEngine));
    engine->sampleRate = 44100.0f;
    lockInit(&engine->lock);
    engine->params.channel[0] = defaultChannelParams();
    engine->params.channel[1] = engine->params.channel[0];
    engine->startsFresh = 1;
    initGainMeter(&engine->gainMeter);
    g_liveEngines.fetch_add(1);
    return engine;
}

void destroyEngine(LimiterEngine** slot) {
    if (!slot || !*slot) return;
    LimiterEngine* engine = *slot;
    *slot = nullptr;
    lockDelete(&engine->lock);
    std::free(engine);
    g_liveEngines.fetch_sub(1);
}

void releaseEngine(LimiterEngine** slot) {
    if (!slot) return;
    LimiterEngine* engine = engineInSlot(slot);
    if (!engine) return;
    // The owner's slot is cleared here, while the owner is certainly alive.
    // A block in progress destroys the engine through its own copy of the
    // pointer, so nothing ever writes into an owner destroyed meanwhile.
    clearSlot(slot);
    lockEnter(&engine->lock);
    // From here on a block that takes the lock finds the engine given up.
    engine->deletePending = 1;
    const bool blockInProgress = engine->busy == 1;
    lockLeave(&engine->lock);
    if (blockInProgress) return;  // that block frees it when it ends
    waitUntilNoCallInside(&engine->callsInside);
    destroyEngine(&engine);
}

int32_t configureEngine(LimiterEngine** slot, float sampleRate, int32_t channelCount) {
    if (!slot || !*slot) return 0;
    LimiterEngine* engine = *slot;
    if (engine->sampleRate == sampleRate && engine->channelCount == channelCount) return 1;
    engine->sampleRate = sampleRate;
    engine->channelCount = channelCount;
    resetChannels(engine);
    deriveCoefficients(engine);
    return 1;
}

void resetEngine(LimiterEngine** slot) {
    if (slot && *slot) resetChannels(*slot);
}

void suspendEngine(LimiterEngine**) {}

int32_t resetChannels(LimiterEngine* engine) {
    resetChannel(engine->channelState[0]);
    if (engine->channelCount == 2) resetChannel(engine->channelState[1]);
    engine->coefficientsValid = 0;
    engine->startsFresh = 1;
    return 1;
}

void deriveCoefficients(LimiterEngine* engine) {
    deriveChannel(engine->params.channel[0], engine->channelState[0]);
    if (engine->channelCount == 2) deriveChannel(engine->params.channel[1], engine->channelState[1]);
    engine->coefficientsValid = 1;
}

// Under the lock: a host may set a parameter from its audio thread.
void getParams(LimiterEngine* engine, void* destination) {
    lockEnter(&engine->lock);
    std::memcpy(destination, &engine->params, sizeof(LimiterParams));
    lockLeave(&engine->lock);
}

void setParams(LimiterEngine* engine, const void* source) {
    lockEnter(&engine->lock);
    std::memcpy(&engine->params, source, sizeof(LimiterParams));
    engine->coefficientsValid = 0;
    lockLeave(&engine->lock);
}

void setMute(LimiterEngine* engine, int32_t mute) {
    lockEnter(&engine->lock);
    engine->mute = mute;
    lockLeave(&engine->lock);
}

int32_t getMute(LimiterEngine* engine) {
    lockEnter(&engine->lock);
    const int32_t mute = engine->mute;
    lockLeave(&engine->lock);
    return mute;
}

int32_t readGainReduction(LimiterEngine* engine, GainReader reader, GainReading* reading) {
    if (!engine || !reading) return 0;
    if (reader == kHostReader) __atomic_store_n(&engine->countsLimitedFrames, 1, __ATOMIC_RELAXED);
    return takeGainReading(&engine->gainMeter, reader, reading) ? 1 : 0;
}

int32_t liveEngineCount() { return g_liveEngines.load(); }
