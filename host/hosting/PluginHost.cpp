#include "host/hosting/PluginHost.h"

#include <cstring>
#include <fstream>

#include "host/hosting/ModuleMachine.h"

namespace {
typedef AEffect*(QC_CDECL* EntryPoint)(audioMasterCallback host);
}

std::string windowsErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ' ||
                               result.back() == '.'))
        result.pop_back();
    for (char& c : result)
        if (c == '\r' || c == '\n') c = ' ';
    return result;
}

namespace {

// Why LoadLibrary failed, in the user's terms: the system's texts speak of
// "Bad EXE format for %1" and "Module not found" for a file that is there.
std::string loadFailureReason(const std::string& path, DWORD code) {
    if (code == ERROR_BAD_EXE_FORMAT) return "not a " + machineBits(kHostMachine) + " Windows DLL";
    if (code == ERROR_MOD_NOT_FOUND) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return "no such file";
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a folder, not a DLL";
        return "a DLL that it needs is missing";
    }
    std::string text = windowsErrorText(code);
    for (size_t at; (at = text.find("%1")) != std::string::npos;) text.replace(at, 2, "the file");
    return text;
}

// Why a module built for another processor is refused, from its header,
// before the system is asked to load it; empty when it may be loaded.
std::string architectureRefusal(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    uint8_t head[kModuleHeadBytes];
    file.read(reinterpret_cast<char*>(head), sizeof head);
    return machineRefusal(moduleMachineOf(head, static_cast<std::size_t>(file.gcount())), kHostMachine);
}

}  // namespace

PluginHost::~PluginHost() { unload(); }

intptr_t QC_CDECL PluginHost::callback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float) {
    switch (opcode) {
    case audioMasterVersion: return kHostVersion;
    case audioMasterPinConnected: return index >= 0 && index < 2 ? 0 : 1;  // 0: connected
    default: return 0;  // automation, current id, idle: nothing to do
    }
}

bool PluginHost::load(const std::string& path, std::string& error) {
    unload();
    const std::string refusal = architectureRefusal(path);
    if (!refusal.empty()) {
        error = "cannot load plug-in '" + path + "': " + refusal;
        return false;
    }
    // No "insert disk" or missing-DLL message boxes: failures come back as codes.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryA(path.c_str());
    const DWORD loadError = GetLastError();
    SetErrorMode(oldMode);
    if (!module_) {
        error = "cannot load plug-in '" + path + "': " + loadFailureReason(path, loadError);
        return false;
    }
    // 64-bit plug-ins export their entry as "VSTPluginMain" (and usually
    // also as "main"); 32-bit ones as "main".
    FARPROC entryAddress = GetProcAddress(module_, "VSTPluginMain");
    if (!entryAddress) entryAddress = GetProcAddress(module_, "main");
    const EntryPoint entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(entryAddress));
    if (!entry) {
        error = "'" + path + "' is not an effect plug-in: it exports no 'main'";
        unload();
        return false;
    }
    AEffect* effect = entry(&PluginHost::callback);
    if (!effect) {
        error = "plug-in '" + path + "' declined to start ('main' returned no effect)";
        unload();
        return false;
    }
    if (effect->magic != kEffectMagic || !effect->dispatcher) {
        // Not a record we can drive, nor close: leave it alone and unload.
        error = "plug-in '" + path + "' returned something that is not an effect record";
        unload();
        return false;
    }
    effect_ = effect;
    path_ = path;
    dispatch(effOpen);
    return true;
}

void PluginHost::unload() {
    if (effect_) {
        AEffect* effect = effect_;
        effect_ = nullptr;
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    if (module_) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

intptr_t PluginHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_ ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

void PluginHost::setParameter(int32_t index, float value) {
    if (effect_ && effect_->setParameter) effect_->setParameter(effect_, index, value);
}

float PluginHost::getParameter(int32_t index) {
    return effect_ && effect_->getParameter ? effect_->getParameter(effect_, index) : 0.0f;
}

std::string PluginHost::parameterText(int32_t opcode, int32_t index) {
    char text[256] = {};
    dispatch(opcode, index, 0, text);
    text[sizeof text - 1] = '\0';
    return text;
}

bool PluginHost::getChunk(LimiterParams& params, std::string& error, bool preset) {
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
    if (size != static_cast<intptr_t>(sizeof params) || !data) {
        error = "the plug-in handed over a chunk of " + std::to_string(size) + " bytes" +
                (data ? "" : " at no address") + "; expected 64";
        return false;
    }
    std::memcpy(&params, data, sizeof params);
    return true;
}

bool PluginHost::setChunk(const LimiterParams& params, std::string& error, bool preset) {
    LimiterParams copy = params;
    dispatch(effSetChunk, preset ? 1 : 0, static_cast<intptr_t>(sizeof copy), &copy);
    LimiterParams check;
    if (!getChunk(check, error, preset)) return false;
    if (std::memcmp(&check, &params, sizeof params) != 0) {
        error = "the plug-in did not take the settings (its chunk differs from the one sent)";
        return false;
    }
    return true;
}

// Hosts give these texts a generous buffer: an effect may write more than
// the 24 bytes the interface once promised.
std::string PluginHost::programName() { return parameterText(effGetProgramName, 0); }

void PluginHost::setProgramName(const std::string& name) {
    std::string text = name;
    dispatch(effSetProgramName, 0, 0, &text[0]);
}
