#pragma once
// The plug-in's settings as the host handles them: the 64-byte parameter
// block, read from and written to chunk files.
#include <string>

#include "limiter/LimiterParams.h"

// Reads a chunk file; it must hold exactly 64 bytes.
bool readChunkFile(const std::string& path, LimiterParams& params, std::string& error);
bool writeChunkFile(const std::string& path, const LimiterParams& params, std::string& error);

