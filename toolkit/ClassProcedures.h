#pragma once
// Stand-in window procedure for a toolkit class whose control is not built
// yet: default processing only, no data record.
#include <windows.h>

LRESULT CALLBACK placeholder_control_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
