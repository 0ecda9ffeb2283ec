#include "plugin/PluginBase.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "editor/EditorBase.h"
#include "platform/DefinedFloatState.h"
#include "plugin/ValueText.h"

namespace {

// 'NoEf': the id of an effect that has not set its own.
constexpr int32_t kDefaultUniqueID = 0x4E6F4566;

PluginBase* objectOf(AEffect* effect) { return static_cast<PluginBase*>(effect->object); }

// The five entry functions behind the record's function pointers. Each runs
// its call in the floating-point state the results are defined in, whatever
// state the host's thread is in, and gives the host its state back.
intptr_t QC_CDECL dispatchEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                void* ptr, float opt) {
    DefinedFloatState state;
    PluginBase* object = objectOf(effect);
    if (opcode == effClose) {
        object->dispatcher(opcode, index, value, ptr, opt);
        delete object;
        return 1;
    }
    return object->dispatcher(opcode, index, value, ptr, opt);
}

void QC_CDECL processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames) {
    DefinedFloatState state(FloatUnits::Sse);
    objectOf(effect)->process(inputs, outputs, sampleFrames);
}

void QC_CDECL processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                    int32_t sampleFrames) {
    DefinedFloatState state(FloatUnits::Sse);
    objectOf(effect)->processReplacing(inputs, outputs, sampleFrames);
}

void QC_CDECL setParameterEntry(AEffect* effect, int32_t index, float value) {
    DefinedFloatState state;
    objectOf(effect)->setParameter(index, value);
}

float QC_CDECL getParameterEntry(AEffect* effect, int32_t index) {
    DefinedFloatState state;
    return objectOf(effect)->getParameter(index);
}

// effGetVu's answer: the meter level scaled to 32767 and truncated toward
// zero. A level outside the int32 range (or not a number) would make the
// conversion undefined; it saturates instead, and not-a-number reads 0.
int32_t vuAnswer(float level) {
    const double scaled = static_cast<double>(level) * 32767.0;
    if (std::isnan(scaled)) return 0;
    if (scaled >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (scaled <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

// A pointer-sized value or answer where the operation takes an int32: a
// 64-bit value beyond the int32 range saturates instead of wrapping (a
// chunk size of 4 GiB + 64 must not read as 64). The 32-bit target has
// nothing to saturate.
int32_t int32Of(intptr_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// A host that passes no buffer gets no text.
void writeEmptyText(char* text) {
    if (text) text[0] = '\0';
}

}  // namespace

PluginBase::PluginBase(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams)
    : sampleRate(44100.0f),
      editor(nullptr),
      hostCallback(hostCallback),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0),
      blockSize(1024) {
    std::memset(&effectRecord, 0, sizeof effectRecord);
    effectRecord.magic = kEffectMagic;
    effectRecord.dispatcher = dispatchEntry;
    effectRecord.process = processEntry;
    effectRecord.setParameter = setParameterEntry;
    effectRecord.getParameter = getParameterEntry;
    effectRecord.numPrograms = numPrograms;
    effectRecord.numParams = numParams;
    effectRecord.numInputs = 1;
    effectRecord.numOutputs = 2;
    effectRecord.ioRatio = 1.0f;
    effectRecord.object = this;
    effectRecord.uniqueID = kDefaultUniqueID;
    effectRecord.version = 1;
    effectRecord.processReplacing = processReplacingEntry;
}

PluginBase::~PluginBase() {
    delete editor;
    editor = nullptr;
}

void PluginBase::attachEditor(EditorBase* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, true);
}

// ---- dispatcher ----

intptr_t PluginBase::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) {
    // Unsigned, so that negative opcodes fall outside the table too.
    if (static_cast<uint32_t>(opcode) > static_cast<uint32_t>(kLastDispatcherOpcode)) return 0;
    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(static_cast<const char*>(ptr)); return 0;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); return 0;
    case effGetParamLabel: getParamLabel(index, static_cast<char*>(ptr)); return 0;
    case effGetParamDisplay: getParamDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: getParamName(index, static_cast<char*>(ptr)); return 0;
    case effGetVu: return vuAnswer(getVu());
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(int32Of(value)); return 0;
    case effMainsChanged:
        if (value == 0) suspend(); else resume();
        return 0;
    case effEditGetRect: return editor ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(static_cast<HWND>(ptr)) : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify: return kEffectIdentity;
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return setChunk(ptr, int32Of(value), index != 0);
    default: return 0;  // drawing, mouse, keyboard, top, sleep
    }
}

// ---- defaults ----

