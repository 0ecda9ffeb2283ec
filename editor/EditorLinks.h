#pragma once
// The editor's context menu and the links its commands open.
#include <windows.h>

#include <cstdint>

enum EditorLinkCommand : uint32_t {
    kLinkReadme = 888,
    kLinkLicense = 889,
    kLinkWebSite = 890,
    kLinkMail = 891,
};

extern const char kMakerWebSite[];
extern const char kMakerMail[];

HMENU createEditorMenu();
// Shows the menu at a client position of the editor window (signed 16-bit
// coordinates, as WM_RBUTTONDOWN packs them).
void showEditorMenu(HMENU menu, HWND editorWindow, LPARAM clientPosition);
// Opens the target of one of the four link commands; others do nothing.
// Answers whether the command was one of them.
bool openLink(HWND editorWindow, uint32_t command);
