#pragma once
// The free control: a window class whose whole behaviour comes from its
// creator. Every message goes to a procedure named in the creation block,
// with the creator's user pointer; the toolkit adds only the record, taking
// the focus on a mouse click, and an orderly end: the procedure sees
// WM_CREATE first and WM_DESTROY last, and never WM_CLOSE, which destroys
// the window. Window class "C_RA2ZAZ_Free_00\xA9KSomar".
#include <windows.h>

#include <cstdint>

// Called with the caller removing the arguments; the result is the message's.
typedef LRESULT(__cdecl* FreeControlProc)(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam, void* user);

// The creation block, copied into a record of the window's own.
struct FreeControlRecord {
    uint32_t creatorWords[4];  // the creator's; the control never reads them
    void* user;
    FreeControlProc procedure;
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(FreeControlRecord) == 24, "FreeControlRecord is six 32-bit words");
#endif

// A free control run by procedure; style adds to WS_CHILD | WS_VISIBLE. Null
// when creation failed (also when the procedure answered -1 to WM_CREATE).
HWND create_free_control(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                         int32_t height, uint32_t style, FreeControlProc procedure, void* user);

LRESULT CALLBACK free_control_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
