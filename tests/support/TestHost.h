#pragma once
// The project's own host for tests. It drives an effect the way a real host
// does, only through the record's function pointers, and its host callback
// records every request the effect sends and answers with settable values.
//
//   TestHost host;                               // becomes the active host
//   HostedEffect fx(makeMyEffect(host.callback()));
//   fx.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
//   EXPECT_EQ(host.countOf(audioMasterAutomate), 0);
//
//   PluginModule module("qclamper.dll");         // LoadLibrary + "main"
//   HostedEffect real(module.instantiate(host));
//
// The callback has no user-data argument (the first request, the version
// query of "main", comes without an effect), so it reaches the host that was
// constructed last and is still alive. Hosts nest like scopes.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin/AEffect.h"

class TestHost {
public:
    struct Request {
        AEffect* effect;
        int32_t opcode;
        int32_t index;
        intptr_t value;
        void* ptr;
        float opt;
    };

    TestHost();
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // The callback to hand to an effect; it records into the active host.
    static audioMasterCallback callback();
    static TestHost* active();

    // Answers to the effect's requests.
    int32_t versionAnswer = 1;    // audioMasterVersion
    int32_t currentIdAnswer = 0;  // audioMasterCurrentId
    int32_t pinAnswer = 0;        // audioMasterPinConnected: 0 means connected
    int32_t otherAnswer = 0;      // every other opcode

    std::vector<Request> requests;
    // Runs after each request is recorded, inside the effect's call, as a
    // host's own reaction would.
    std::function<void(const Request&)> onRequest;

    int countOf(int32_t opcode) const;
    void clear() { requests.clear(); }

private:
    static intptr_t QC_CDECL receive(AEffect* effect, int32_t opcode, int32_t index,
                                     intptr_t value, void* ptr, float opt);
    TestHost* previous;
};

// One effect as the host sees it: its record and nothing else. Closes the
// effect (effClose) on destruction unless close() ran already.
class HostedEffect {
public:
    explicit HostedEffect(AEffect* effect) : effect_(effect) {}
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    AEffect* record() const { return effect_; }
    explicit operator bool() const { return effect_ != nullptr; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void process(float** inputs, float** outputs, int32_t sampleFrames);
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);

    // effClose through the record: the effect is gone afterwards. Answers the
    // dispatcher's result (1 from a well-behaved effect).
    intptr_t close();

private:
    AEffect* effect_;
};

// A plug-in module loaded the way a host loads it: LoadLibrary, then the
// exported "main". Unloaded on destruction; close its effects first.
class PluginModule {
public:
    typedef AEffect*(QC_CDECL* EntryPoint)(audioMasterCallback host);

    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return module_ != nullptr && entry_ != nullptr; }
    HMODULE handle() const { return module_; }
    // Calls "main" with the test host's callback; null when the module has no
    // "main", refused, or `host` is not the active host (the one constructed
    // last, which receives the requests).
    AEffect* instantiate(TestHost& host);
    // Any other export of the module, by name.
    FARPROC symbol(const char* name) const;

private:
    HMODULE module_;
    EntryPoint entry_;
};
