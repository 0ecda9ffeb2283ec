#include "limiter/LimiterPlugin.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/EditorBitmaps.h"
#include "editor/LimiterEditor.h"
#include "limiter/BufferRouting.h"
#include "limiter/EngineSettings.h"
#include "limiter/ModeParameter.h"
#include "plugin/ModuleInstance.h"
#include "toolkit/ModuleDirectory.h"
#include "toolkit/ToolkitModule.h"

int32_t LimiterPlugin::instanceCount = 0;
int16_t g_outOfMemory = 0;

namespace {
const char kApplicationName[] = "Q-Clamper";
const char kDefaultProgramName[] = "Program 1";

// Hosts reserve 8 characters and the terminator for these texts; a host
// asking of an index that is no parameter gets an empty text.
void copyHostText(const char* source, char* destination) {
    if (!destination) return;
    destination[0] = '\0';
    if (source) std::strncat(destination, source, kValueTextSize - 1);
}

const SettingInfo* settingAt(int32_t index) {
    return index >= 0 && index < kSettingCount ? &kSettings[index] : nullptr;
}
}  // namespace

LimiterPlugin::LimiterPlugin(audioMasterCallback hostCallback)
    : PluginBase(hostCallback, 1, kParameterCount), engine(nullptr), chunkBuffer(), programNames(nullptr) {
    if (instanceCount == 0) {
        const HINSTANCE instance = moduleInstance();
        store_module_directory(instance);
        init_toolkit(instance, kApplicationName);
        loadEditorBitmaps(instance);
    }
    ++instanceCount;

    engine = createEngine();
    if (engine) {
        configureEngine(&engine, 44100.0f, 2);
        getParams(engine, &chunkBuffer);
    } else {
        g_outOfMemory = 1;
    }

    programNames = static_cast<char(*)[kProgramNameSize]>(std::calloc(1, kProgramNameSize));
    if (programNames) std::strcpy(programNames[0], kDefaultProgramName);

    setNumInputs(2);
    setNumOutputs(2);
    setCanReplacing(true);
    setUniqueID(kLimiterUniqueId);
    setProgramChunks(true);
    if (programNames) setProgram(0);
    setCanMono(true);
}

LimiterPlugin::~LimiterPlugin() {
    releaseEngine(&engine);
    std::free(programNames);
    programNames = nullptr;
    if (--instanceCount == 0) {
        freeEditorBitmaps();
        terminate_toolkit();
    }
}

// Hosts call these from any thread, the audio thread included: they go
// through the engine's lock and never reach the editor, which shows a host's
// change at its next idle call.
void LimiterPlugin::setParameter(int32_t index, float value) {
    LimiterMode mode;
    if (index != kModeParameter) {
        setSettingFraction(engine, index, value);
    } else if (modeAtFraction(value, &mode)) {
        setEngineMode(engine, mode, true);
        updateLatency();
    }
}

float LimiterPlugin::getParameter(int32_t index) {
    if (index == kModeParameter) return modeInfo(engineMode(engine)).fraction;
    return settingFraction(engine, index);
}

void LimiterPlugin::updateLatency() { latency_.update(*this, engineLatencyFrames(engine)); }

// The host's reader is its own: its readings never take from the editor's.
// A latency change still untold is told at any call but the last and the
// host's suspend or resume, where it reads initialDelay anyway.
intptr_t LimiterPlugin::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                   float opt) {
    if (opcode != effClose && opcode != effMainsChanged) latency_.dispatcherCalled(*this);
    if (opcode == kVendorSpecificOpcode && index == kGainReadingQuery) {
        return readGainReduction(engine, kHostReader, static_cast<GainReading*>(ptr));
    }
    return PluginBase::dispatcher(opcode, index, value, ptr, opt);
}

void LimiterPlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    latency_.audioBlockStarts();
    routeAudioBlock(&engine, sampleRate, inputs, outputs, sampleFrames, StoreForm::Add);
}

void LimiterPlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    latency_.audioBlockStarts();
    routeAudioBlock(&engine, sampleRate, inputs, outputs, sampleFrames, StoreForm::Replace);
}

void LimiterPlugin::setProgram(int32_t program) { curProgram = program; }

// A name longer than an entry holds is cut to 23 characters.
void LimiterPlugin::setProgramName(const char* name) {
    if (!programNames || !name) return;
    char* entry = programNames[curProgram];
    std::strncpy(entry, name, kProgramNameSize - 1);
    entry[kProgramNameSize - 1] = '\0';
}

void LimiterPlugin::getProgramName(char* name) {
    if (!name) return;
    if (!programNames) {
        name[0] = '\0';
        return;
    }
    std::memcpy(name, programNames[curProgram], std::strlen(programNames[curProgram]) + 1);
}

// The mode has no unit.
void LimiterPlugin::getParamLabel(int32_t index, char* text) {
    const SettingInfo* s = settingAt(index);
    copyHostText(s ? unitLabel(*s) : nullptr, text);
}

void LimiterPlugin::getParamDisplay(int32_t index, char* text) {
    if (index == kModeParameter) {
        copyHostText(modeInfo(engineMode(engine)).display, text);
    } else if (text) {
        settingDisplay(engine, index, text);
    }
}

void LimiterPlugin::getParamName(int32_t index, char* text) {
    const SettingInfo* s = settingAt(index);
    copyHostText(index == kModeParameter ? kModeParameterName : s ? s->parameterName : nullptr, text);
}

int32_t LimiterPlugin::getChunk(void** data, bool) {
    if (engine) getParams(engine, &chunkBuffer);
    if (data) *data = &chunkBuffer;
    return kChunkSize;
}

// A null block changes nothing: there is nothing to read.
int32_t LimiterPlugin::setChunk(void* data, int32_t byteSize, bool) {
    if (byteSize != kChunkSize || !data) return kChunkSize;
    std::memcpy(&chunkBuffer, data, kChunkSize);
    if (engine) setParams(engine, &chunkBuffer);
    updateLatency();
    if (editor) editor->update();
    return kChunkSize;
}

void LimiterPlugin::setSampleRate(float rate) {
    sampleRate = rate;
    if (sampleRate > 100.0f) configureEngine(&engine, rate, 2);
    updateLatency();
}

void LimiterPlugin::suspend() {
    latency_.mainsChanged(false);
    if (sampleRate > 100.0f) suspendEngine(&engine);
}

void LimiterPlugin::resume() {
    latency_.mainsChanged(true);
    if (sampleRate > 100.0f) resetEngine(&engine);
}

void* LimiterPlugin::getEngine() { return engine; }

LimiterPluginWithEditor::LimiterPluginWithEditor(audioMasterCallback hostCallback)
    : LimiterPlugin(hostCallback) {
    // The editor attaches itself to this effect, which then owns it. Without
    // memory for it the effect simply runs without an editor.
    new (std::nothrow) LimiterEditor(this);
}

// A host that closes the effect with its editor still open: the window goes
// now, while the engine, the editor bitmaps and the toolkit that its controls
// use are still there (the effect layer's destructor releases them next).
LimiterPluginWithEditor::~LimiterPluginWithEditor() {
    if (editor) editor->close();
}
