#pragma once
// Runs a window's messages for a while outside a message loop: a program
// that shows a window and photographs it, or gives an editor its time. Windows
// only.
#include <windows.h>

#include <functional>

// Delivers pending messages, then calls `eachTurn` (may be empty), every
// 10 ms for about `milliseconds`.
void pumpMessagesFor(DWORD milliseconds, const std::function<void()>& eachTurn = {});
