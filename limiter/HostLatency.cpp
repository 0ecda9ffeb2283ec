#include "limiter/HostLatency.h"

#include "plugin/PluginBase.h"

bool HostLatency::onAudioThread() const {
    return audioThread_.load(std::memory_order_relaxed) == GetCurrentThreadId();
}

void HostLatency::update(PluginBase& effect, int32_t frames) {
    AEffect* record = effect.getAEffect();
    if (record->initialDelay == frames) return;
    effect.setInitialDelay(frames);
    if (!running_.load()) return;
    untold_.store(true);
    dispatcherCalled(effect);
}

void HostLatency::dispatcherCalled(PluginBase& effect) {
    if (onAudioThread() || !untold_.exchange(false)) return;
    effect.ioChanged();
}

void HostLatency::mainsChanged(bool running) {
    running_.store(running);
    untold_.store(false);
}
