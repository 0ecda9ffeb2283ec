#pragma once
// The toolkit's process-wide state: shared drawing objects, preferences,
// window classes and the last-error code. Reference-counted: only the first
// init_toolkit and the last terminate_toolkit do any work. Everything here is
// touched only on the user-interface thread and is not locked.
#include <windows.h>

#include <cstdint>

#include "toolkit/TimeContext.h"
#include "toolkit/WindowClasses.h"

constexpr int kPaletteSize = 16;
constexpr int kFontCount = 16;
constexpr int kStockBitmapCount = 13;
constexpr int kFirstStockBitmapId = 1500;
constexpr int kMaxMaskDiameters = 31;
constexpr int kMaskWorkSize = 128;
constexpr int kApplicationNameLength = 127;

// Palette indices the toolkit itself draws with.
enum PaletteIndex {
    kColourBlack = 0,
    kColourFocus = 2,
    kColourShadow = 9,
    kColourWhite = 15,
};

// Last-error codes (index into the message table).
enum ToolkitError : uint16_t {
    kErrorNone = 0,
    kErrorNotInitialised = 1,
    kErrorRegisterRotatif = 2,  // ... one per class, in registration order
    kErrorRegister2DList = 8,
};

// Circular masks shared by round controls, one per diameter, plus the work
// bitmap in which masked copies are composed.
struct CircleMaskCache {
    int32_t count;
    int32_t diameters[kMaxMaskDiameters];
    HBITMAP masks[kMaxMaskDiameters];
    HBITMAP work;
};

struct ToolkitModule {
    int32_t referenceCount;
    HINSTANCE instance;
    char applicationName[kApplicationNameLength + 1];
    char keyPath[20 + kApplicationNameLength + 1];
    uint16_t lastError;
    int32_t notificationsEnabled;
    // 1 after an initialisation that completed; later users are told whether
    // the toolkit they share is actually up.
    int32_t ready;

    // Preferences, stored byte for byte in the registry.
    int32_t knob_mouse_mode;   // "Rot_Mode": bit 0 inverse, bit 1 angular
    int32_t S_capture;         // slider "Mouse Captured"
    int32_t S_settopos;        // slider "Direct mouse position"
    int32_t A_imode;           // adjust window "Inverse mousemove mode"
    TimeContext Dial_tCtx;     // time entry dialog context

    COLORREF palette[kPaletteSize];
    HBRUSH brushes[kPaletteSize];
    HPEN pens[kPaletteSize];
    HPEN dashDotPen;
    HFONT fonts[kFontCount];
    HBITMAP stockBitmaps[kStockBitmapCount];

    // Open toolkit dialogs; each dialog sets and clears its own handle.
    HWND valueEditDialog;
    HWND timeEntryDialog;
    HWND adjustWindow;

    CircleMaskCache masks;

    // Which classes this module registered (and so may unregister).
    bool classRegistered[kToolkitClassCount];
};

ToolkitModule& toolkit();

// Returns 1 on success, 0 on failure (see toolkit_last_error). Every call
// must be matched by one terminate_toolkit, also after a failure.
int32_t init_toolkit(HINSTANCE instance, const char* applicationName);
// Returns the remaining reference count; 0 after the final termination. An
// unmatched call (count already 0) does nothing.
int32_t terminate_toolkit();

uint16_t toolkit_last_error();
// The message of an error code; null for codes outside the table.
const char* toolkit_error_message(uint16_t code);

// The palette as the toolkit defines it, before display matching.
extern const COLORREF kToolkitPalette[kPaletteSize];
