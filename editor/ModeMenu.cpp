#include "editor/ModeMenu.h"

#include "limiter/ModeParameter.h"

namespace {
constexpr uint32_t kLastModeCommand = kFirstModeCommand + kLimiterModeCount - 1;
constexpr size_t kItemTextSize = 64;

uint32_t commandOf(LimiterMode mode) {
    for (int32_t i = 0; i < kLimiterModeCount; ++i)
        if (kModes[i].mode == mode) return kFirstModeCommand + i;
    return kFirstModeCommand;
}
}  // namespace

void appendModeItems(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const ModeInfo& m : kModes) AppendMenuA(menu, MF_STRING, commandOf(m.mode), m.menuText);
}

void updateModeItems(HMENU menu, LimiterMode current, float sampleRate) {
    char text[kItemTextSize];
    for (const ModeInfo& m : kModes) {
        formatModeMenuText(m.mode, sampleRate, text, sizeof text);
        ModifyMenuA(menu, commandOf(m.mode), MF_BYCOMMAND | MF_STRING, commandOf(m.mode), text);
    }
    CheckMenuRadioItem(menu, kFirstModeCommand, kLastModeCommand, commandOf(current), MF_BYCOMMAND);
}

bool modeOfCommand(uint32_t command, LimiterMode* mode) {
    if (command < kFirstModeCommand || command > kLastModeCommand) return false;
    *mode = kModes[command - kFirstModeCommand].mode;
    return true;
}
