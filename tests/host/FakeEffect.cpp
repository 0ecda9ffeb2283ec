// A stand-in effect for testing the host program without the real plug-in.
// It takes the limiter's 64-byte chunk, scales each channel by that
// channel's gain and clips it to its limit, records what the host asked of
// it in `fake_state` (an export for the tests), and has an editor that
// paints a known picture.
//
// Environment switches, read by "main":
//   QC_FAKE_EFFECT_DECLINE=1    main returns null
//   QC_FAKE_EFFECT_BAD_RECORD=1 main returns a record without the magic
//   QC_FAKE_EFFECT_CRASH=1      the audio calls write through a null pointer
//   QC_FAKE_EFFECT_GAIN_READING=1  answers the gain reading query with what
//                               its clipping took off since the last one
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "limiter/GainReading.h"
#include "limiter/LimiterSettings.h"
#include "plugin/AEffect.h"
#include "tests/host/FakeEffectState.h"

namespace {

FakeEffectState state;
HINSTANCE moduleInstance;
const char kEditorClass[] = "QcFakeEffectEditor";

struct Fake {
    AEffect record;
    LimiterParams params;
    LimiterParams chunk;
    HWND editor;
    bool crash;
    bool readsGain;
    GainReading reading;  // since the last query
};

struct EditorRect {
    int16_t top, left, bottom, right;
};
EditorRect editorRect = {0, 0, kFakeEditorHeight, kFakeEditorWidth};

LRESULT CALLBACK editorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT all = {0, 0, kFakeEditorWidth, kFakeEditorHeight};
        HBRUSH body = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
        FillRect(dc, &all, body);
        DeleteObject(body);
        RECT corner = {0, 0, 10, 10};
        HBRUSH red = CreateSolidBrush(RGB(0xFF, 0x00, 0x00));
        FillRect(dc, &corner, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

float clip(float v, float limit) { return v > limit ? limit : v < -limit ? -limit : v; }

void run(AEffect* effect, float** inputs, float** outputs, int32_t frames, bool add) {
    Fake* fake = static_cast<Fake*>(effect->object);
    if (fake->crash) *static_cast<volatile float*>(nullptr) = 1.0f;
    if (!state.mainsOn) ++state.callsWhileOff;
    if (frames > state.largestBlock) state.largestBlock = frames;
    state.framesProcessed += frames;
    ++(add ? state.processCalls : state.replacingCalls);
    if (inputs[0] == inputs[1]) state.sameInputBuffers = 1;
    fake->reading.frames += static_cast<uint32_t>(frames);
    for (int c = 0; c < 2; ++c) {
        const ChannelParams& p = fake->params.channel[c];
        GainReadingChannel& r = fake->reading.channel[c];
        for (int32_t i = 0; i < frames; ++i) {
            const float v = clip(inputs[c][i] * p.gain, p.limit);
            outputs[c][i] = add ? outputs[c][i] + v : v;
            // The clip as a gain: the limit over what it cut.
            const float cut = std::fabs(inputs[c][i] * p.gain);
            const float reduction = cut > p.limit ? 20.0f * std::log10(p.limit / cut) : 0.0f;
            if (reduction < r.reductionDecibels) r.reductionDecibels = reduction;
            if (reduction < kLimitingThresholdDecibels) ++r.limitedFrames;
            if (std::fabs(v) > r.outputPeak) r.outputPeak = std::fabs(v);
        }
    }
}

void QC_CDECL processAdd(AEffect* e, float** in, float** out, int32_t n) { run(e, in, out, n, true); }
void QC_CDECL processReplace(AEffect* e, float** in, float** out, int32_t n) { run(e, in, out, n, false); }
void QC_CDECL setParameter(AEffect*, int32_t, float) {}
float QC_CDECL getParameter(AEffect*, int32_t) { return 0.0f; }

intptr_t QC_CDECL dispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    Fake* fake = static_cast<Fake*>(effect->object);
    switch (opcode) {
    case effOpen: ++state.opened; return 0;
    case effClose:
        ++state.closed;
        if (fake->editor) DestroyWindow(fake->editor);
        delete fake;
        return 1;
    case effSetSampleRate: state.sampleRate = opt; return 0;
    case effSetBlockSize: state.blockSize = static_cast<int32_t>(value); return 0;
    case effMainsChanged:
        state.mainsOn = value != 0;
        if (value && state.sampleRate > 0) ++state.resumedWithRate;
        return 0;
    case effGetChunk:
        fake->chunk = fake->params;
        *static_cast<void**>(ptr) = &fake->chunk;
        return 64;
    case effSetChunk:
        if (value == 64 && ptr) std::memcpy(&fake->params, ptr, 64);
        return 64;
    case effEditGetRect: *static_cast<EditorRect**>(ptr) = &editorRect; return 1;
    case effEditOpen: {
        WNDCLASSA wc;
        std::memset(&wc, 0, sizeof wc);
        wc.lpfnWndProc = editorProcedure;
        wc.hInstance = moduleInstance;
        wc.lpszClassName = kEditorClass;
        RegisterClassA(&wc);
        fake->editor = CreateWindowExA(0, kEditorClass, "", WS_CHILD | WS_VISIBLE, 0, 0, kFakeEditorWidth,
                                       kFakeEditorHeight, static_cast<HWND>(ptr), nullptr, moduleInstance, nullptr);
        ++state.editorOpened;
        return 1;
    }
    case effEditClose:
        if (fake->editor && !state.keepEditorWindow) DestroyWindow(fake->editor);
        if (!state.keepEditorWindow) fake->editor = nullptr;
        ++state.editorClosed;
        return 0;
    case effEditIdle: ++state.editorIdles; return 0;
    case kVendorSpecificOpcode:
        if (index != kGainReadingQuery || !fake->readsGain || !ptr) return 0;
        *static_cast<GainReading*>(ptr) = fake->reading;
        std::memset(&fake->reading, 0, sizeof fake->reading);
        return 1;
    default: return 0;
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
    return TRUE;
}

extern "C" FakeEffectState* fakeEffectState() { return &state; }

// Exported as "main" by FakeEffect.def.
extern "C" AEffect* QC_CDECL fakeEffectMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    const char* decline = std::getenv("QC_FAKE_EFFECT_DECLINE");
    if (decline && *decline == '1') return nullptr;
    Fake* fake = new Fake;
    std::memset(fake, 0, sizeof *fake);
    AEffect& r = fake->record;
    r.magic = kEffectMagic;
    const char* bad = std::getenv("QC_FAKE_EFFECT_BAD_RECORD");
    if (bad && *bad == '1') r.magic = 0;
    const char* crash = std::getenv("QC_FAKE_EFFECT_CRASH");
    fake->crash = crash && *crash == '1';
    const char* readsGain = std::getenv("QC_FAKE_EFFECT_GAIN_READING");
    fake->readsGain = readsGain && *readsGain == '1';
    r.dispatcher = dispatcher;
    r.process = processAdd;
    r.processReplacing = processReplace;
    r.setParameter = setParameter;
    r.getParameter = getParameter;
    r.numPrograms = 1;
    r.numParams = 1;
    r.numInputs = 2;
    r.numOutputs = 2;
    r.flags = effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks;
    r.ioRatio = 1.0f;
    r.object = fake;
    r.version = 1;
    for (ChannelParams& c : fake->params.channel) c = defaultChannelParams();
    ++state.created;
    return &r;
}
