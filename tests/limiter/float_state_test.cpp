// The module's results do not depend on the floating-point state of the
// host's thread: a host that sets the x87 precision to 24 bits, flush-to-zero
// and denormals-are-zero or another rounding mode gets the same bits from
// every call as one that leaves the state as a program starts, and finds its
// own state as it left it after each call.
#include <gtest/gtest.h>
#include <windows.h>
#include <xmmintrin.h>

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
constexpr int kGainOffset = 32 / 4 + 1;
constexpr int kLimitOffset = 32 / 4 + 3;

// Everything the session feeds the module, made before the host's state is
// set: the host's arithmetic is not what is tested.
struct SessionInput {
    std::vector<float> fractions, chunkGains;
    std::vector<float> left, right;
    float defaults[16];
    SessionInput() : left(kFrames), right(kFrames) {
        for (int i = 0; i <= 200; ++i) fractions.push_back(static_cast<float>(i) / 200.0f);
        for (int i = 0; i < 200; ++i) chunkGains.push_back(0.05f + 0.0791f * static_cast<float>(i));
        // Loud audio with denormals between, of scattered mantissas: large
        // enough that keeping them or taking them as zero can round the
        // shaped sample apart.
        for (int i = 0; i < kFrames; ++i) {
            const float wave = static_cast<float>((i * 37) % 101 - 50) / 40.0f;
            const uint32_t denormal = ((static_cast<uint32_t>(i) * 2654435761u) & 0x003FFFFFu) | 0x00400000u;
            left[i] = i % 3 == 0 ? floatOf(denormal) : wave;
            right[i] = i % 5 == 0 ? -floatOf(denormal ^ 0x001F0F0Fu) : 0.25f * wave;
        }
    }
};

// What the module answered, as bits, and whether the host's state survived
// every call.
struct SessionRecord {
    std::vector<uint32_t> bits;
    std::string texts;
    int stateChanges = 0;
};

class Session {
public:
    Session(const SessionInput& in, const HostState& state) : in_(in), state_(state) {}

    SessionRecord play() {
        setThreadState(state_.x87, state_.mxcsr);
        {
            TestHost host;
            PluginModule module(pluginPath());
            HostedEffect fx(module.instantiate(host));
            if (fx) playWith(fx);
            checkState();
        }
        setThreadState(0x037F, 0x1F80);
        return record_;
    }

private:
    void checkState() {
        if (x87Control() != state_.x87 || (_mm_getcsr() & ~0x3Fu) != state_.mxcsr) ++record_.stateChanges;
    }
    void keep(float v) {
        record_.bits.push_back(bitsOf(v));
        checkState();
    }
    void keepDisplay(HostedEffect& fx, int32_t index) {
        char text[64] = {};
        fx.dispatch(effGetParamDisplay, index, 0, text);
        record_.texts += text;
        record_.texts += '|';
        checkState();
    }
    void keepChunk(HostedEffect& fx) {
        void* data = nullptr;
        const intptr_t size = fx.dispatch(effGetChunk, 0, 0, &data);
        checkState();
        if (!data || size != 64) return;
        uint32_t words[16];
        std::memcpy(words, data, sizeof words);
        record_.bits.insert(record_.bits.end(), words, words + 16);
    }

    // Sets one float of the chunk, in both channels.
    void setChunkFloat(HostedEffect& fx, int offset, float value) {
        void* data = nullptr;
        fx.dispatch(effGetChunk, 0, 0, &data);
        uint32_t chunk[16];
        std::memcpy(chunk, data, sizeof chunk);
        chunk[offset] = chunk[offset + 4] = bitsOf(value);
        fx.dispatch(effSetChunk, 0, 64, chunk);
        checkState();
    }

    void playWith(HostedEffect& fx) {
        fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        fx.dispatch(effMainsChanged, 0, 1);
        // Parameters: every setting at fractions across its travel.
        for (int32_t index = 0; index < 4; ++index) {
            for (float f : in_.fractions) {
                fx.setParameter(index, f);
                keep(fx.getParameter(index));
            }
            keepDisplay(fx, index);
            keepChunk(fx);
        }
        // Chunks: gains between the knob's steps, read back as fractions.
        for (float gain : in_.chunkGains) {
            setChunkFloat(fx, kGainOffset, gain);
            keep(fx.getParameter(1));
            keepDisplay(fx, 1);
        }
        // Audio in both forms, a parameter change ramping into each block;
        // from the fifth block a ceiling so low that quiet outputs are
        // denormals.
        std::vector<float> out1(kFrames), out2(kFrames);
        float* inputs[2] = {const_cast<float*>(in_.left.data()), const_cast<float*>(in_.right.data())};
        float* outputs[2] = {out1.data(), out2.data()};
        for (int block = 0; block < 8; ++block) {
            if (block == 4) setChunkFloat(fx, kLimitOffset, 3e-9f);
            fx.setParameter(block % 3, in_.fractions[(block * 23) % in_.fractions.size()]);
            std::fill(out1.begin(), out1.end(), 0.125f);
            std::fill(out2.begin(), out2.end(), 0.125f);
            if (block % 2 == 0) fx.processReplacing(inputs, outputs, kFrames);
            else fx.process(inputs, outputs, kFrames);
            checkState();
            for (int i = 0; i < kFrames; ++i) {
                record_.bits.push_back(bitsOf(out1[i]));
                record_.bits.push_back(bitsOf(out2[i]));
            }
        }
        // The editor: the gain knob stepped with the arrow keys.
        if (fx.dispatch(effEditOpen, 0, 0, hostWindow()) != 0) {
            HWND editor = GetWindow(hostWindow(), GW_CHILD);
            HWND gainKnob = GetDlgItem(editor, 1);
            for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_UP, VK_LEFT}) {
                SendMessageA(gainKnob, WM_KEYDOWN, key, 0);
                checkState();
                keepChunk(fx);
            }
            fx.dispatch(effEditClose);
        }
        checkState();
    }

    const SessionInput& in_;
    const HostState& state_;
    SessionRecord record_;
};

size_t differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return a.size() > b.size() ? a.size() : b.size();
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

TEST(FloatState, EveryHostStateGetsTheBitsOfTheStartState) {
    const SessionInput input;
    const SessionRecord reference = Session(input, kHostStates[0]).play();
    ASSERT_EQ(reference.bits.size(), 5932u);  // the editor took part too
    ASSERT_EQ(reference.stateChanges, 0);
    for (const HostState& state : kHostStates) {
        const SessionRecord record = Session(input, state).play();
        EXPECT_EQ(differences(record.bits, reference.bits), 0u) << state.name;
        EXPECT_EQ(record.texts, reference.texts) << state.name;
        EXPECT_EQ(record.stateChanges, 0) << state.name << ": the host's state was not given back";
    }
}

}  // namespace
