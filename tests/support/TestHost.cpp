#include "tests/support/TestHost.h"

namespace {
TestHost* activeHost = nullptr;
}

TestHost::TestHost() : previous(activeHost) { activeHost = this; }

TestHost::~TestHost() { activeHost = previous; }

audioMasterCallback TestHost::callback() { return &TestHost::receive; }

TestHost* TestHost::active() { return activeHost; }

int TestHost::countOf(int32_t opcode) const {
    int n = 0;
    for (const Request& r : requests) n += r.opcode == opcode;
    return n;
}

intptr_t QC_CDECL TestHost::receive(AEffect* effect, int32_t opcode, int32_t index,
                                    intptr_t value, void* ptr, float opt) {
    TestHost* host = activeHost;
    if (!host) return 0;
    const Request request{effect, opcode, index, value, ptr, opt};
    host->requests.push_back(request);
    if (host->onRequest) host->onRequest(request);
    switch (opcode) {
    case audioMasterVersion: return host->versionAnswer;
    case audioMasterCurrentId: return host->currentIdAnswer;
    case audioMasterPinConnected: return host->pinAnswer;
    default: return host->otherAnswer;
    }
}

HostedEffect::~HostedEffect() {
    if (effect_) close();
}

intptr_t HostedEffect::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void HostedEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
    effect_->process(effect_, inputs, outputs, sampleFrames);
}

void HostedEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    effect_->processReplacing(effect_, inputs, outputs, sampleFrames);
}

void HostedEffect::setParameter(int32_t index, float value) {
    effect_->setParameter(effect_, index, value);
}

float HostedEffect::getParameter(int32_t index) { return effect_->getParameter(effect_, index); }

intptr_t HostedEffect::close() {
    AEffect* effect = effect_;
    effect_ = nullptr;
    return effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

PluginModule::PluginModule(const std::string& path)
    : module_(LoadLibraryA(path.c_str())), entry_(nullptr) {
    if (module_) entry_ = reinterpret_cast<EntryPoint>(
        reinterpret_cast<void*>(GetProcAddress(module_, "main")));
}

PluginModule::~PluginModule() {
    if (module_) FreeLibrary(module_);
}

AEffect* PluginModule::instantiate(TestHost& host) {
    if (!entry_ || TestHost::active() != &host) return nullptr;
    return entry_(TestHost::callback());
}

FARPROC PluginModule::symbol(const char* name) const {
    return module_ ? GetProcAddress(module_, name) : nullptr;
}
