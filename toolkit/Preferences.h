#pragma once
// The toolkit's five preferences and their registry values.
#include "toolkit/ToolkitModule.h"

// The four switches take their defaults (the time context keeps its content).
void reset_preferences(ToolkitModule& module);
// Reads "Rot_Mode", "S_capture", "S_settopos", "A_imode", "Dial_tCtx" in that
// order from module.keyPath; a value that is missing, not binary or larger
// than its member leaves the member alone. The three slider/adjust switches
// read any non-zero value as 1; a field of the time context that is out of
// range takes its default.
void load_preferences(ToolkitModule& module);
// Writes the five values, in the same order, with their members' sizes.
void save_preferences(const ToolkitModule& module);
