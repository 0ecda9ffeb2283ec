#include "toolkit/timedialog/TimeArithmetic.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "toolkit/ValueText.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

const float kNoteBeats[kNoteCount] = {
    4.0f,        2.0f,        1.0f,        0.5f,        0.25f,         // plain
    8.0f / 3.0f, 4.0f / 3.0f, 2.0f / 3.0f, 1.0f / 3.0f, 1.0f / 6.0f,  // triplets
    6.0f,        3.0f,        1.5f,        0.75f,       0.375f,        // dotted
};

constexpr int32_t kMaxTicks = 99999;
constexpr int32_t kMaxNumerator = 64;
// Positions beyond this many quarter beats are shown as this one, so that
// unit counts stay far inside 64 bits.
constexpr double kMaxBeats = 1e12;

bool isNote(int index) { return index >= 0 && index < kNoteCount; }

int32_t clampTicks(int32_t ticks) { return ticks < 1 ? 1 : (ticks > kMaxTicks ? kMaxTicks : ticks); }

// Units of the signature's denominator in one quarter note: a power of
// two, so scaling by it is exact. Any other denominator counts quarters.
double unitsPerQuarter(int32_t denominator) {
    switch (denominator) {
    case 1: return 0.25;
    case 2: return 0.5;
    case 8: return 2.0;
    case 16: return 4.0;
    default: return 1.0;
    }
}

// Beats per bar: the numerator, or 4 for a signature that has no meaning.
int32_t beatsPerBar(int32_t numerator, int32_t denominator) {
    if (numerator < 1 || numerator > kMaxNumerator || denominator == 0) return 4;
    return numerator;
}

// Tempi below 1 bpm (0 and NaN included) count as 1 bpm in positions.
double positionTempo(float tempo) {
    if (!(tempo >= 1.0f)) return 1.0;
    return tempo > FLT_MAX ? FLT_MAX : tempo;
}

// The next run of digits from p on (the character ending it is consumed):
// -1 when there is none or when its value does not stay below 2^31 - 1.
int64_t readWholeNumber(const char*& p) {
    while (*p != '\0' && (*p < '0' || *p > '9')) ++p;
    if (*p == '\0') return -1;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value < INT32_MAX) value = value * 10 + (*p - '0');
    if (*p != '\0') ++p;
    return value >= INT32_MAX ? -1 : value;
}

}  // namespace

float note_beats(int index) { return isNote(index) ? kNoteBeats[index] : 0.0f; }

int note_list_length(const TimeContext& context) {
    int n = 0;
    while (n < kNoteListLength && isNote(context.notes[n])) ++n;
    return n;
}

void add_note(TimeContext& context, int index) {
    if (!isNote(index)) return;
    int n = note_list_length(context);
    if (context.replaceMode != 0 || n == kNoteListLength) {
        for (int16_t& note : context.notes) note = kNoNote;
        n = 0;
    }
    context.notes[n] = static_cast<int16_t>(index);
}

double musical_duration(const TimeContext& context) {
    if (!(context.tempo > 0.0f) || !std::isfinite(context.tempo)) return 0.0;
    double beats = 0.0;
    for (int k = 0; k < note_list_length(context); ++k) beats += note_beats(context.notes[k]);
    return beats * 60.0 / context.tempo;
}

