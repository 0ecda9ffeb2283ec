#include "UserInput.h"

namespace {

const DWORD kButtonFlags[3][2] = {{MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN},
                                  {MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_RIGHTDOWN},
                                  {MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_MIDDLEDOWN}};

INPUT mouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace

void UserInput::moveTo(POINT screen) {
    // Absolute positions run from 0 to 65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = MulDiv(screen.x < 0 ? 0 : screen.x, 65535, width > 1 ? width - 1 : 1);
    input.mi.dy = MulDiv(screen.y < 0 ? 0 : screen.y, 65535, height > 1 ? height - 1 : 1);
    queue_.push_back(input);
}

void UserInput::button(MouseButton which, bool down) { queue_.push_back(mouse(kButtonFlags[which][down])); }

void UserInput::wheel(int delta) {
    INPUT input = mouse(MOUSEEVENTF_WHEEL);
    input.mi.mouseData = static_cast<DWORD>(delta);
    queue_.push_back(input);
}

void UserInput::key(WORD virtualKey, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    queue_.push_back(input);
}

void UserInput::sendNow(const INPUT& input) {
    INPUT copy = input;
    SendInput(1, &copy, sizeof copy);
    if (input.type == INPUT_MOUSE) {
        for (int b = 0; b < 3; ++b) {
            if (input.mi.dwFlags & kButtonFlags[b][1]) buttonsDown_[b] = true;
            if (input.mi.dwFlags & kButtonFlags[b][0]) buttonsDown_[b] = false;
        }
        return;
    }
    const bool up = (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0;
    for (WORD& held : keysDown_) {
        if (up && held == input.ki.wVk) held = 0;
        if (!up && held == input.ki.wVk) return;
    }
    if (up) return;
    for (WORD& held : keysDown_) {
        if (held == 0) {
            held = input.ki.wVk;
            return;
        }
    }
}

void UserInput::send(int count) {
    for (; count > 0 && !queue_.empty(); --count) {
        const INPUT input = queue_.front();
        queue_.pop_front();
        sendNow(input);
    }
}

void UserInput::releaseAll() {
    queue_.clear();
    for (int b = 0; b < 3; ++b)
        if (buttonsDown_[b]) sendNow(mouse(kButtonFlags[b][0]));
    for (WORD held : keysDown_) {
        if (held == 0) continue;
        key(held, false);
        sendNow(queue_.back());
        queue_.pop_back();
    }
}
