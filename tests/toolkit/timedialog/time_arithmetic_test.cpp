// The time dialog's conversions, field texts and context checks: portable,
// run natively under the sanitizers and under Wine.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstddef>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "toolkit/timedialog/TimeArithmetic.h"
#include "toolkit/timedialog/TimeFields.h"

namespace {

std::string fieldText(uint16_t id, const TimeValues& values, const TimeContext& context) {
    char buffer[kTimeFieldTextCapacity];
    const std::size_t length = format_time_field(id, values, context, buffer, sizeof buffer);
    EXPECT_EQ(length, std::strlen(buffer));
    return buffer;
}

std::string position(double ms, float tempo, int32_t ticks, int32_t numerator, int32_t denominator) {
    char buffer[kPositionTextCapacity];
    format_musical_position(ms, tempo, ticks, numerator, denominator, buffer, sizeof buffer);
    return buffer;
}

TimeContext withNotes(std::initializer_list<int16_t> notes, int32_t replaceMode = 0) {
    TimeContext c = kDefaultTimeContext;
    for (int16_t& n : c.notes) n = kNoNote;
    int k = 0;
    for (int16_t n : notes) c.notes[k++] = n;
    c.replaceMode = replaceMode;
    return c;
}

TEST(TimeFields, HalfASecondAtTheDefaults) {
    const TimeValues v = derive_time_values(0.5, 44100, SampleRounding::HalfDown);
    const TimeContext& c = kDefaultTimeContext;
    const struct {
        uint16_t id;
        const char* text;
    } expected[] = {
        {kTimeSeconds, "0.500000"},  {kTimeMilliseconds, "500.000"},
        {kTimeHertz, "2.000"},       {kTimeBpm, "120.000"},
        {kTimeMetres, "165.000"},    {kTimeSamples, "22050"},
        {kTimeTempo, "120.000"},     {kTimePosition, "     1 /  2 /     0"},
        {kTimeTicks, "0096"},        {kTimeFrames, "12.500"},
        {kTimeFrameRate, "25.000"},  {kTimeNumerator, ""},
    };
    for (const auto& e : expected) EXPECT_EQ(fieldText(e.id, v, c), e.text) << e.id;
}

TEST(TimeValuesTest, ZeroSamplesRoundingAndOutOfRangeInputs) {
    const TimeValues zero = derive_time_values(0.0, 44100, SampleRounding::HalfDown);
    EXPECT_EQ(zero.hertz, 0.0f);
    EXPECT_EQ(zero.bpm, 0.0f);
    // 3.7 samples: a typed duration rounds, one built from notes cuts.
    EXPECT_EQ(derive_time_values(0.37, 10, SampleRounding::HalfDown).samples, 4.0f);
    EXPECT_EQ(derive_time_values(0.37, 10, SampleRounding::TowardZero).samples, 3.0f);
    EXPECT_EQ(derive_time_values(0.25, 10, SampleRounding::HalfDown).samples, 2.0f);  // 2.5 goes down

    // Nothing out of range reaches a float or integer conversion.
    for (double s : {std::nan(""), -3.0, 1e30, 1e300, HUGE_VAL, 1e-300}) {
        for (SampleRounding r : {SampleRounding::HalfDown, SampleRounding::TowardZero}) {
            const TimeValues v = derive_time_values(s, 44100, r);
            for (float f : {v.seconds, v.milliseconds, v.hertz, v.bpm, v.metres, v.samples})
                EXPECT_TRUE(std::isfinite(f) && f >= 0.0f) << s;
            for (uint16_t id : kDurationFields) {
                const std::string text = fieldText(id, v, kDefaultTimeContext);
                EXPECT_EQ(text.find_first_of("in"), std::string::npos) << s << " " << text;
            }
        }
    }
    EXPECT_EQ(derive_time_values(std::nan(""), 44100, SampleRounding::HalfDown).seconds, 0.0f);
    EXPECT_EQ(derive_time_values(1e30, 44100, SampleRounding::TowardZero).samples,
              static_cast<float>(INT64_MAX));
    // Sample counts past 2^31: 50,000 s at 48 kHz.
    for (SampleRounding r : {SampleRounding::HalfDown, SampleRounding::TowardZero})
        EXPECT_EQ(derive_time_values(50000.0, 48000, r).samples, 2.4e9f);
    EXPECT_EQ(derive_time_values(1e300, 44100, SampleRounding::HalfDown).seconds, FLT_MAX);
}

TEST(Notes, TableDurationsAndPicking) {
    const float table[kNoteCount] = {4, 2, 1, 0.5f, 0.25f, 8 / 3.0f, 4 / 3.0f, 2 / 3.0f,
                                     1 / 3.0f, 1 / 6.0f, 6, 3, 1.5f, 0.75f, 0.375f};
    for (int i = 0; i < kNoteCount; ++i) EXPECT_FLOAT_EQ(note_beats(i), table[i]) << i;
    EXPECT_EQ(note_beats(-1), 0.0f);
    EXPECT_EQ(note_beats(15), 0.0f);

    TimeContext c = withNotes({2});
    EXPECT_DOUBLE_EQ(musical_duration(c), 0.5);
    add_note(c, 13);  // dotted eighth, appended
    EXPECT_DOUBLE_EQ(musical_duration(c), 0.875);
    c.tempo = 0.0f;
    EXPECT_EQ(musical_duration(c), 0.0);

    // Append fills the list; a sixth note leaves just itself.
    c = withNotes({0, 1, 2, 3});
    add_note(c, 4);
    EXPECT_EQ(note_list_length(c), 5);
    add_note(c, 7);
    EXPECT_EQ(note_list_length(c), 1);
    EXPECT_EQ(c.notes[0], 7);
    // Replace mode always starts over; indices outside the table are ignored.
    c = withNotes({0, 1}, 1);
    add_note(c, 14);
    add_note(c, 15);
    add_note(c, -1);
    EXPECT_EQ(note_list_length(c), 1);
    EXPECT_EQ(c.notes[0], 14);
}

TEST(MusicalPosition, FormatsBarBeatTick) {
    const struct {
        double ms;
        float tempo;
        int32_t ticks, numerator, denominator;
        const char* text;
    } cases[] = {
        {500, 120, 96, 4, 4, "     1 /  2 /     0"},
        {875, 120, 96, 6, 8, "     1 /  4 /    24"},     // 1.75 quarter beats in 6/8
        {4750, 120, 96, 4, 4, "     3 /  2 /    48"},
        {4750, 120, 96, 3, 2, "     2 /  2 /   144"},    // half notes: 9.5 quarters
        {4750, 120, 96, 2, 1, "     2 /  1 /   144"},    // whole notes
        {4750, 120, 96, 7, 16, "     6 /  4 /     0"},   // 38 sixteenths
        {999.9, 120, 96, 4, 4, "     1 /  3 /     0"},   // 95.98 ticks carry into beat 3
        {1999.9, 120, 96, 4, 8, "     3 /  1 /     0"},  // the carry also runs through eighths
        {500, 120, 96, 0, 4, "     1 /  2 /     0"},     // a meaningless numerator counts as 4
        // Units shorter than a tick: bars and beats stay right, tick 0.
        {750, 120, 1, 4, 8, "     1 /  4 /     0"},
        {1125, 120, 3, 6, 16, "     2 /  4 /     0"},
        {875, 120, 1, 4, 16, "     2 /  4 /     0"},
        // Tempi below 1 bpm count as 1 bpm.
        {60000, 0, 96, 4, 4, "     1 /  2 /     0"},
        {60000, std::nanf(""), 96, 4, 4, "     1 /  2 /     0"},
        // No duration, and durations beyond any bar count.
        {std::nan(""), 120, 96, 4, 4, "     1 /  1 /     0"},
        {-5, 120, 96, 4, 4, "     1 /  1 /     0"},
        {1e30, 120, 96, 4, 4, "2147483647 /  1 /     0"},
        {HUGE_VAL, HUGE_VALF, 99999, 64, 16, "2147483647 /  1 /     0"},
        // Units that hold no whole number of ticks (1.25, 1.5, 1.75 ticks per
        // sixteenth, 1.5 per eighth) still count the musical bar.
        {8000, 120, 5, 4, 16, "    17 /  1 /     0"},
        {8000, 120, 6, 4, 16, "    17 /  1 /     0"},
        {8000, 120, 7, 4, 16, "    17 /  1 /     0"},
        {188000, 120, 3, 4, 8, "   189 /  1 /     0"},
        {225, 120, 5, 4, 16, "     1 /  2 /     1"},  // 1.8 sixteenths
        {245, 120, 5, 4, 16, "     1 /  3 /     0"},  // 1.96: the next unit is nearer than tick 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(position(c.ms, c.tempo, c.ticks, c.numerator, c.denominator), c.text)
            << c.ms << " ms " << c.numerator << "/" << c.denominator << " T=" << c.ticks;

    // A buffer too small gets a cut text.
    char small[8];
    EXPECT_EQ(format_musical_position(500, 120, 96, 4, 4, small, sizeof small), 7u);
    EXPECT_STREQ(small, "     1 ");
}

TEST(MusicalPosition, ReadsTexts) {
    const struct {
        const char* text;
        float tempo;
        int32_t ticks, numerator, denominator;
        float ms;
    } cases[] = {
        {"3 / 2 / 48", 120, 96, 4, 4, 4750},
        {"95 / 1 / 0", 120, 96, 4, 4, 188000},       // 36096 ticks x 60000 needs more than 32 bits
        {"30000 / 1 / 0", 120, 99999, 64, 1, 3839872000.0f},
        {"1 / 5 / 0", 120, 96, 4, 4, 0},             // beat above the numerator reads as 1
        {"1 / 2 / 97", 120, 96, 4, 4, 500},          // tick above the ticks per unit reads as 0
        {"1 / 1 / 96", 120, 96, 4, 4, 500},          // a full unit of ticks is still read
        {"1 / 2 / 48", 120, 96, 4, 8, 500},          // eighths: 48 ticks per unit, 48 > 48 is not
        {"1 / 2 / 49", 120, 96, 4, 8, 250},
        {"", 120, 96, 4, 4, 0},
        {"0 0 0", 120, 96, 4, 4, 0},
        {"2", 120, 96, 4, 4, 2000},
        {"x2y3z7", 120, 96, 4, 4, 3000 + 7 * 500 / 96.0f},
        {"2147483647 / 2 / 0", 120, 96, 4, 4, 500},  // too large a bar reads as missing
        {"99999999999999999999 / 3", 120, 96, 4, 4, 1000},
        {"1 / 2 / 0", 0, 96, 4, 4, 60000},           // tempo 0 counts as 1 bpm
        // Units shorter than a tick: whole units, ticks ignored.
        {"1 / 4 / 0", 120, 1, 4, 8, 750},
        {"2 / 1 / 5", 120, 3, 6, 16, 750},
        // Units of a fractional number of ticks: 1.25 per sixteenth at T = 5.
        {"17 / 1 / 0", 120, 5, 4, 16, 8000},
        {"189 / 1 / 0", 120, 3, 4, 8, 188000},
        {"1 / 2 / 1", 120, 5, 4, 16, 225},
        {"1 / 2 / 2", 120, 5, 4, 16, 125},  // 2 ticks do not fit in 1.25
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(parse_musical_position(c.text, c.tempo, c.ticks, c.numerator, c.denominator),
                        c.ms)
            << c.text;
    EXPECT_EQ(parse_musical_position(nullptr, 120, 96, 4, 4), 0.0f);
}

// Both directions agree, odd signatures and tick counts included (the time
// text fuzzer roams further): a shown position lies within half a tick of
// the duration and reads back to the same text, and a position typed as the
// dialog shows it reads and shows again unchanged.
TEST(MusicalPosition, ShownPositionsReadBack) {
    const struct {
        double ms;
        float tempo;
        int32_t ticks, numerator, denominator;
        int bar, beat, tick;  // a position typed
    } cases[] = {
        {1234.5, 120, 96, 4, 4, 3, 2, 17},
        {98765.4, 97, 5, 7, 8, 12, 7, 2},        // 2.5 ticks an eighth
        {200000.0, 299, 1, 13, 16, 150, 13, 0},  // ~1000 quarters; units shorter than a tick
        {7.0, 1, 960, 3, 2, 1, 3, 1919},
        {0.0, 120, 7, 1, 1, 1, 1, 27},
    };
    for (const auto& c : cases) {
        const std::string where = " T=" + std::to_string(c.ticks) + " " + std::to_string(c.numerator) +
                                  "/" + std::to_string(c.denominator);
        const std::string text = position(c.ms, c.tempo, c.ticks, c.numerator, c.denominator);
        const double back = parse_musical_position(text.c_str(), c.tempo, c.ticks, c.numerator, c.denominator);
        const double halfTickMs = 30000.0 / (c.tempo * c.ticks);
        EXPECT_NEAR(back, c.ms, halfTickMs * 1.001 + c.ms * 1e-7) << text << where;
        EXPECT_EQ(position(back, c.tempo, c.ticks, c.numerator, c.denominator), text) << where;

        char typed[kPositionTextCapacity];
        std::snprintf(typed, sizeof typed, "%6i / %2i / %5i", c.bar, c.beat, c.tick);
        const float read = parse_musical_position(typed, c.tempo, c.ticks, c.numerator, c.denominator);
        EXPECT_EQ(position(read, c.tempo, c.ticks, c.numerator, c.denominator), typed) << where;
    }
}

TEST(TimeFields, EachFieldSetsTheDurationAndNamesTheFieldsToRewrite) {
    const TimeFieldSet all = kAllDurationFields;
    const struct {
        uint16_t id;
        const char* text;
        float seconds;
        TimeFieldSet rewritten;
    } cases[] = {
        {kTimeSeconds, "0.25", 0.25f, all & ~duration_field_bit(kTimeSeconds)},
        {kTimeMilliseconds, "250", 0.25f, all & ~duration_field_bit(kTimeMilliseconds)},
        {kTimeHertz, "4", 0.25f, all & ~duration_field_bit(kTimeHertz)},
        {kTimeHertz, "0", 0.0f, all & ~duration_field_bit(kTimeHertz)},
        {kTimeBpm, "240 bpm", 0.25f, all & ~duration_field_bit(kTimeBpm)},
        {kTimeMetres, "82,5", 0.25f, all & ~duration_field_bit(kTimeMetres)},
        {kTimeSamples, "11025.4", 0.25f, all & ~duration_field_bit(kTimeSamples)},
        {kTimePosition, "1 / 1 / 48", 0.25f, all & ~duration_field_bit(kTimePosition)},
        {kTimeFrames, "6.25", 0.25f, all & ~duration_field_bit(kTimeFrames)},
        {kTimeSeconds, "-3", 0.0f, all & ~duration_field_bit(kTimeSeconds)},
        {kTimeTempo, "60", 1.0f, all},                               // [quarter] at 60 bpm
        {kTimeFrameRate, "50", 0.5f, duration_field_bit(kTimeFrames)},  // duration kept
        {kTimeTicks, "480", 0.5f, duration_field_bit(kTimePosition)},
        {kTimeOk, "1", 0.5f, 0},
    };
    for (const auto& c : cases) {
        TimeValues v = derive_time_values(0.5, 44100, SampleRounding::HalfDown);
        TimeContext context = kDefaultTimeContext;
        EXPECT_EQ(apply_time_field_text(c.id, c.text, v, context), c.rewritten) << c.id << " " << c.text;
        EXPECT_FLOAT_EQ(v.seconds, c.seconds) << c.id << " " << c.text;
    }

    // The typed unit keeps the typed number; the others follow the seconds.
    TimeValues v = {};
    TimeContext context = kDefaultTimeContext;
    apply_time_field_text(kTimeSamples, "11025.6", v, context);
    EXPECT_EQ(v.samples, 11026.0f);
    EXPECT_FLOAT_EQ(v.milliseconds, 250.02267f);
    apply_time_field_text(kTimeSamples, "5000000000", v, context);  // past 2^31
    EXPECT_EQ(v.samples, 5e9f);
    EXPECT_FLOAT_EQ(v.seconds, 113378.68f);
    apply_time_field_text(kTimeMilliseconds, "0.0004", v, context);
    EXPECT_FLOAT_EQ(v.milliseconds, 0.0004f);
    EXPECT_EQ(fieldText(kTimePosition, v, context), "     1 /  1 /     0");
    context.framesPerSecond = 0.0f;
    apply_time_field_text(kTimeFrames, "100", v, context);
    EXPECT_EQ(v.seconds, 0.0f);
}

TEST(TimeFields, TicksAndSignatureChangeOnlyThePosition) {
    TimeContext c = kDefaultTimeContext;
    TimeValues v = derive_time_values(0.5, 44100, SampleRounding::HalfDown);
    const struct {
        const char* text;
        int32_t ticks;
    } ticks[] = {{"0", 1}, {"-20", 1}, {"123456", 99999}, {"250.7", 250}, {"1e9", 1}};
    for (const auto& t : ticks) {
        apply_time_field_text(kTimeTicks, t.text, v, c);
        EXPECT_EQ(c.ticksPerQuarter, t.ticks) << t.text;
    }
    EXPECT_EQ(apply_time_list_selection(kTimeNumerator, 58, c), duration_field_bit(kTimePosition));
    EXPECT_EQ(c.signatureNumerator, 6);
    EXPECT_EQ(apply_time_list_selection(kTimeDenominator, 1, c), duration_field_bit(kTimePosition));
    EXPECT_EQ(c.signatureDenominator, 8);
    // No selection (or one outside the list) changes nothing.
    for (int32_t entry : {-1, 64}) EXPECT_EQ(apply_time_list_selection(kTimeNumerator, entry, c), 0u);
    for (int32_t entry : {-1, 5}) EXPECT_EQ(apply_time_list_selection(kTimeDenominator, entry, c), 0u);
    EXPECT_EQ(c.signatureNumerator, 6);
    EXPECT_EQ(c.signatureDenominator, 8);
    EXPECT_EQ(numerator_entry(6), 58);
    EXPECT_EQ(numerator_entry(65), -1);
    EXPECT_EQ(denominator_entry(2), 3);
    EXPECT_EQ(denominator_entry(3), -1);

    // Apply: the note list's duration, samples rounded; picking: cut.
    c = withNotes({9});  // a sixteenth triplet at 120: 1/12 s = 3675 samples
    c.sampleRate = 44101;
    EXPECT_EQ(apply_note_duration(v, c, SampleRounding::HalfDown), kAllDurationFields);
    EXPECT_EQ(v.samples, 3675.0f);  // 3675.08
    c.sampleRate = 44111;           // 3675.92
    apply_note_duration(v, c, SampleRounding::TowardZero);
    EXPECT_EQ(v.samples, 3675.0f);
    apply_note_duration(v, c, SampleRounding::HalfDown);
    EXPECT_EQ(v.samples, 3676.0f);
}

TEST(TimeContextCheck, OutOfRangeFieldsFallBackOneByOne) {
    TimeContext valid = kDefaultTimeContext;
    EXPECT_EQ(sanitize_time_context(valid), 0);
    EXPECT_EQ(std::memcmp(&valid, &kDefaultTimeContext, sizeof valid), 0);

    // A context whose fields all differ from the defaults but are valid.
    TimeContext base = withNotes({14, 0, 7, 3, 11});
    base.tempo = 0.0f;
    base.focusField = kTimeNumerator;
    base.sampleRate = 1;
    base.ticksPerQuarter = 99999;
    base.signatureNumerator = 64;
    base.signatureDenominator = 16;
    base.framesPerSecond = 0.0f;
    TimeContext copy = base;
    EXPECT_EQ(sanitize_time_context(copy), 0);
    EXPECT_EQ(std::memcmp(&copy, &base, sizeof copy), 0);

    // One field spoilt at a time: that field, and only it, takes its default.
#define FIELD(f) offsetof(TimeContext, f), sizeof(TimeContext::f)
    const struct {
        const char* what;
        void (*spoil)(TimeContext&);
        std::size_t offset, size;
    } cases[] = {
        {"note 200", [](TimeContext& c) { c.notes[0] = 200; }, FIELD(notes)},
        {"note 15", [](TimeContext& c) { c.notes[4] = 15; }, FIELD(notes)},
        {"note after the end", [](TimeContext& c) { c.notes[1] = -1; }, FIELD(notes)},
        {"note -2", [](TimeContext& c) { c.notes[2] = -2; }, FIELD(notes)},
        {"replace 2", [](TimeContext& c) { c.replaceMode = 2; }, FIELD(replaceMode)},
        {"tempo -1", [](TimeContext& c) { c.tempo = -1; }, FIELD(tempo)},
        {"tempo NaN", [](TimeContext& c) { c.tempo = std::nanf(""); }, FIELD(tempo)},
        {"tempo inf", [](TimeContext& c) { c.tempo = HUGE_VALF; }, FIELD(tempo)},
        {"focus 3", [](TimeContext& c) { c.focusField = 3; }, FIELD(focusField)},
        {"focus 15", [](TimeContext& c) { c.focusField = 15; }, FIELD(focusField)},
        {"rate 0", [](TimeContext& c) { c.sampleRate = 0; }, FIELD(sampleRate)},
        {"ticks 0", [](TimeContext& c) { c.ticksPerQuarter = 0; }, FIELD(ticksPerQuarter)},
        {"ticks 100000", [](TimeContext& c) { c.ticksPerQuarter = 100000; }, FIELD(ticksPerQuarter)},
        {"numerator 0", [](TimeContext& c) { c.signatureNumerator = 0; }, FIELD(signatureNumerator)},
        {"numerator 65", [](TimeContext& c) { c.signatureNumerator = 65; }, FIELD(signatureNumerator)},
        {"denominator 3", [](TimeContext& c) { c.signatureDenominator = 3; }, FIELD(signatureDenominator)},
        {"denominator 32", [](TimeContext& c) { c.signatureDenominator = 32; }, FIELD(signatureDenominator)},
        {"fps -0.5", [](TimeContext& c) { c.framesPerSecond = -0.5f; }, FIELD(framesPerSecond)},
        {"fps NaN", [](TimeContext& c) { c.framesPerSecond = std::nanf(""); }, FIELD(framesPerSecond)},
    };
#undef FIELD
    for (const auto& c : cases) {
        TimeContext spoilt = base;
        c.spoil(spoilt);
        TimeContext expected = base;
        std::memcpy(reinterpret_cast<char*>(&expected) + c.offset,
                    reinterpret_cast<const char*>(&kDefaultTimeContext) + c.offset, c.size);
        EXPECT_EQ(sanitize_time_context(spoilt), 1) << c.what;
        EXPECT_EQ(std::memcmp(&spoilt, &expected, sizeof spoilt), 0) << c.what;
    }
}

}  // namespace
