#pragma once
// The time entry dialog's fields as data: their ids, their texts, and what a
// change of one field does to the duration, the context and the other
// fields. Portable: the dialog window only moves texts in and out.
#include <cstddef>
#include <cstdint>

#include "toolkit/timedialog/TimeArithmetic.h"

enum TimeFieldId : uint16_t {
    kTimeOk = 1,
    kTimeCancel = 2,
    kTimeApply = 3,
    kTimeSeconds = 10,
    kTimeMilliseconds = 11,
    kTimeHertz = 12,
    kTimeBpm = 13,
    kTimeTempo = 14,
    kTimeReplace = 15,
    kTimeMetres = 50,
    kTimeSamples = 51,
    kTimeTicks = 60,
    kTimeNumerator = 61,
    kTimeDenominator = 62,
    kTimePosition = 63,
    kTimeFrames = 70,
    kTimeFrameRate = 71,
};

// 1 when id is an edit field or list box, the fields that can hold the focus.
int is_time_focus_field(uint32_t id);

// The fields that follow a new duration, in the order they are rewritten;
// a TimeFieldSet holds bit i for kDurationFields[i].
constexpr int kDurationFieldCount = 8;
extern const uint16_t kDurationFields[kDurationFieldCount];
using TimeFieldSet = uint32_t;
constexpr TimeFieldSet kAllDurationFields = (1u << kDurationFieldCount) - 1;
// The bit of a duration field; 0 for other ids.
TimeFieldSet duration_field_bit(uint16_t id);

// Room for any field text (the largest float with six decimals is 46
// characters).
constexpr std::size_t kTimeFieldTextCapacity = 64;
// Writes the text a field shows (seconds ... frames per second, ticks,
// position) and returns its length; ids without a text give "" and 0.
std::size_t format_time_field(uint16_t id, const TimeValues& values, const TimeContext& context,
                              char* buffer, std::size_t capacity);

// The list boxes: numerators 64 down to 1, denominators 16, 8, 4, 2, 1.
constexpr int kNumeratorEntries = 64;
constexpr int kDenominatorEntries = 5;
extern const int32_t kDenominators[kDenominatorEntries];
// Entry of a value in its list, -1 when it has none.
int32_t numerator_entry(int32_t numerator);
int32_t denominator_entry(int32_t denominator);

// A number typed into edit field id (free text; negative counts as 0):
// updates the duration and the context and returns the fields to rewrite.
TimeFieldSet apply_time_field_text(uint16_t id, const char* text, TimeValues& values,
                                   TimeContext& context);
// A selection in the numerator or denominator list; an entry outside the
// list changes nothing.
TimeFieldSet apply_time_list_selection(uint16_t id, int32_t entry, TimeContext& context);
// The duration becomes that of the note list (Apply, a picked note).
TimeFieldSet apply_note_duration(TimeValues& values, const TimeContext& context,
                                 SampleRounding rounding);
