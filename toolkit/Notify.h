#pragma once
// How controls report to their owners, and how owners command controls.
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"

// Reports a value change: nothing (result 0) while the toolkit's
// notifications are off; by callback when target has kNotifyByCallback
// (result: the callback's; 0 when no callback is set); otherwise by posting
// WM_COMMAND (wParam = low 16 bits of code, lParam = value bits) to the owner
// (result 0).
int32_t notify_owner(const NotifyTarget* target, int32_t code, uint32_t value);

// Sends control command `command` with valueBits; the result's bits as a float
// (command 3 yields the control's value).
float send_control_command(HWND window, uint32_t command, uint32_t valueBits);
// Posts the command; no result.
void post_control_command(HWND window, uint32_t command, uint32_t valueBits);
