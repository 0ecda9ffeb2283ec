#pragma once
// The plug-in's settings as the host handles them: the 64-byte parameter
// block, read from and written to chunk files, and changed by the options
// given in the editor's units.
#include <string>

#include "host/HostOptions.h"
#include "limiter/LimiterParams.h"

// Reads a chunk file; it must hold exactly 64 bytes.
bool readChunkFile(const std::string& path, LimiterParams& params, std::string& error);
bool writeChunkFile(const std::string& path, const LimiterParams& params, std::string& error);

// Writes the settings given in `options` into both channels of `params`;
// fields not given, and the 32 reserved bytes, stay as they are. Gain is
// given in decibels and stored as the knob stores it (LimiterSettings.h).
void applySettings(const HostOptions& options, LimiterParams& params);
