// The time dialog reads free text typed into its fields and a context that
// may come from the registry: no crash, no write past a buffer, no text
// showing "inf" or "nan", only finite durations from a checked context, and
// positions that read back to what they show.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/timedialog/TimeArithmetic.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

const uint16_t kTextFields[] = {kTimeSeconds, kTimeMilliseconds, kTimeHertz, kTimeBpm,
                                kTimeMetres,  kTimeSamples,      kTimeTempo, kTimePosition,
                                kTimeTicks,   kTimeFrames,       kTimeFrameRate};

void check(bool condition) {
    if (!condition) __builtin_trap();
}

// Formats into a block of exactly the text's size, then into one too small.
void formatExactly(uint16_t id, const TimeValues& values, const TimeContext& context) {
    char wide[kTimeFieldTextCapacity];
    const std::size_t length = format_time_field(id, values, context, wide, sizeof wide);
    check(length < sizeof wide && std::strlen(wide) == length);
    check(std::strpbrk(wide, "in") == nullptr);
    std::vector<char> exact(length + 1);
    check(format_time_field(id, values, context, exact.data(), exact.size()) == length);
    if (length > 1) {
        std::vector<char> cut(length / 2);
        format_time_field(id, values, context, cut.data(), cut.size());
        check(std::memchr(cut.data(), '\0', cut.size()) != nullptr);
    }
}

bool finite(const TimeValues& v) {
    for (float f : {v.seconds, v.milliseconds, v.hertz, v.bpm, v.metres, v.samples})
        if (!std::isfinite(f)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr std::size_t kHead = sizeof(TimeContext) + sizeof(TimeValues) + 1;
    if (size < kHead) return 0;
    TimeContext raw;
    std::memcpy(&raw, data, sizeof raw);
    TimeValues values;
    std::memcpy(&values, data + sizeof raw, sizeof values);
    const uint16_t id = kTextFields[data[kHead - 1] % (sizeof kTextFields / sizeof kTextFields[0])];
    // An exactly sized copy of the text, so reading past its zero is caught.
    std::vector<char> text(data + kHead, data + size);
    text.push_back('\0');

    // Unchecked values still give bounded, printable texts.
    for (uint16_t field : kTextFields) formatExactly(field, values, raw);
    check(std::isfinite(parse_musical_position(text.data(), raw.tempo, raw.ticksPerQuarter,
                                               raw.signatureNumerator, raw.signatureDenominator)));
    (void)musical_duration(raw);

    // A checked context: every conversion keeps the duration finite.
    TimeContext context = raw;
    sanitize_time_context(context);
    check(sanitize_time_context(context) == 0);
    values = derive_time_values(values.seconds, context.sampleRate, SampleRounding::HalfDown);
    apply_time_field_text(id, text.data(), values, context);
    check(finite(values) && sanitize_time_context(context) == 0);
    add_note(context, data[0] % 16);
    apply_note_duration(values, context, SampleRounding::TowardZero);
    check(finite(values));
    for (uint16_t field : kTextFields) formatExactly(field, values, context);

    // A shown position reads back to itself wherever the float milliseconds
    // resolve well under a tick (2^18 quarters: 1/64 tick).
    const double tempo = context.tempo >= 1.0f ? context.tempo : 1.0;
    if (values.milliseconds < 60000.0 / tempo * 262144.0) {
        char shown[kPositionTextCapacity], again[kPositionTextCapacity];
        const int32_t T = context.ticksPerQuarter, N = context.signatureNumerator,
                      Dn = context.signatureDenominator;
        format_musical_position(values.milliseconds, context.tempo, T, N, Dn, shown, sizeof shown);
        const float back = parse_musical_position(shown, context.tempo, T, N, Dn);
        format_musical_position(back, context.tempo, T, N, Dn, again, sizeof again);
        check(std::strcmp(shown, again) == 0);
    }
    return 0;
}
