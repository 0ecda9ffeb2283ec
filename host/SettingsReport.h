#pragma once
// The limiter's settings told in the editor's units, as the plug-in will use
// them, and the settings that lie outside the editor's ranges.
#include <string>

#include "limiter/LimiterParams.h"

// "compression 1.00, gain +6.00 dB, velocity 5.0, limit 0.500"; channels
// that differ are told apart as "L ...; R ...". A field that is not a
// finite number shows the default the plug-in drives in its place.
std::string describeSettings(const LimiterParams& params);

// The fields outside the editor's ranges (which the options refuse), as one
// line for a warning; empty when every field is inside.
std::string settingsOutsideRanges(const LimiterParams& params);
