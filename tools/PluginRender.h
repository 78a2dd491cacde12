#pragma once
// Runs a whole signal through a loaded plug-in, block by block, the way a host
// renders a track: 32-bit or 64-bit processing calls of at most blockSize
// frames, each plug-in input fed from a file channel (a mono file feeds every
// input), and optionally the reported latency trimmed so the output lines up
// with the input.

#include <functional>
#include <string>

#include "tools/AudioFile.h"
#include "tools/HostedPlugin.h"

namespace ambrel::tools {

struct RenderOptions {
    int blockSize = 512;
    bool doublePrecision = false;
    bool compensate = false;
};

struct RenderResult {
    AudioData output;
    int latency = 0;             // the plug-in's reported latency at the end of the render
    long calls = 0;              // processing calls made
    long framesProcessed = 0;    // frames passed through those calls
    double processSeconds = 0.0; // time spent inside the processing calls
};

using RenderProgress = std::function<void(long done, long total)>;

// The plug-in must be loaded (suspended) with its rate and parameters set; it
// is resumed for the render and suspended afterwards.
bool renderThroughPlugin(HostedPlugin& plugin, const AudioData& input, const RenderOptions& options,
                         RenderResult& result, std::string& error, const RenderProgress& progress = {});

}  // namespace ambrel::tools
