#pragma once
// The panel menu's choice of the limiter's mode: one item per mode, with the
// lookahead it costs at the engine's rate, the current one checked.
#include <windows.h>

#include <cstdint>

#include "limiter/LimiterMode.h"

// Command of the first mode's item; the others follow in kModes' order.
constexpr uint32_t kFirstModeCommand = 900;

// Appends a separator and the modes' items.
void appendModeItems(HMENU menu);
// Brings the items' texts and check mark up to date before the menu shows.
void updateModeItems(HMENU menu, LimiterMode current, float sampleRate);
// The mode a command chooses; false for any other command.
bool modeOfCommand(uint32_t command, LimiterMode* mode);
