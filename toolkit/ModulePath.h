#pragma once
// Turning a module's file path into its directory. Portable: no Windows
// headers, so the rule is tested natively as well.

// Cuts path (a zero-terminated text, changed in place) down to drive and
// directory when its file name has an extension; a path whose file name has
// no extension stays whole. One trailing backslash of the directory is
// removed, except the one that names a drive's root ("C:\" stays "C:\", so
// that it still means the root and not the drive's current directory).
void cut_to_module_directory(char* path);
