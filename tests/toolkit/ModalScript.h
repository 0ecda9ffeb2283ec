#pragma once
// Drives the modal loops a control runs from inside its message handlers
// (the value edit dialog, the time entry dialog, a popup menu): a thread
// timer fires inside the loop and plays the script as a user would, posting
// keys to the thread's queue.
#include <windows.h>

#include <functional>
#include <string>

struct ModalScript {
    // What to do.
    HWND destroy = nullptr;           // destroyed from inside the loop first
    const char* typeText = nullptr;   // replaces the edit field (or the time dialog's seconds)
    bool confirm = false;             // Enter / OK, else Escape / Cancel
    int menuItem = 0;                 // chooses the n-th menu item by arrow keys; 0 closes the menu
    // What was seen.
    bool sawEdit = false, sawTime = false, sawMenu = false;
    std::string editText;             // the edit field's text when the dialog opened
    int editWidth = 0;                // the edit field's width
};

extern ModalScript g_modal;

// Runs f with a timer that plays g_modal in the modal loop f starts.
void run_modal(const std::function<void()>& f);
