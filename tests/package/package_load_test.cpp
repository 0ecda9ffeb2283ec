// The plug-in as a user installs it, from the unpacked release folder: it
// loads and answers like the plug-in of the build, and its readme and
// license commands open files that lie beside it.
//   package_load_test <unpacked Q-Clamper.dll> <built Q-Clamper.dll>
// Prints one line per failed check; exit status 0 when all hold.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "plugin/AEffect.h"
#include "tests/support/ImportHook.h"

namespace {

int g_failures = 0;

void check(bool ok, const std::string& what) {
    if (ok) return;
    ++g_failures;
    std::printf("FAILED: %s\n", what.c_str());
}

intptr_t QC_CDECL hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

typedef AEffect*(QC_CDECL* EntryPoint)(audioMasterCallback);

AEffect* instantiate(HMODULE module) {
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    return entry != nullptr ? entry(hostCallback) : nullptr;
}

// What ShellExecuteA was asked to open, instead of opening it.
std::string g_verb, g_file, g_directory;

HINSTANCE WINAPI recordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR directory, INT) {
    g_verb = verb != nullptr ? verb : "";
    g_file = file != nullptr ? file : "";
    g_directory = directory != nullptr ? directory : "";
    return reinterpret_cast<HINSTANCE>(33);
}

void compareRecords(const AEffect* a, const AEffect* b) {
    check(a->magic == b->magic, "magic");
    check(a->numPrograms == b->numPrograms && a->numParams == b->numParams, "programs and parameters");
    check(a->numInputs == b->numInputs && a->numOutputs == b->numOutputs, "inputs and outputs");
    check(a->flags == b->flags, "flags");
    check(a->uniqueID == b->uniqueID && a->version == b->version, "id and version");
    check(a->initialDelay == b->initialDelay, "latency");
    void* chunkA = nullptr;
    void* chunkB = nullptr;
    const int32_t sizeA = a->dispatcher(const_cast<AEffect*>(a), effGetChunk, 0, 0, &chunkA, 0.0f);
    const int32_t sizeB = b->dispatcher(const_cast<AEffect*>(b), effGetChunk, 0, 0, &chunkB, 0.0f);
    check(sizeA == 64 && sizeA == sizeB && std::memcmp(chunkA, chunkB, 64) == 0, "default chunk");
}

// The editor's readme (888) and license (889) commands name a file that
// exists in the directory they open it in.
void checkLinks(AEffect* effect) {
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 100, nullptr, nullptr, nullptr, nullptr);
    effect->dispatcher(effect, effEditOpen, 0, 0, frame, 0.0f);
    HWND editor = GetWindow(frame, GW_CHILD);
    check(editor != nullptr, "the editor opens");
    for (const char* expected : {"readme.txt", "license.txt"}) {
        g_file.clear();
        SendMessageA(editor, WM_COMMAND, std::strcmp(expected, "readme.txt") == 0 ? 888 : 889, 0);
        check(g_verb == "open" && g_file == expected, std::string("the command opens ") + expected);
        const std::string path = g_directory + "\\" + g_file;
        check(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, path + " exists");
    }
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(frame);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: package_load_test <unpacked dll> <built dll>\n");
        return 2;
    }
    HMODULE unpacked = LoadLibraryA(argv[1]);
    HMODULE built = LoadLibraryA(argv[2]);
    check(unpacked != nullptr && built != nullptr && unpacked != built, "both modules load");
    if (g_failures) return 1;
    check(replaceImport(unpacked, "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(recordShellExecute)),
          "ShellExecuteA is imported");
    AEffect* a = instantiate(unpacked);
    AEffect* b = instantiate(built);
    check(a != nullptr && b != nullptr, "main answers an effect");
    if (g_failures) return 1;
    compareRecords(a, b);
    checkLinks(a);
    a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f);
    b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f);
    std::printf("%s\n", g_failures ? "package load test failed" : "package load test passed");
    return g_failures ? 1 : 0;
}
