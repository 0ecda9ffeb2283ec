// A DLL that is not an effect: it exports no "main".
#include <windows.h>

extern "C" __declspec(dllexport) int notAnEffect() { return 0; }