float saturate_float(double x) {
    if (std::isnan(x)) return 0.0f;
    if (x > FLT_MAX) return FLT_MAX;
    if (x < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(x);
}

TimeValues derive_time_values(double seconds, int32_t sampleRate, SampleRounding rounding) {
    TimeValues v = {};
    v.seconds = saturate_float(seconds > 0.0 ? seconds : 0.0);
    // Every unit follows the seconds as shown, not the wider input.
    const double s = v.seconds;
    v.milliseconds = saturate_float(s * 1000.0);
    v.hertz = s > 0.0 ? saturate_float(1.0 / s) : 0.0f;
    v.bpm = s > 0.0 ? saturate_float(60.0 / s) : 0.0f;
    v.metres = saturate_float(s * 330.0);
    const double exact = s * (sampleRate > 0 ? sampleRate : 0);
    // Counted in 64 bits: a day at 48 kHz already passes 2^31 samples.
    if (rounding == SampleRounding::HalfDown) {
        v.samples = static_cast<float>(round_half_down64(exact));
    } else {
        v.samples = exact >= 9223372036854775808.0 ? static_cast<float>(INT64_MAX)
                                                   : static_cast<float>(std::trunc(exact));
    }
    return v;
}

double ticks_per_unit(int32_t ticks, int32_t denominator) {
    return clampTicks(ticks) / unitsPerQuarter(denominator);
}

std::size_t format_musical_position(double milliseconds, float tempo, int32_t ticks,
                                    int32_t numerator, int32_t denominator, char* buffer,
                                    std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    const int32_t B = beatsPerBar(numerator, denominator);
    const double g = ticks_per_unit(ticks, denominator);

    double beats = positionTempo(tempo) * (milliseconds > 0.0 ? milliseconds : 0.0) / 60000.0;
    if (!(beats < kMaxBeats)) beats = kMaxBeats;  // also catches NaN from inf * 0

    // Units counted exactly (the scale is a power of two); only the ticks
    // into the unit are rounded. The shown position is the nearest one: a
    // tick that would reach past the unit, or a unit start that lies nearer
    // than any whole tick, shows as the next unit's start.
    const double units = beats * unitsPerQuarter(denominator);
    int64_t unit = static_cast<int64_t>(std::floor(units));
    const double rest = (units - std::floor(units)) * g;  // ticks into the unit, [0, g]
    double tick = std::nearbyint(rest);
    if (tick >= g || g - rest < std::fabs(rest - tick)) {
        ++unit;
        tick = 0.0;
    }
    const int64_t bar = unit / B + 1;
    const int beat = static_cast<int>(unit % B) + 1;
    const int shownBar = bar > INT32_MAX ? INT32_MAX : static_cast<int>(bar);
    const int written = std::snprintf(buffer, capacity, "%6i / %2i / %5i", shownBar, beat,
                                      static_cast<int>(tick));
    if (written < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(written) < capacity ? written : capacity - 1;
}

float parse_musical_position(const char* text, float tempo, int32_t ticks, int32_t numerator,
                             int32_t denominator) {
    if (text == nullptr) text = "";
    const char* p = text;
    int64_t bar = readWholeNumber(p);
    int64_t beat = readWholeNumber(p);
    int64_t tick = readWholeNumber(p);

    const int32_t B = beatsPerBar(numerator, denominator);
    if (bar <= 0) bar = 1;
    if (beat <= 0 || beat > B) beat = 1;
    if (tick < 0 || static_cast<double>(tick) > ticks_per_unit(ticks, denominator)) tick = 0;

    // Counted wide: bar 95 of 4/4 at 96 ticks already exceeds 32 bits once
    // multiplied by 60000.
    const double units = static_cast<double>((bar - 1) * B + (beat - 1));
    const double quarters = units / unitsPerQuarter(denominator) +
                            static_cast<double>(tick) / clampTicks(ticks);
    return saturate_float(quarters * 60000.0 / positionTempo(tempo));
}

int sanitize_time_context(TimeContext& context) {
    const TimeContext& d = kDefaultTimeContext;
    int replaced = 0;
    auto check = [&replaced](bool valid, auto& field, auto fallback) {
        if (!valid) {
            field = fallback;
            ++replaced;
        }
    };

    // A list is valid when it holds notes up to its first empty entry and
    // nothing after it.
    bool notesValid = true;
    bool ended = false;
    for (int16_t note : context.notes) {
        if (note == kNoNote)
            ended = true;
        else if (ended || !isNote(note))
            notesValid = false;
    }
    if (!notesValid) {
        for (int k = 0; k < kNoteListLength; ++k) context.notes[k] = d.notes[k];
        ++replaced;
    }
    context.unused1 = 0;
    context.unused2 = 0;

    check(context.replaceMode == 0 || context.replaceMode == 1, context.replaceMode, d.replaceMode);
    check(std::isfinite(context.tempo) && context.tempo >= 0.0f, context.tempo, d.tempo);
    check(is_time_focus_field(context.focusField) != 0, context.focusField, d.focusField);
    check(context.sampleRate > 0, context.sampleRate, d.sampleRate);
    check(context.ticksPerQuarter >= 1 && context.ticksPerQuarter <= kMaxTicks,
          context.ticksPerQuarter, d.ticksPerQuarter);
    check(context.signatureNumerator >= 1 && context.signatureNumerator <= kMaxNumerator,
          context.signatureNumerator, d.signatureNumerator);
    const int32_t dn = context.signatureDenominator;
    check(dn == 16 || dn == 8 || dn == 4 || dn == 2 || dn == 1, context.signatureDenominator, d.signatureDenominator);
    check(std::isfinite(context.framesPerSecond) && context.framesPerSecond >= 0.0f,
          context.framesPerSecond, d.framesPerSecond);
    return replaced;
}
