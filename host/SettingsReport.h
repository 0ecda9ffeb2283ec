#pragma once
// The limiter's settings told in the editor's units, as the plug-in will use
// them, and the settings that lie outside the editor's ranges.
#include <string>

#include "limiter/LimiterParams.h"

// "compression 1.00, gain +6.00 dB, velocity 5.0, limit 0.500"; channels
// that differ are told apart as "L ...; R ...". Each field shows what the
// plug-in applies: the default for a field that is not a finite number, the
// nearest end of the safe span for a ceiling outside it.
std::string describeSettings(const LimiterParams& params);

// The fields outside the editor's ranges (which the options refuse), as one
// line for a warning; empty when every field is inside.
std::string settingsOutsideRanges(const LimiterParams& params);
