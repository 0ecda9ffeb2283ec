#pragma once
// Files that ship beside the running program (the plug-in, the demo's
// output), found from the program's own path. Windows only.
#include <string>

// The full path of `file` in the running program's folder.
std::string besideProgram(const char* file);
