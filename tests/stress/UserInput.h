#pragma once
// Input as a person's mouse and keyboard make it (SendInput), queued and sent
// a few events at a time, so that a menu or dialog that one event opens
// receives the next ones. Buttons and keys still held are released on request.
#include <windows.h>

#include <deque>

enum MouseButton { kLeftButton, kRightButton, kMiddleButton };

class UserInput {
public:
    void moveTo(POINT screen);
    void button(MouseButton which, bool down);
    void click(MouseButton which) {
        button(which, true);
        button(which, false);
    }
    void wheel(int delta);
    void key(WORD virtualKey, bool down);
    void tap(WORD virtualKey) {
        key(virtualKey, true);
        key(virtualKey, false);
    }

    bool empty() const { return queue_.empty(); }
    // Sends up to `count` queued events.
    void send(int count);
    // Drops what is queued and lets go of every button and key still down.
    void releaseAll();

private:
    void sendNow(const INPUT& input);
    std::deque<INPUT> queue_;
    bool buttonsDown_[3] = {};
    WORD keysDown_[8] = {};
};
