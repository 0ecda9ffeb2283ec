#pragma once
// The generic effect base class. It owns the effect record that the host
// sees, routes the record's five function pointers to its virtual
// operations, decodes the dispatcher opcodes, and gives every operation a
// default that a derived effect may replace.
//
// The host reaches an object only through its embedded record: the record's
// `object` field leads back to the object, and the entry functions behind the
// record's function pointers check nothing (a record whose object is not a
// live PluginBase is the host's fault). effClose through the record's
// dispatcher runs `close` and then deletes the object.
//
// The order of the virtual operations below is the effect's fixed slot
// order; keep new operations out of this class or append them at the end.
#include <cstdint>

#include "plugin/AEffect.h"

class EditorBase;

class PluginBase {
public:
    PluginBase(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams);
    PluginBase(const PluginBase&) = delete;
    PluginBase& operator=(const PluginBase&) = delete;

    // Slot 0. Destroys the editor, if there is one.
    virtual ~PluginBase();

    // Slots 1 to 5: parameters and audio.
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    // Calls setParameter, then tells the host (audioMasterAutomate).
    virtual void setAndAutomateParameter(int32_t index, float value);
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);

    // Slot 6: decodes opcodes 0 to 24 into the operations below or the
    // editor's; every other opcode answers 0. The value and the answer are
    // pointer-sized, as in the record's dispatcher.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt);

    // Slots 7 to 22: what the dispatcher calls.
    virtual void open();
    virtual void close();
    virtual int32_t getProgram();
    virtual void setProgram(int32_t program);
    virtual void setProgramName(const char* name);
    virtual void getProgramName(char* name);
    virtual void getParamLabel(int32_t index, char* text);
    virtual void getParamDisplay(int32_t index, char* text);
    virtual void getParamName(int32_t index, char* text);
    virtual float getVu();
    // Hands the host the address of the chunk through *data; answers its size.
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(int32_t size);
    virtual void suspend();
    virtual void resume();

    // Slots 23 to 33: each writes one field of the record, or one flag bit,
    // and nothing else.
    virtual void setUniqueID(int32_t id);
    virtual void setNumInputs(int32_t count);
    virtual void setNumOutputs(int32_t count);
    virtual void setHasVu(bool state);
    virtual void setHasClip(bool state);
    virtual void setCanMono(bool state);
    virtual void setCanReplacing(bool state);
    virtual void setProgramChunks(bool state);
    virtual void setRealQualities(int32_t count);
    virtual void setOffQualities(int32_t count);
    virtual void setInitialDelay(int32_t samples);

    // Slots 34 to 40: current settings and questions to the host.
    virtual float getSampleRate();
    virtual int32_t getBlockSize();
    // The host's version; 1 without a host callback or when it answers 0.
    virtual int32_t getHostVersion();
    // The host's answer unchanged; 0 without a host callback.
    virtual int32_t getHostCurrentId();
    virtual void hostIdle();
    // The host answers 0 for a connected pin; true without a host callback.
    virtual bool inputConnected(int32_t index);
    virtual bool outputConnected(int32_t index);

    // Slots 41 to 45: fixed-width texts (see plugin/ValueText.h). The first
    // three go through the virtual formatFloat and getSampleRate.
    virtual void formatDecibels(float value, char* text);
    virtual void formatHertz(float samples, char* text);
    virtual void formatMilliseconds(float samples, char* text);
    virtual void formatFloat(float value, char* text);
    virtual void formatInteger(int32_t value, char* text);

    // Slot 46: the effect's DSP engine, for its editor; null in the base.
    virtual void* getEngine();

    // Not part of the slot table.
    AEffect* getAEffect() { return &effectRecord; }
    // Makes `newEditor` the effect's editor (owned from now on) and sets
    // effFlagsHasEditor. Called by the editor's construction.
    void attachEditor(EditorBase* newEditor);
    // Tell the host that the user starts and ends a change of a parameter,
    // so that it records the changes between as one gesture. Nothing is sent
    // without a host callback.
    void beginEdit(int32_t index);
    void endEdit(int32_t index);
    // Tells the host that initialDelay or the inputs and outputs changed;
    // answers whether it took note (0 from a host that does not offer it).
    // Nothing is sent without a host callback.
    bool ioChanged();

    float sampleRate;
    EditorBase* editor;
    audioMasterCallback hostCallback;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram;
    int32_t blockSize;
    AEffect effectRecord;

private:
    void setFlag(int32_t bit, bool state);
    intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, float opt);
};
