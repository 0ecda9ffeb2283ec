#include "platform/MessagePump.h"

void pumpMessagesFor(DWORD milliseconds, const std::function<void()>& eachTurn) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (eachTurn) eachTurn();
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}
