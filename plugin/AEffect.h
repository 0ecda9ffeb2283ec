#pragma once
// The effect record: the host's only view of an effect, a block of numbers
// and five function pointers. On the 32-bit target it is 144 bytes,
// little-endian, with 32-bit integers and pointers; the offsets are checked
// below. The header also compiles natively (for tools and portable tests),
// where pointers are wider and the layout checks do not apply.
#include <cstddef>
#include <cstdint>

// Every function pointer of the record and the host callback use the 32-bit
// Windows C convention: arguments pushed last to first, the caller removes
// them. Natively there is only one convention.
#if defined(_WIN32)
#define QC_CDECL __cdecl
#else
#define QC_CDECL
#endif

struct AEffect;

// The host callback: (effect or null, opcode, index, value, ptr, opt).
typedef int32_t(QC_CDECL* audioMasterCallback)(AEffect* effect, int32_t opcode, int32_t index,
                                               int32_t value, void* ptr, float opt);
typedef int32_t(QC_CDECL* AEffectDispatcherProc)(AEffect* effect, int32_t opcode, int32_t index,
                                                 int32_t value, void* ptr, float opt);
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
    int32_t resvd1;
    int32_t resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;  // the owning effect object
    void* user;
    int32_t uniqueID;
    int32_t version;
    AEffectProcessProc processReplacing;
    char future[60];
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
    // The user starts and ends changing a parameter (later hosts; older ones
    // answer 0 and ignore them).
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

// Answer to effIdentify: 'NvEf'.
constexpr int32_t kEffectIdentity = 0x4E764566;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(AEffect) == 144, "the record is 144 bytes on the 32-bit target");
static_assert(offsetof(AEffect, magic) == 0, "magic at 0");
static_assert(offsetof(AEffect, dispatcher) == 4, "dispatcher at 4");
static_assert(offsetof(AEffect, process) == 8, "process at 8");
static_assert(offsetof(AEffect, setParameter) == 12, "setParameter at 12");
static_assert(offsetof(AEffect, getParameter) == 16, "getParameter at 16");
static_assert(offsetof(AEffect, numPrograms) == 20, "numPrograms at 20");
static_assert(offsetof(AEffect, numParams) == 24, "numParams at 24");
static_assert(offsetof(AEffect, numInputs) == 28, "numInputs at 28");
static_assert(offsetof(AEffect, numOutputs) == 32, "numOutputs at 32");
static_assert(offsetof(AEffect, flags) == 36, "flags at 36");
static_assert(offsetof(AEffect, resvd1) == 40, "resvd1 at 40");
static_assert(offsetof(AEffect, resvd2) == 44, "resvd2 at 44");
static_assert(offsetof(AEffect, initialDelay) == 48, "initialDelay at 48");
static_assert(offsetof(AEffect, realQualities) == 52, "realQualities at 52");
static_assert(offsetof(AEffect, offQualities) == 56, "offQualities at 56");
static_assert(offsetof(AEffect, ioRatio) == 60, "ioRatio at 60");
static_assert(offsetof(AEffect, object) == 64, "object at 64");
static_assert(offsetof(AEffect, user) == 68, "user at 68");
static_assert(offsetof(AEffect, uniqueID) == 72, "uniqueID at 72");
static_assert(offsetof(AEffect, version) == 76, "version at 76");
static_assert(offsetof(AEffect, processReplacing) == 80, "processReplacing at 80");
static_assert(offsetof(AEffect, future) == 84, "future at 84, 60 bytes to the end");
#endif
