#pragma once
// A picture of one render: the input and output waveforms one above the other
// (full scale marked) and the gain reduction over time, written as PNG with cairo.

#include <string>
#include <vector>

#include "tools/AudioFile.h"

namespace ambrel::tools {

struct PlotOptions {
    int width = 1200;
    int height = 760;
    std::string title;
    int latency = 0;              // output samples that lag the input (0 for a compensated render)
    double windowSeconds = 0.01;  // gain reduction resolution
};

// Output level against input level per window in dB (0 = untouched, negative
// = reduced), across all channels; NaN where the input is below -80 dBFS.
std::vector<double> gainReductionDb(const AudioData& input, const AudioData& output, int latency, int window);

bool writeRenderPlot(const std::string& pngPath, const AudioData& input, const AudioData& output,
                     const PlotOptions& options, std::string& error);

}  // namespace ambrel::tools
