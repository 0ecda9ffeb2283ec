// The module's results do not depend on the floating-point state of the
// host's thread: a host that sets the x87 precision to 24 bits, flush-to-zero
// and denormals-are-zero or another rounding mode gets the same bits from
// every call as one that leaves the state as a program starts, and finds its
// own state as it left it after each call.
#include <gtest/gtest.h>
#include <windows.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/AEffect.h"
#include "tests/support/TestHost.h"

namespace {

struct HostState {
    const char* name;
    uint16_t x87;
    uint32_t mxcsr;
};

// 0x037F / 0x1F80 is the state a program starts in; the rounding mode is
// bits 10-11 of the x87 word and bits 13-14 of MXCSR, flush-to-zero and
// denormals-are-zero are MXCSR's 0x8040.
const HostState kHostStates[] = {
    {"as a program starts", 0x037F, 0x1F80},
    {"x87 precision 24 bits", 0x007F, 0x1F80},
    {"x87 precision 53 bits", 0x027F, 0x1F80},
    {"flush to zero, denormals are zero", 0x037F, 0x9FC0},
    {"round up", 0x0B7F, 0x5F80},
    {"round toward zero", 0x0F7F, 0x7F80},
    {"24 bits, round down, flushing", 0x047F, 0xBFC0},
};

uint16_t x87Control() {
    uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}

void setThreadState(uint16_t x87, uint32_t mxcsr) {
    __asm__ __volatile__("fldcw %0" : : "m"(x87));
    _mm_setcsr(mxcsr);
}

uint32_t bitsOf(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

float floatOf(uint32_t b) {
    float v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

std::string pluginPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "Q-Clamper.dll";
}

HWND hostWindow() {
    static HWND window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 160,
                                         nullptr, nullptr, nullptr, nullptr);
    return window;
}

constexpr int kFrames = 300;
// Channel 1's gain and limit among the chunk's floats; channel 2's follow 4 on.
constexpr int kGainOffset = 9, kLimitOffset = 11;

// Everything the session feeds the module, made before the host's state is
// set: the host's own arithmetic is not what is tested. Loud audio with
// denormals of scattered mantissas between, large enough that keeping them
// or taking them as zero can round a shaped sample apart.
struct SessionInput {
    std::vector<float> fractions, chunkGains, left, right;
    SessionInput() : left(kFrames), right(kFrames) {
        for (int i = 0; i <= 200; ++i) fractions.push_back(static_cast<float>(i) / 200.0f);
        for (int i = 0; i < 200; ++i) chunkGains.push_back(0.05f + 0.0791f * static_cast<float>(i));
        for (int i = 0; i < kFrames; ++i) {
            const float wave = static_cast<float>((i * 37) % 101 - 50) / 40.0f;
            const uint32_t denormal = ((static_cast<uint32_t>(i) * 2654435761u) & 0x003FFFFFu) | 0x00400000u;
            left[i] = i % 3 == 0 ? floatOf(denormal) : wave;
            right[i] = i % 5 == 0 ? -floatOf(denormal ^ 0x001F0F0Fu) : 0.25f * wave;
        }
    }
};

// What the module answered, and how many calls left the host's state
// other than the host set it.
struct Answers {
    std::vector<uint32_t> bits;
    std::string texts;
    int stateChanges = 0;
};

void play(HostedEffect& fx, const SessionInput& in, const HostState& state, Answers& a) {
    auto checkState = [&] {
        if (x87Control() != state.x87 || (_mm_getcsr() & ~0x3Fu) != state.mxcsr) ++a.stateChanges;
    };
    auto chunk = [&](uint32_t* words) {
        void* data = nullptr;
        fx.dispatch(effGetChunk, 0, 0, &data);
        std::memcpy(words, data, 64);
        checkState();
    };
    auto keepChunk = [&] {
        uint32_t words[16];
        chunk(words);
        a.bits.insert(a.bits.end(), words, words + 16);
    };
    auto setChunkFloat = [&](int offset, float value) {  // in both channels
        uint32_t words[16];
        chunk(words);
        words[offset] = words[offset + 4] = bitsOf(value);
        fx.dispatch(effSetChunk, 0, 64, words);
    };
    auto keepParameter = [&](int32_t index) {
        char text[64] = {};
        a.bits.push_back(bitsOf(fx.getParameter(index)));
        fx.dispatch(effGetParamDisplay, index, 0, text);
        a.texts = a.texts + text + '|';
        checkState();
    };
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx.dispatch(effMainsChanged, 0, 1);
    // Parameters: every setting at fractions across its travel; chunk gains
    // read back as fractions.
    for (int32_t index = 0; index < 4; ++index) {
        for (float f : in.fractions) {
            fx.setParameter(index, f);
            keepParameter(index);
        }
        keepChunk();
    }
    for (float gain : in.chunkGains) {
        setChunkFloat(kGainOffset, gain);
        keepParameter(1);
    }
    // Audio in both forms, a parameter ramping into each block; from the
    // fifth block a ceiling so low that quiet outputs are denormals.
    std::vector<float> out1(kFrames), out2(kFrames);
    float* inputs[2] = {const_cast<float*>(in.left.data()), const_cast<float*>(in.right.data())};
    float* outputs[2] = {out1.data(), out2.data()};
    for (int block = 0; block < 8; ++block) {
        if (block == 4) setChunkFloat(kLimitOffset, 3e-9f);
        fx.setParameter(block % 3, in.fractions[(block * 23) % in.fractions.size()]);
        std::fill(out1.begin(), out1.end(), 0.125f);
        std::fill(out2.begin(), out2.end(), 0.125f);
        if (block % 2 == 0) fx.processReplacing(inputs, outputs, kFrames);
        else fx.process(inputs, outputs, kFrames);
        checkState();
        for (int i = 0; i < kFrames; ++i) a.bits.insert(a.bits.end(), {bitsOf(out1[i]), bitsOf(out2[i])});
    }
    // The editor: the gain knob (id 1) stepped with the arrow keys.
    if (fx.dispatch(effEditOpen, 0, 0, hostWindow()) == 0) return;
    HWND gainKnob = GetDlgItem(GetWindow(hostWindow(), GW_CHILD), 1);
    for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_UP, VK_LEFT}) {
        SendMessageA(gainKnob, WM_KEYDOWN, key, 0);
        keepChunk();
    }
    fx.dispatch(effEditClose);
    checkState();
}

Answers session(const SessionInput& in, const HostState& state) {
    Answers a;
    setThreadState(state.x87, state.mxcsr);
    {
        TestHost host;
        PluginModule module(pluginPath());
        HostedEffect fx(module.instantiate(host));
        if (fx) play(fx, in, state, a);
    }
    if (x87Control() != state.x87 || (_mm_getcsr() & ~0x3Fu) != state.mxcsr) ++a.stateChanges;
    setThreadState(kHostStates[0].x87, kHostStates[0].mxcsr);
    return a;
}

size_t differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

TEST(FloatState, EveryHostStateGetsTheBitsOfTheStartState) {
    const SessionInput input;
    const Answers reference = session(input, kHostStates[0]);
    ASSERT_EQ(reference.bits.size(), 5932u);  // the editor took part too
    ASSERT_EQ(reference.stateChanges, 0);
    for (const HostState& state : kHostStates) {
        const Answers record = session(input, state);
        EXPECT_EQ(differences(record.bits, reference.bits), 0u) << state.name;
        EXPECT_EQ(record.texts, reference.texts) << state.name;
        EXPECT_EQ(record.stateChanges, 0) << state.name << ": the host's state was not given back";
    }
}

}  // namespace