void PluginBase::setParameter(int32_t, float) {}
float PluginBase::getParameter(int32_t) { return 0.0f; }
void PluginBase::processReplacing(float**, float**, int32_t) {}
void PluginBase::open() {}
void PluginBase::close() {}
int32_t PluginBase::getProgram() { return curProgram; }
void PluginBase::setProgram(int32_t program) { curProgram = program; }
// The host's name is input: the base ignores it and never writes into it.
void PluginBase::setProgramName(const char*) {}
void PluginBase::getProgramName(char* name) { writeEmptyText(name); }
void PluginBase::getParamLabel(int32_t, char* text) { writeEmptyText(text); }
void PluginBase::getParamDisplay(int32_t, char* text) { writeEmptyText(text); }
void PluginBase::getParamName(int32_t, char* text) { writeEmptyText(text); }
float PluginBase::getVu() { return 0.0f; }
int32_t PluginBase::getChunk(void**, bool) { return 0; }
int32_t PluginBase::setChunk(void*, int32_t, bool) { return 0; }
void PluginBase::setSampleRate(float rate) { sampleRate = rate; }
void PluginBase::setBlockSize(int32_t size) { blockSize = size; }
void PluginBase::suspend() {}
void PluginBase::resume() {}
float PluginBase::getSampleRate() { return sampleRate; }
int32_t PluginBase::getBlockSize() { return blockSize; }
void* PluginBase::getEngine() { return nullptr; }

// ---- record setters ----

void PluginBase::setFlag(int32_t bit, bool state) {
    if (state) {
        effectRecord.flags |= bit;
    } else {
        effectRecord.flags &= ~bit;
    }
}

void PluginBase::setUniqueID(int32_t id) { effectRecord.uniqueID = id; }
void PluginBase::setNumInputs(int32_t count) { effectRecord.numInputs = count; }
void PluginBase::setNumOutputs(int32_t count) { effectRecord.numOutputs = count; }
void PluginBase::setHasVu(bool state) { setFlag(effFlagsHasVu, state); }
void PluginBase::setHasClip(bool state) { setFlag(effFlagsHasClip, state); }
void PluginBase::setCanMono(bool state) { setFlag(effFlagsCanMono, state); }
void PluginBase::setCanReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void PluginBase::setProgramChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void PluginBase::setRealQualities(int32_t count) { effectRecord.realQualities = count; }
void PluginBase::setOffQualities(int32_t count) { effectRecord.offQualities = count; }
void PluginBase::setInitialDelay(int32_t samples) { effectRecord.initialDelay = samples; }

// ---- host operations ----

intptr_t PluginBase::callHost(int32_t opcode, int32_t index, intptr_t value, float opt) {
    return hostCallback(&effectRecord, opcode, index, value, nullptr, opt);
}

void PluginBase::setAndAutomateParameter(int32_t index, float value) {
    setParameter(index, value);
    if (hostCallback) callHost(audioMasterAutomate, index, 0, value);
}

void PluginBase::beginEdit(int32_t index) {
    if (hostCallback) callHost(audioMasterBeginEdit, index, 0, 0.0f);
}

void PluginBase::endEdit(int32_t index) {
    if (hostCallback) callHost(audioMasterEndEdit, index, 0, 0.0f);
}

bool PluginBase::ioChanged() {
    return hostCallback ? callHost(audioMasterIOChanged, 0, 0, 0.0f) != 0 : false;
}

int32_t PluginBase::getHostVersion() {
    if (!hostCallback) return 1;
    const intptr_t version = callHost(audioMasterVersion, 0, 0, 0.0f);
    return version ? int32Of(version) : 1;
}

int32_t PluginBase::getHostCurrentId() {
    return hostCallback ? int32Of(callHost(audioMasterCurrentId, 0, 0, 0.0f)) : 0;
}

void PluginBase::hostIdle() {
    if (hostCallback) callHost(audioMasterIdle, 0, 0, 0.0f);
}

bool PluginBase::inputConnected(int32_t index) {
    return hostCallback ? callHost(audioMasterPinConnected, index, 0, 0.0f) == 0 : true;
}

bool PluginBase::outputConnected(int32_t index) {
    return hostCallback ? callHost(audioMasterPinConnected, index, 1, 0.0f) == 0 : true;
}

// ---- value texts ----

void PluginBase::formatDecibels(float value, char* text) {
    float decibels;
    if (decibelsOfFactor(value, &decibels)) {
        formatFloat(decibels, text);
    } else {
        std::memcpy(text, kMinusInfinityText, kValueTextSize);
    }
}

void PluginBase::formatHertz(float samples, char* text) {
    formatFloat(hertzOfPeriod(samples, getSampleRate()), text);
}

void PluginBase::formatMilliseconds(float samples, char* text) {
    formatFloat(millisecondsOfDuration(samples, getSampleRate()), text);
}

void PluginBase::formatFloat(float value, char* text) { formatFloatText(value, text); }

void PluginBase::formatInteger(int32_t value, char* text) { formatIntegerText(value, text); }
