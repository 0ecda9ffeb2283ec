#include "tests/host/HostTestSupport.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <initializer_list>

std::string testDirectory() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/"));
}

std::string besideTest(const std::string& name) { return testDirectory() + "\\" + name; }

namespace {

std::string quote(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string q = "\"";
    size_t slashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++slashes;
        } else if (c == '"') {
            q.append(slashes * 2 + 1, '\\');
            slashes = 0;
        } else {
            q.append(slashes, '\\');
            slashes = 0;
        }
        if (c != '\\') q += c;
    }
    q.append(slashes * 2, '\\');
    return q + "\"";
}

// Programs that the child starts on the way (Wine's explorer, for the first
// window) inherit its standard handles and may keep them open for good: so
// every run gets files of its own, shared for writing.
HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::function<void(HANDLE process)>& watch) {
    ProgramRun run;
    std::string commandLine = quote(program);
    for (const std::string& a : args) commandLine += " " + quote(a);
    static int runs = 0;
    const std::string stem = besideTest("child-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs));
    const std::string outPath = stem + ".stdout", errPath = stem + ".stderr";
    HANDLE out = inheritableFile(outPath), err = inheritableFile(errPath);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
        run.err = "cannot create " + stem + ".*";
        return run;
    }
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // Under Wine a start now and then fails for a moment while the machine
    // is busy (two builds' suites side by side): a few tries, then the error.
    bool started = false;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                                 &pi) != 0;
        if (!started) startError = GetLastError();
    }
    if (started) {
        // The peak is read while the process lives: it reads 0 once it ended.
        for (DWORD waited = 0; WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT; waited += 20) {
            PROCESS_MEMORY_COUNTERS memory;
            ZeroMemory(&memory, sizeof memory);
            memory.cb = sizeof memory;
            if (GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory) && memory.PeakWorkingSetSize > run.peakWorkingSet)
                run.peakWorkingSet = memory.PeakWorkingSetSize;
            if (watch) watch(pi.hProcess);
            if (waited >= 60000) TerminateProcess(pi.hProcess, 99);
        }
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        run.exitCode = static_cast<int>(code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        run.err = "CreateProcess failed for " + program + " (error " + std::to_string(startError) + ")";
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = readFileBytes(outPath);
    run.err += readFileBytes(errPath);
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    // Text-mode output under Windows: compare lines without carriage returns.
    for (std::string* s : {&run.out, &run.err})
        for (size_t p; (p = s->find('\r')) != std::string::npos;) s->erase(p, 1);
    return run;
}

std::string readFileBytes(const std::string& path) {
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
