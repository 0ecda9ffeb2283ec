#pragma once
// Opens a plug-in's editor in a top-level window for a person to use, and
// returns when they close the window (the frame's close box, Alt+F4). The
// editor is closed with effEditClose before the function returns.
#include <string>

#include "host/hosting/PluginHost.h"

// The frame window's title, by which scripts and tests find it.
constexpr const char* kEditorSessionTitle = "Q-Clamper";

// False with a message when the editor could not be shown.
bool runEditorSession(PluginHost& host, std::string& error);
