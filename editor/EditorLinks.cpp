#include "editor/EditorLinks.h"

#include <shellapi.h>

#include "toolkit/ModuleDirectory.h"

const char kMakerWebSite[] = "https://www.somar-works.example/";
const char kMakerMail[] = "mailto:plugins@somar-works.example";

HMENU createEditorMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kLinkWebSite, "See KS's Web Pages...");
    return menu;
}

void showEditorMenu(HMENU menu, HWND editorWindow, LPARAM clientPosition) {
    POINT at = {static_cast<int16_t>(LOWORD(clientPosition)),
                static_cast<int16_t>(HIWORD(clientPosition))};
    ClientToScreen(editorWindow, &at);
    TrackPopupMenu(menu, TPM_LEFTBUTTON, at.x, at.y, 0, editorWindow, nullptr);
}

bool openLink(HWND editorWindow, uint32_t command) {
    char directory[2048];
    const char* file = nullptr;
    const char* where = nullptr;
    switch (command) {
        case kLinkReadme: file = "readme.txt"; break;
        case kLinkLicense: file = "license.txt"; break;
        case kLinkWebSite: file = kMakerWebSite; break;
        case kLinkMail: file = kMakerMail; break;
        default: return false;
    }
    if (command == kLinkReadme || command == kLinkLicense) {
        copy_module_directory(directory);
        where = directory;
    }
    ShellExecuteA(editorWindow, "open", file, nullptr, where, SW_SHOW);
    return true;
}
