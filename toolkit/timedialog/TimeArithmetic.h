#pragma once
// The time entry dialog's arithmetic: conversions between a duration in
// seconds and the units the dialog shows, note-value sums, musical positions
// and the checks applied to a stored context. Portable: no Windows headers.
#include <cstdint>

#include "toolkit/TimeContext.h"
