#pragma once
// The limiter effect that the host drives: adapts the host's requests to the
// engine (audio, chunk, sample rate, on/off) and starts the process-wide
// services (toolkit, editor bitmaps) with its first instance.
#include <cstdint>

#include "limiter/HostLatency.h"
#include "limiter/LimiterEngine.h"
#include "limiter/LimiterParams.h"
#include "plugin/PluginBase.h"

constexpr int32_t kLimiterUniqueId = 0x4B530002;
constexpr int32_t kProgramNameSize = 24;  // 23 characters and the terminator
constexpr int32_t kChunkSize = static_cast<int32_t>(sizeof(LimiterParams));

class LimiterPlugin : public PluginBase {
public:
    explicit LimiterPlugin(audioMasterCallback hostCallback);
    ~LimiterPlugin() override;

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    void setProgram(int32_t program) override;
    void setProgramName(const char* name) override;
    void getProgramName(char* name) override;
    void getParamLabel(int32_t index, char* text) override;
    void getParamDisplay(int32_t index, char* text) override;
    void getParamName(int32_t index, char* text) override;
    int32_t getChunk(void** data, bool isPreset) override;
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;
    void setSampleRate(float rate) override;
    void suspend() override;
    void resume() override;
    void* getEngine() override;
    // Besides the base's opcodes, answers the host's gain-reduction query
    // (limiter/GainReading.h).
    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                        float opt) override;

    LimiterEngine* engine;
    LimiterParams chunkBuffer;
    char (*programNames)[kProgramNameSize];

    // Live LimiterPlugin objects in this process.
    static int32_t instanceCount;

private:
    // After anything that may change the mode or the rate.
    void updateLatency();
    HostLatency latency_;
};

// What `main` creates: a limiter whose construction also creates its editor.
class LimiterPluginWithEditor : public LimiterPlugin {
public:
    explicit LimiterPluginWithEditor(audioMasterCallback hostCallback);
    ~LimiterPluginWithEditor() override;
};

// Set when an instance could not obtain the memory it needs; `main` then
// refuses the instance. Cleared by `main` each time it answers.
extern int16_t g_outOfMemory;
