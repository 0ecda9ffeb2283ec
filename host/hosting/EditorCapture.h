#pragma once
// Opens a plug-in's editor the way a host does, in a top-level window of
// the size the editor asks for, lets it draw, and copies the window's client
// pixels into an image. The editor is closed again afterwards; the empty
// frame window is left for the end of the process (see the .cpp).
#include <string>

#include "host/hosting/PluginHost.h"
#include "host/pictures/BmpFile.h"

struct EditorCaptureResult {
    bool ok = false;
    std::string error;
    std::string warning;  // e.g. windows the editor left behind after effEditClose
};

EditorCaptureResult captureEditor(PluginHost& host, RgbImage& image);
