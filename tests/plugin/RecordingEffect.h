#pragma once
// Test effects derived from the plug-in base: one that records every virtual
// operation the record's entry functions and the dispatcher reach, with its
// arguments, and an editor that does the same.
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/EditorBase.h"
#include "plugin/PluginBase.h"

using CallLog = std::vector<std::string>;

inline std::string callText(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline std::string callText(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// An effect that keeps every default except the audio it must supply.
class MinimalEffect : public PluginBase {
public:
    using PluginBase::PluginBase;
    void process(float**, float**, int32_t) override {}
};

// Records into a log that outlives it, so that its destruction is visible.
class RecordingEffect : public PluginBase {
public:
    RecordingEffect(CallLog& log, audioMasterCallback host = nullptr, int32_t programs = 4,
                    int32_t params = 3)
        : PluginBase(host, programs, params), log(log) {}
    ~RecordingEffect() override { log.push_back("destroyed"); }

    void setParameter(int32_t index, float value) override {
        log.push_back(callText("setParameter(%d, %g)", index, value));
    }
    float getParameter(int32_t index) override {
        log.push_back(callText("getParameter(%d)", index));
        return parameterAnswer;
    }
    void process(float** in, float** out, int32_t frames) override {
        log.push_back(callText("process(%p, %p, %d)", static_cast<void*>(in),
                               static_cast<void*>(out), frames));
    }
    void processReplacing(float** in, float** out, int32_t frames) override {
        log.push_back(callText("processReplacing(%p, %p, %d)", static_cast<void*>(in),
                               static_cast<void*>(out), frames));
    }
    void open() override { log.push_back("open()"); }
    void close() override { log.push_back("close()"); }
    int32_t getProgram() override {
        log.push_back("getProgram()");
        return 77;
    }
    void setProgram(int32_t program) override {
        log.push_back(callText("setProgram(%d)", program));
        PluginBase::setProgram(program);
    }
    void setProgramName(const char* name) override {
        log.push_back(callText("setProgramName(%p)", static_cast<const void*>(name)));
    }
    void getProgramName(char* name) override {
        log.push_back(callText("getProgramName(%p)", static_cast<void*>(name)));
    }
    void getParamLabel(int32_t index, char* text) override {
        log.push_back(callText("getParamLabel(%d, %p)", index, static_cast<void*>(text)));
    }
    void getParamDisplay(int32_t index, char* text) override {
        log.push_back(callText("getParamDisplay(%d, %p)", index, static_cast<void*>(text)));
    }
    void getParamName(int32_t index, char* text) override {
        log.push_back(callText("getParamName(%d, %p)", index, static_cast<void*>(text)));
    }
    float getVu() override {
        log.push_back("getVu()");
        return vu;
    }
    int32_t getChunk(void** data, bool isPreset) override {
        log.push_back(callText("getChunk(%p, %d)", static_cast<void*>(data), isPreset));
        return 64;
    }
    int32_t setChunk(void* data, int32_t size, bool isPreset) override {
        log.push_back(callText("setChunk(%p, %d, %d)", data, size, isPreset));
        return 65;
    }
    void setSampleRate(float rate) override { log.push_back(callText("setSampleRate(%g)", rate)); }
    void setBlockSize(int32_t size) override { log.push_back(callText("setBlockSize(%d)", size)); }
    void suspend() override { log.push_back("suspend()"); }
    void resume() override { log.push_back("resume()"); }

    CallLog& log;
    float vu = 0.0f;
    float parameterAnswer = 0.25f;
};

// An editor that records its operations; `getRect` and `open` answer like a
// real editor when `answers` is set, and fall back to the base otherwise.
class RecordingEditor : public EditorBase {
public:
    RecordingEditor(PluginBase* effect, CallLog& log) : EditorBase(effect), log(log) {}
    ~RecordingEditor() override { log.push_back("editor destroyed"); }

    int32_t getRect(ERect** rect) override {
        log.push_back(callText("editor getRect(%p)", static_cast<void*>(rect)));
        if (!answers) return EditorBase::getRect(rect);
        *rect = &area;
        return 1;
    }
    int32_t open(HWND parent) override {
        log.push_back(callText("editor open(%p)", static_cast<void*>(parent)));
        const int32_t base = EditorBase::open(parent);
        return answers ? 1 : base;
    }
    void close() override { log.push_back("editor close()"); }
    void idle() override {
        log.push_back("editor idle()");
        EditorBase::idle();
    }
    void update() override { log.push_back("editor update()"); }

    CallLog& log;
    bool answers = true;
    ERect area{0, 0, 93, 549};
};
