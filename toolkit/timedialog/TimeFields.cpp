#include "toolkit/timedialog/TimeFields.h"

#include <cstdio>

#include "toolkit/ValueText.h"

const uint16_t kDurationFields[kDurationFieldCount] = {
    kTimeSeconds, kTimeMilliseconds, kTimeHertz,    kTimeBpm,
    kTimeMetres,  kTimeSamples,      kTimePosition, kTimeFrames,
};

const int32_t kDenominators[kDenominatorEntries] = {16, 8, 4, 2, 1};

namespace {

constexpr int32_t kMaxTicks = 99999;

std::size_t print(char* buffer, std::size_t capacity, const char* format, double value) {
    // Saturated first: no "inf" or "nan", and no text longer than the
    // largest float's.
    const int written = std::snprintf(buffer, capacity, format, double{saturate_float(value)});
    if (written < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(written) < capacity ? written : capacity - 1;
}

// The typed number; unreadable or negative numbers count as 0.
double typedNumber(const char* text) {
    const double number = parse_value(text);
    return number > 0.0 ? number : 0.0;
}

}  // namespace

int is_time_focus_field(uint32_t id) {
    switch (id) {
    case kTimeSeconds: case kTimeMilliseconds: case kTimeHertz: case kTimeBpm:
    case kTimeTempo: case kTimeMetres: case kTimeSamples: case kTimeTicks:
    case kTimeNumerator: case kTimeDenominator: case kTimePosition: case kTimeFrames:
    case kTimeFrameRate:
        return 1;
    default:
        return 0;
    }
}

TimeFieldSet duration_field_bit(uint16_t id) {
    for (int i = 0; i < kDurationFieldCount; ++i)
        if (kDurationFields[i] == id) return 1u << i;
    return 0;
}

std::size_t format_time_field(uint16_t id, const TimeValues& values, const TimeContext& context,
                              char* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    switch (id) {
    case kTimeSeconds: return print(buffer, capacity, "%.6f", values.seconds);
    case kTimeMilliseconds: return print(buffer, capacity, "%.3f", values.milliseconds);
    case kTimeHertz: return print(buffer, capacity, "%.3f", values.hertz);
    case kTimeBpm: return print(buffer, capacity, "%.3f", values.bpm);
    case kTimeMetres: return print(buffer, capacity, "%.3f", values.metres);
    case kTimeSamples: return print(buffer, capacity, "%.0f", values.samples);
    case kTimeTempo: return print(buffer, capacity, "%.3f", context.tempo);
    case kTimeFrames:
        return print(buffer, capacity, "%.3f",
                     double{saturate_float(context.framesPerSecond)} * saturate_float(values.seconds));
    case kTimeFrameRate: return print(buffer, capacity, "%.3f", context.framesPerSecond);
    case kTimePosition:
        return format_musical_position(values.milliseconds, context.tempo, context.ticksPerQuarter,
                                       context.signatureNumerator, context.signatureDenominator,
                                       buffer, capacity);
    case kTimeTicks: {
        const int written = std::snprintf(buffer, capacity, "%04i", static_cast<int>(context.ticksPerQuarter));
        if (written < 0) break;
        return static_cast<std::size_t>(written) < capacity ? written : capacity - 1;
    }
    default: break;
    }
    buffer[0] = '\0';
    return 0;
}

int32_t numerator_entry(int32_t numerator) {
    return numerator >= 1 && numerator <= kNumeratorEntries ? kNumeratorEntries - numerator : -1;
}

int32_t denominator_entry(int32_t denominator) {
    for (int32_t entry = 0; entry < kDenominatorEntries; ++entry)
        if (kDenominators[entry] == denominator) return entry;
    return -1;
}

TimeFieldSet apply_time_field_text(uint16_t id, const char* text, TimeValues& values,
                                   TimeContext& context) {
    const double number = typedNumber(text);
    const int32_t rate = context.sampleRate;
    const TimeFieldSet othersThanThis = kAllDurationFields & ~duration_field_bit(id);
    auto durationOf = [&](double seconds) {
        values = derive_time_values(seconds, rate, SampleRounding::HalfDown);
    };

    switch (id) {
    case kTimeSeconds: durationOf(number); return othersThanThis;
    case kTimeMilliseconds:
        durationOf(number * 0.001);
        values.milliseconds = saturate_float(number);
        return othersThanThis;
    case kTimeHertz: durationOf(number == 0.0 ? 0.0 : 1.0 / number); return othersThanThis;
    case kTimeBpm: durationOf(number == 0.0 ? 0.0 : 60.0 / number); return othersThanThis;
    case kTimeMetres:
        durationOf(number / 330.0);
        values.metres = saturate_float(number);
        return othersThanThis;
    case kTimeSamples: {
        const int64_t samples = round_half_down64(number);
        durationOf(rate > 0 ? static_cast<double>(samples) / rate : 0.0);
        values.samples = static_cast<float>(samples);
        return othersThanThis;
    }
    case kTimeTempo:
        context.tempo = saturate_float(number);
        durationOf(musical_duration(context));
        return kAllDurationFields;
    case kTimePosition: {
        const float ms = parse_musical_position(text, context.tempo, context.ticksPerQuarter,
                                                context.signatureNumerator,
                                                context.signatureDenominator);
        durationOf(ms * 0.001);
        values.milliseconds = ms;
        return othersThanThis;
    }
    case kTimeFrames: {
        const double fps = context.framesPerSecond;
        durationOf(fps > 0.0 ? number / fps : 0.0);
        return othersThanThis;
    }
    case kTimeFrameRate:
        context.framesPerSecond = saturate_float(number);
        return duration_field_bit(kTimeFrames);
    case kTimeTicks:
        context.ticksPerQuarter = number < 1.0 ? 1 : (number > kMaxTicks ? kMaxTicks : static_cast<int32_t>(number));
        return duration_field_bit(kTimePosition);
    default: return 0;
    }
}

TimeFieldSet apply_time_list_selection(uint16_t id, int32_t entry, TimeContext& context) {
    if (id == kTimeNumerator && entry >= 0 && entry < kNumeratorEntries) {
        context.signatureNumerator = kNumeratorEntries - entry;
        return duration_field_bit(kTimePosition);
    }
    if (id == kTimeDenominator && entry >= 0 && entry < kDenominatorEntries) {
        context.signatureDenominator = kDenominators[entry];
        return duration_field_bit(kTimePosition);
    }
    return 0;
}

TimeFieldSet apply_note_duration(TimeValues& values, const TimeContext& context,
                                 SampleRounding rounding) {
    values = derive_time_values(musical_duration(context), context.sampleRate, rounding);
    return kAllDurationFields;
}
