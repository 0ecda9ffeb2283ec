#pragma once
// The time entry dialog's arithmetic: conversions between a duration in
// seconds and the units the dialog shows, note-value sums, musical positions
// and the checks applied to a stored context. Portable: no Windows headers.
//
// Everything here accepts any input, NaN and infinities included, and gives
// finite results: floats that would overflow saturate at the largest float,
// sample counts at the 64-bit range, bars at the 32-bit range.
#include <cstddef>
#include <cstdint>

#include "toolkit/TimeContext.h"

// Notes: indices into a table of 15 note values (row x 5 + column of the note
// picture: plain, triplet, dotted; whole note down to sixteenth).
constexpr int kNoteCount = 15;
constexpr int kNoteListLength = 5;
constexpr int16_t kNoNote = -1;

// Length of a note value in quarter-note beats; 0 for an index outside the
// table.
float note_beats(int index);
// Number of notes before the first empty entry.
int note_list_length(const TimeContext& context);
// Adds a picked note: in replace mode, or when the list is full, the list
// becomes just that note; otherwise it is appended. Indices outside the
// table are ignored.
void add_note(TimeContext& context, int index);
// Seconds of the note list at the context's tempo; 0 at tempo 0.
double musical_duration(const TimeContext& context);

// The duration in every unit the dialog shows.
struct TimeValues {
    float seconds;
    float milliseconds;
    float hertz;    // periods per second, 0 for a zero duration
    float bpm;      // beats per minute, 0 for a zero duration
    float metres;   // sound at 330 m/s
    float samples;  // a whole number
};

enum class SampleRounding {
    HalfDown,    // typed or converted durations
    TowardZero,  // durations built from picked notes
};

// The nearest float to x, NaN as 0, beyond the float range the largest float.
float saturate_float(double x);
// All units from seconds (NaN and negative durations count as 0).
TimeValues derive_time_values(double seconds, int32_t sampleRate, SampleRounding rounding);

// Musical positions as "bar / beat / tick", counted from "1 / 1 / 0". The
// text holds at most 39 characters.
constexpr std::size_t kPositionTextCapacity = 40;
// Ticks in one unit of the signature's denominator (4T for whole notes,
// T/4 for sixteenths), as an exact real number: 5 ticks per quarter make
// 1.25 ticks per sixteenth. Other denominators count quarters.
double ticks_per_unit(int32_t ticks, int32_t denominator);
// Writes the position of `milliseconds` as "%6i / %2i / %5i" into buffer
// (cut short when capacity is smaller) and returns the text's length.
// Bars and units are counted exactly; the position shown is the nearest one
// the text can hold (whole ticks into a unit, or the next unit's start).
// Tempi below 1 bpm count as 1.
std::size_t format_musical_position(double milliseconds, float tempo, int32_t ticks,
                                    int32_t numerator, int32_t denominator, char* buffer,
                                    std::size_t capacity);
// Milliseconds of a position text: three whole numbers, a missing or zero
// bar reads as 1, a missing, zero or too large beat as 1, a missing tick or
// one beyond the unit's ticks as 0. Tempi below 1 bpm count as 1. A text
// that format_musical_position wrote reads back to the position it shows.
float parse_musical_position(const char* text, float tempo, int32_t ticks, int32_t numerator,
                             int32_t denominator);

// Replaces every field of a stored context that is out of range by its
// default, so that nothing read from outside can reach an index or a
// division unchecked. Returns the number of fields replaced.
int sanitize_time_context(TimeContext& context);
