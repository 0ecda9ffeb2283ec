// A small effect module for the tests of the loading path: it is loaded with
// LoadLibrary and "main" like a real plug-in, and lets the tests see the
// module instance that its attach handler stored.
#include <new>

#include "plugin/ModuleInstance.h"
#include "plugin/PluginBase.h"

namespace {

int liveProbes = 0;

class ProbeEffect : public PluginBase {
public:
    explicit ProbeEffect(audioMasterCallback host) : PluginBase(host, 1, 2) {
        ++liveProbes;
        setUniqueID(0x51635072);  // 'QcPr'
        setNumInputs(2);
        setCanReplacing(true);
    }
    ~ProbeEffect() override { --liveProbes; }

    // Parameter 0 answers the sample rate, so that a float travels in through
    // the dispatcher and back out through getParameter.
    float getParameter(int32_t index) override { return index == 0 ? getSampleRate() : stored; }
    void setParameter(int32_t, float value) override { stored = value; }

    void process(float** inputs, float** outputs, int32_t frames) override {
        for (int32_t i = 0; i < frames; ++i) outputs[0][i] += inputs[0][i];
    }
    void processReplacing(float** inputs, float** outputs, int32_t frames) override {
        for (int32_t i = 0; i < frames; ++i) outputs[0][i] = 2.0f * inputs[0][i];
    }

private:
    float stored = 0.0f;
};

}  // namespace

extern "C" AEffect* QC_CDECL probeMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    ProbeEffect* effect = new (std::nothrow) ProbeEffect(host);
    return effect ? effect->getAEffect() : nullptr;
}

extern "C" HINSTANCE QC_CDECL probeModuleInstance() { return moduleInstance(); }

extern "C" int QC_CDECL probeLiveCount() { return liveProbes; }
