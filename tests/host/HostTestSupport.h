#pragma once
// Helpers for the Windows tests of the host program: where things are, and
// running the program as a child process.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The directory of the running test program, with no trailing separator.
std::string testDirectory();
// Files beside the test program: the fake effect DLLs.
std::string besideTest(const std::string& name);

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    size_t peakWorkingSet = 0;  // bytes, as seen while it ran
};

// Runs `program` with the arguments (quoted as needed), waits at most a
// minute, and collects its exit code and both output streams. `watch`, if
// given, is called with the process every 20 ms while it runs.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::function<void(HANDLE process)>& watch = {});

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
