#pragma once
// The generic editor that an effect's dispatcher drives through the editor
// opcodes. The base class answers "no window" to everything; a derived
// editor creates the real window.
#include <windows.h>

#include <cstdint>

class PluginBase;

// The host's editor rectangle: four signed 16-bit values, 8 bytes.
struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};
static_assert(sizeof(ERect) == 8, "the editor rectangle is four int16");

class EditorBase {
public:
    // Stores the effect and attaches itself to it (when it is not null): the
    // effect's `editor` becomes this editor, which the effect then owns, and
    // effFlagsHasEditor is set.
    explicit EditorBase(PluginBase* effect);
    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    // Slot 0. The base destructor does nothing.
    virtual ~EditorBase();
    // Slot 1. Stores the address of the editor's rectangle in *rect and
    // answers 1; the base stores null and answers 0.
    virtual int32_t getRect(ERect** rect);
    // Slot 2. The base stores the parent window and answers 0 (no window).
    virtual int32_t open(HWND parent);
    // Slot 3. The base does nothing.
    virtual void close();
    // Slot 4. Runs a requested update: clears the request, then `update`.
    virtual void idle();
    // Slot 5. The base does nothing.
    virtual void update();
    // Slot 6. Asks for an `update` at the next `idle`.
    virtual void requestUpdate();

    PluginBase* effect;
    HWND parentWindow;
    int32_t updateRequested;
};
