// The plug-in module as a host meets it: loaded with LoadLibrary, entered
// through "main", and inspected as a PE image (what it exports and imports).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "tests/support/TestHost.h"
#include "toolkit/WindowClasses.h"

namespace {

std::string pluginPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "Q-Clamper.dll";
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

struct Module : ::testing::Test {
    PluginModule module{pluginPath()};
    const unsigned char* base() const { return reinterpret_cast<const unsigned char*>(module.handle()); }
    const IMAGE_DATA_DIRECTORY& directory(int entry) const {
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base());
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base() + dos->e_lfanew);
        return nt->OptionalHeader.DataDirectory[entry];
    }
    bool toolkitClassRegistered() const {
        WNDCLASSA info;
        return GetClassInfoA(module.handle(), kRotatifClassName, &info) != 0;
    }
};

// One entry function: the 32-bit module exports it as "main" alone; the
// 64-bit module also as "VSTPluginMain", the name 64-bit hosts try first.
TEST_F(Module, ExportsTheEntryFunctionUnderItsNamesOnly) {
    ASSERT_TRUE(module.loaded());
    const std::vector<std::string> expected =
        sizeof(void*) == 8 ? std::vector<std::string>{"VSTPluginMain", "main"}
                           : std::vector<std::string>{"main"};
    const IMAGE_DATA_DIRECTORY& dir = directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base() + dir.VirtualAddress);
    ASSERT_EQ(exports->NumberOfNames, expected.size());
    const auto* names = reinterpret_cast<const DWORD*>(base() + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base() + exports->AddressOfNameOrdinals);
    const auto* functions = reinterpret_cast<const DWORD*>(base() + exports->AddressOfFunctions);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_STREQ(reinterpret_cast<const char*>(base() + names[i]), expected[i].c_str());
        EXPECT_EQ(functions[ordinals[i]], functions[ordinals[0]]) << expected[i] << " is the one function";
    }
}

TEST_F(Module, ImportsOnlySystemLibraries) {
    ASSERT_TRUE(module.loaded());
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                          "advapi32.dll", "shell32.dll", "comctl32.dll",
                                          "msvcrt.dll"};
    const IMAGE_DATA_DIRECTORY& dir = directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    std::vector<std::string> imported;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base() + dir.VirtualAddress);
         d->Name != 0; ++d) {
        imported.push_back(lower(reinterpret_cast<const char*>(base() + d->Name)));
    }
    EXPECT_FALSE(imported.empty());
    for (const std::string& name : imported) EXPECT_TRUE(system.count(name)) << name;
}

TEST_F(Module, HostVersionZeroCreatesNothing) {
    TestHost host;
    host.versionAnswer = 0;
    EXPECT_EQ(module.instantiate(host), nullptr);
    EXPECT_FALSE(toolkitClassRegistered());
    EXPECT_EQ(LoadBitmapA(module.handle(), MAKEINTRESOURCEA(500)) != nullptr, true);  // resources are there
}

TEST_F(Module, InstancesShareTheToolkitUntilTheLastCloses) {
    TestHost host;
    auto* first = new HostedEffect(module.instantiate(host));
    ASSERT_TRUE(*first);
    HostedEffect second(module.instantiate(host));
    ASSERT_TRUE(second);
    EXPECT_NE(first->record(), second.record());
    EXPECT_TRUE(toolkitClassRegistered());
    delete first;  // effClose
    EXPECT_TRUE(toolkitClassRegistered());

    // The survivor still processes and hands out its chunk.
    second.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::vector<float> in(256, 2.0f), out1(256), out2(256);
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out1.data(), out2.data()};
    second.processReplacing(ins, outs, 256);
    EXPECT_EQ(out1[255], 0.99999f);
    void* chunk = nullptr;
    EXPECT_EQ(second.dispatch(effGetChunk, 0, 0, &chunk), 64);
    EXPECT_NE(chunk, nullptr);

    EXPECT_EQ(second.close(), 1);
    EXPECT_FALSE(toolkitClassRegistered());
}

}  // namespace
