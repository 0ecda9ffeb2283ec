#pragma once
// The effect record: the host's only view of an effect, a block of numbers
// and five function pointers. Little-endian; integers are 32-bit, pointers
// and the two reserved words are pointer-sized: 144 bytes on the 32-bit
// target, 192 bytes on the 64-bit one. The offsets of both are checked
// below. The header also compiles natively (for tools and portable tests).
#include <cstddef>
#include <cstdint>

// Every function pointer of the record and the host callback use the 32-bit
// Windows C convention: arguments pushed last to first, the caller removes
// them. The 64-bit target and native builds have only one convention.
#if defined(_WIN32)
#define QC_CDECL __cdecl
#else
#define QC_CDECL
#endif

struct AEffect;

// The host callback: (effect or null, opcode, index, value, ptr, opt). The
// value and the answer are pointer-sized; opcode and index stay 32-bit.
typedef intptr_t(QC_CDECL* audioMasterCallback)(AEffect* effect, int32_t opcode, int32_t index,
                                                intptr_t value, void* ptr, float opt);
typedef intptr_t(QC_CDECL* AEffectDispatcherProc)(AEffect* effect, int32_t opcode, int32_t index,
                                                  intptr_t value, void* ptr, float opt);
typedef void(QC_CDECL* AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs,
                                           int32_t sampleFrames);
typedef void(QC_CDECL* AEffectSetParameterProc)(AEffect* effect, int32_t index, float value);
typedef float(QC_CDECL* AEffectGetParameterProc)(AEffect* effect, int32_t index);

// 'VstP' as a little-endian int32: bytes 50 74 73 56 in memory.
constexpr int32_t kEffectMagic = 0x56737450;

struct AEffect {
    int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t resvd1;
    intptr_t resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;  // the owning effect object
    void* user;
    int32_t uniqueID;
    int32_t version;
    AEffectProcessProc processReplacing;
    // Later hosts read this slot as a double-precision processing function.
    // It stays null, and no flag claims it.
    void* processDoubleSlot;
    char future[56];
};

// Bits of AEffect::flags.
enum : int32_t {
    effFlagsHasEditor = 0x01,
    effFlagsHasClip = 0x02,
    effFlagsHasVu = 0x04,
    effFlagsCanMono = 0x08,
    effFlagsCanReplacing = 0x10,
    effFlagsProgramChunks = 0x20,
};

// Opcodes of the record's dispatcher. The table ends at effSetChunk.
enum : int32_t {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditDraw = 16,
    effEditMouse = 17,
    effEditKey = 18,
    effEditIdle = 19,
    effEditTop = 20,
    effEditSleep = 21,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    kLastDispatcherOpcode = effSetChunk,
};

// Opcodes an effect sends to the host callback.
enum : int32_t {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    // The effect's inputs, outputs or initialDelay changed (later hosts;
    // older ones answer 0 and read them at the next resume).
    audioMasterIOChanged = 13,
    // The user starts and ends changing a parameter (later hosts; older ones
    // answer 0 and ignore them).
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

// Answer to effIdentify: 'NvEf'.
constexpr int32_t kEffectIdentity = 0x4E764566;

// Checks one field's offset on both Windows targets: (field, 32-bit, 64-bit).
#define QC_RECORD_FIELD_AT(field, at32, at64)                                           \
    static_assert(offsetof(AEffect, field) == (sizeof(void*) == 8 ? (at64) : (at32)), \
                  #field " at " #at32 " (32-bit) or " #at64 " (64-bit)")
#if defined(_WIN32)
static_assert(sizeof(AEffect) == (sizeof(void*) == 8 ? 192 : 144),
              "the record is 144 bytes on the 32-bit target, 192 on the 64-bit one");
QC_RECORD_FIELD_AT(magic, 0, 0);
QC_RECORD_FIELD_AT(dispatcher, 4, 8);
QC_RECORD_FIELD_AT(process, 8, 16);
QC_RECORD_FIELD_AT(setParameter, 12, 24);
QC_RECORD_FIELD_AT(getParameter, 16, 32);
QC_RECORD_FIELD_AT(numPrograms, 20, 40);
QC_RECORD_FIELD_AT(numParams, 24, 44);
QC_RECORD_FIELD_AT(numInputs, 28, 48);
QC_RECORD_FIELD_AT(numOutputs, 32, 52);
QC_RECORD_FIELD_AT(flags, 36, 56);
QC_RECORD_FIELD_AT(resvd1, 40, 64);
QC_RECORD_FIELD_AT(resvd2, 44, 72);
QC_RECORD_FIELD_AT(initialDelay, 48, 80);
QC_RECORD_FIELD_AT(realQualities, 52, 84);
QC_RECORD_FIELD_AT(offQualities, 56, 88);
QC_RECORD_FIELD_AT(ioRatio, 60, 92);
QC_RECORD_FIELD_AT(object, 64, 96);
QC_RECORD_FIELD_AT(user, 68, 104);
QC_RECORD_FIELD_AT(uniqueID, 72, 112);
QC_RECORD_FIELD_AT(version, 76, 116);
QC_RECORD_FIELD_AT(processReplacing, 80, 120);
QC_RECORD_FIELD_AT(processDoubleSlot, 84, 128);
QC_RECORD_FIELD_AT(future, 88, 136);
#endif
#undef QC_RECORD_FIELD_AT
