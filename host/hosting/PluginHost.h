#pragma once
// One effect plug-in loaded the way any host loads it: LoadLibrary, the
// exported "main" called with our host callback, then driven only through
// the effect record. Closing (effClose) and unloading happen on destruction.
#include <windows.h>

#include <cstdint>
#include <string>

#include "limiter/LimiterParams.h"
#include "plugin/AEffect.h"

class PluginHost {
public:
    PluginHost() = default;
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the module, starts one effect and opens it (effOpen). On failure
    // nothing stays loaded and `error` says why in one line.
    bool load(const std::string& path, std::string& error);
    // Closes the effect and unloads the module; load() may follow.
    void unload();

    AEffect* effect() const { return effect_; }
    HMODULE module() const { return module_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);

    // The 64-byte chunk, read with effGetChunk and written with effSetChunk;
    // `preset` marks it as one program's (a preset) rather than a bank's.
    bool getChunk(LimiterParams& params, std::string& error, bool preset = false);
    bool setChunk(const LimiterParams& params, std::string& error, bool preset = false);
    // The current program's name (effGetProgramName, effSetProgramName).
    std::string programName();
    void setProgramName(const std::string& name);

    // The parameters, through the record's setParameter and getParameter.
    int32_t parameterCount() const { return effect_ ? effect_->numParams : 0; }
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);
    // effGetParamName, effGetParamLabel or effGetParamDisplay; an effect
    // that writes more than a host reserves is cut short, not overrun.
    std::string parameterText(int32_t opcode, int32_t index);

    // The version this host reports to audioMasterVersion.
    static constexpr int32_t kHostVersion = 1;

private:
    static intptr_t QC_CDECL callback(AEffect* effect, int32_t opcode, int32_t index,
                                      intptr_t value, void* ptr, float opt);
    HMODULE module_ = nullptr;
    AEffect* effect_ = nullptr;
    std::string path_;
};

// The text of a Win32 error code, on one line.
std::string windowsErrorText(DWORD code);
