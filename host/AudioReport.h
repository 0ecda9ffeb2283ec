#pragma once
// Peak levels of audio, for the host's report.
#include <string>
#include <vector>

#include "host/WavFile.h"

// The largest magnitude per channel; non-finite samples count as infinite.
std::vector<double> channelPeaks(const WavAudio& audio);
// "0.5000 (-6.02 dBFS)"; a zero peak reads "0.0000 (-inf dBFS)".
std::string describePeak(double peak);
// "L 0.5000 (-6.02 dBFS)  R ..." or "0.5000 (-6.02 dBFS)" for mono.
std::string describePeaks(const std::vector<double>& peaks);
