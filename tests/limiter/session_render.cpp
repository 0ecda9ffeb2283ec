// A long random session played into the plug-in module the way a host of
// this build's architecture drives it: the entry function found by name, and
// every field and function of the record read from the record's bytes at the
// offsets a host uses. The 32-bit and the 64-bit build of this program play
// the same session (the generator is seeded and portable), so the two
// modules' outputs can be compared bit for bit.
//   session_render <Q-Clamper.dll> <seed> <output file> [<chunk file to start from>]
// The output holds the chunk the module answers at the start (after loading
// the chunk file, if one is given), every output sample of the session, and
// the chunk it answers at the end. Exit status 0 when the record read right.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "plugin/AEffect.h"
#include "tests/support/RecordView.h"

namespace {

using namespace record_view;

// splitmix64: the same numbers on every target.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
    // In [lo, hi), from 24 random bits: exact in float on every target.
    float between(float lo, float hi) {
        return lo + (hi - lo) * (static_cast<float>(next() >> 40) / 16777216.0f);
    }
    bool chance(uint32_t oneIn) { return below(oneIn) == 0; }
};

intptr_t QC_CDECL hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int g_failures = 0;
void check(bool ok, const char* what) {
    if (ok) return;
    ++g_failures;
    std::printf("FAILED: %s\n", what);
}

// The effect as a host sees it: only the record's bytes.
class HostView {
public:
    explicit HostView(AEffect* record) : record_(record), bytes_(reinterpret_cast<const uint8_t*>(record)) {}
    int32_t int32(Field f) const { return static_cast<int32_t>(get(bytes_, f)); }
    uint64_t raw(Field f) const { return get(bytes_, f); }
    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const {
        return function<AEffectDispatcherProc>(bytes_, kDispatcher)(record_, opcode, index, value, ptr, opt);
    }
    void run(bool replacing, float** in, float** out, int32_t frames) const {
        function<AEffectProcessProc>(bytes_, replacing ? kProcessReplacing : kProcess)(record_, in, out, frames);
    }
    void setParameter(int32_t index, float value) const {
        function<AEffectSetParameterProc>(bytes_, kSetParameter)(record_, index, value);
    }
    float getParameter(int32_t index) const {
        return function<AEffectGetParameterProc>(bytes_, kGetParameter)(record_, index);
    }

private:
    AEffect* record_;
    const uint8_t* bytes_;
};

void checkRecord(const HostView& fx) {
    check(fx.int32(kMagic) == kEffectMagic, "magic");
    for (Field f : kEntryFunctions) check(fx.raw(f) != 0, "an entry function is set");
    check(fx.int32(kNumInputs) == 2 && fx.int32(kNumOutputs) == 2, "two inputs and two outputs");
    check(fx.int32(kNumPrograms) == 1, "one program");
    check(fx.int32(kUniqueID) == 0x4B530002, "unique id");
    check(fx.raw(kProcessDouble) == 0, "no double-precision processing");
    check(fx.raw(kResvd1) == 0 && fx.raw(kResvd2) == 0, "reserved words zero");
    check(fx.int32(kIoRatio) == 0x3F800000, "ioRatio 1.0");
}

// A chunk with settings a user might set, now and then a field of any bits.
void randomChunk(Random& r, uint8_t chunk[64]) {
    for (int i = 0; i < 32; ++i) chunk[i] = static_cast<uint8_t>(r.next());
    for (int c = 0; c < 2; ++c) {
        // No library mathematics here: only what is exact on both targets.
        float f[4] = {r.between(1.0f, 8.0f), r.between(0.0625f, 16.0f), r.between(1.0f, 100.0f),
                      r.between(0.25f, 1.0f)};
        if (r.chance(16)) {
            const uint32_t bits = static_cast<uint32_t>(r.next());
            std::memcpy(&f[r.below(4)], &bits, 4);
        }
        std::memcpy(chunk + 32 + 16 * c, f, sizeof f);
    }
}

float randomSample(Random& r) {
    switch (r.below(64)) {
    case 0: return std::numeric_limits<float>::quiet_NaN();
    case 1: return std::numeric_limits<float>::infinity();
    case 2: return -std::numeric_limits<float>::infinity();
    case 3: return std::numeric_limits<float>::denorm_min() * static_cast<float>(r.below(1000));
    case 4: return r.between(-1e30f, 1e30f);
    default: return r.between(-2.0f, 2.0f);
    }
}

