#pragma once
// What the fake effect records about its host; read by the tests through
// the fake's "fake_state" export.
#include <cstdint>

constexpr int kFakeEditorWidth = 549;
constexpr int kFakeEditorHeight = 93;

struct FakeEffectState {
    int32_t created;
    int32_t opened;
    int32_t closed;
    float sampleRate;
    int32_t blockSize;
    int32_t mainsOn;
    int32_t resumedWithRate;   // effMainsChanged 1 after a sample rate arrived
    int32_t callsWhileOff;     // audio calls while switched off
    int32_t largestBlock;
    int64_t framesProcessed;
    int32_t processCalls;
    int32_t replacingCalls;
    int32_t sameInputBuffers;  // seen inputs[0] == inputs[1]
    int32_t editorOpened;
    int32_t editorClosed;
    int32_t editorIdles;
    int32_t keepEditorWindow;  // set by a test: effEditClose leaves the window
};

typedef FakeEffectState*(__cdecl* FakeStateProc)();