std::vector<uint8_t> chunkOf(const HostView& fx) {
    void* data = nullptr;
    const intptr_t size = fx.dispatch(effGetChunk, 0, 0, &data, 0.0f);
    check(size == 64 && data != nullptr, "a 64-byte chunk");
    if (size != 64 || !data) return std::vector<uint8_t>(64, 0);
    const auto* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + 64);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::printf("usage: session_render <dll> <seed> <output> [<chunk>]\n");
        return 2;
    }
    HMODULE module = LoadLibraryA(argv[1]);
    typedef AEffect*(QC_CDECL * EntryPoint)(audioMasterCallback);
    FARPROC entry = module ? GetProcAddress(module, sizeof(void*) == 8 ? "VSTPluginMain" : "main") : nullptr;
    AEffect* record = entry ? reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(entry))(hostCallback) : nullptr;
    if (!record) {
        std::printf("FAILED: %s did not load or start\n", argv[1]);
        return 1;
    }
    const HostView fx(record);
    checkRecord(fx);

    std::vector<uint8_t> out;
    fx.dispatch(effOpen, 0, 0, nullptr, 0.0f);
    if (argc == 5) {
        uint8_t chunk[64] = {};
        std::FILE* f = std::fopen(argv[4], "rb");
        check(f && std::fread(chunk, 1, 64, f) == 64, "the start chunk reads");
        if (f) std::fclose(f);
        fx.dispatch(effSetChunk, 0, 64, chunk, 0.0f);
    }
    const std::vector<uint8_t> first = chunkOf(fx);
    out.insert(out.end(), first.begin(), first.end());

    Random r{std::strtoull(argv[2], nullptr, 10)};
    const float rates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 22050.0f};
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, rates[r.below(5)]);
    fx.dispatch(effSetBlockSize, 0, 4096, nullptr, 0.0f);
    fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    const int32_t params = fx.int32(kNumParams);
    std::vector<float> in[2], res[2];
    for (int block = 0; block < 3000; ++block) {
        if (r.chance(8)) {
            uint8_t chunk[64];
            randomChunk(r, chunk);
            fx.dispatch(effSetChunk, 0, 64, chunk, 0.0f);
        }
        if (params > 0 && r.chance(8)) fx.setParameter(static_cast<int32_t>(r.below(params)), r.between(0, 1));
        if (r.chance(100)) {  // the host switches off, maybe changes the rate, switches on
            fx.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
            if (r.chance(2)) fx.dispatch(effSetSampleRate, 0, 0, nullptr, rates[r.below(5)]);
            fx.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
        }
        const int32_t frames = r.chance(6) ? 1 : static_cast<int32_t>(1 + r.below(r.chance(4) ? 4096 : 300));
        for (int c = 0; c < 2; ++c) {
            in[c].resize(frames);
            res[c].resize(frames);
            for (float& v : in[c]) v = randomSample(r);
            for (float& v : res[c]) v = r.between(-1.0f, 1.0f);  // what the accumulating form adds to
        }
        float* ins[2] = {in[0].data(), in[1].data()};
        float* outs[2] = {res[0].data(), res[1].data()};
        fx.run(r.chance(2), ins, outs, frames);
        for (int c = 0; c < 2; ++c) {
            const auto* p = reinterpret_cast<const uint8_t*>(res[c].data());
            out.insert(out.end(), p, p + 4 * frames);
        }
        for (int32_t i = 0; i < params; ++i) {
            const float v = fx.getParameter(i);
            const auto* p = reinterpret_cast<const uint8_t*>(&v);
            out.insert(out.end(), p, p + 4);
        }
    }
    const std::vector<uint8_t> last = chunkOf(fx);
    out.insert(out.end(), last.begin(), last.end());
    fx.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    check(fx.dispatch(effClose, 0, 0, nullptr, 0.0f) == 1, "effClose answers 1");
    FreeLibrary(module);

    std::FILE* f = std::fopen(argv[3], "wb");
    check(f && std::fwrite(out.data(), 1, out.size(), f) == out.size(), "the output is written");
    if (f) std::fclose(f);
    return g_failures ? 1 : 0;
}
