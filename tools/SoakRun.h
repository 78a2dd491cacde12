#pragma once
// A long run through a loaded plug-in with random automation: a looped demo
// signal in blocks of at most blockSize frames and, before every block, a few
// continuous host parameters set to random values, as a host plays back dense
// automation; the switches and stepped parameters, which choose the
// processing mode, take random values at the start of every segment of
// segmentBlocks blocks. It watches for what a session must never show: a non-finite
// output sample, a block that takes far longer than the others (denormals or
// another pathological slowdown) and memory that keeps growing.
//
// Block times are the processing thread's own CPU time, so a machine busy
// with other work does not count against the plug-in; each block is compared
// with the median of its segment, because modes differ in cost by design.
// Times and memory are judged after the first tenth of the run, which warms
// up.

#include <functional>
#include <string>

#include "tools/AudioFile.h"
#include "tools/HostedPlugin.h"

namespace ambrel::tools {

struct SoakOptions {
    long frames = 160'000'000;  // about an hour at 44100 Hz
    int blockSize = 512;
    bool doublePrecision = false;
    unsigned seed = 1;
    int changesPerBlock = 2;
    long segmentBlocks = 1024;  // blocks between changes of the mode parameters
};

struct SoakReport {
    long frames = 0;
    long blocks = 0;
    long parameterChanges = 0;
    long nonFiniteSamples = 0;
    double peakOutput = 0.0;        // largest magnitude of any output sample
    double medianBlockNs = 0.0;     // CPU time of one block, after the first tenth
    double p999BlockNs = 0.0;
    double maxBlockNs = 0.0;
    double worstRatio = 0.0;        // the slowest block over the median of its segment
    long slowBlocks = 0;            // above kSlowBlockFactor times its segment's median (see isSlowBlock)
    long slowStretches = 0;         // runs of kSlowStretchBlocks slow blocks in a row
    long residentStartKb = 0;       // after the first tenth of the run
    long residentEndKb = 0;
    double wallSeconds = 0.0;
};

inline constexpr double kSlowBlockFactor = 10.0;
// A block is slow above kSlowBlockFactor times the median of its segment and
// at least this much above it: below that, an interrupt the kernel bills to
// the thread decides, not the plug-in (it matters only for plug-ins far
// lighter than ours, whose median block is tens of microseconds).
inline constexpr double kSlowBlockMarginNs = 250'000.0;

inline bool isSlowBlock(double ns, double medianNs) {
    return ns > kSlowBlockFactor * medianNs && ns > medianNs + kSlowBlockMarginNs;
}

// A slowdown of the plug-in's own (denormals, a pathological path) lasts: it
// shows as consecutive slow blocks. A single slow block among normal ones is
// the machine (preemption, a page fault, time stolen from a virtual machine),
// and a few per million are tolerated.
inline constexpr int kSlowStretchBlocks = 3;
inline constexpr long kAllowedSlowBlocksPerMillion = 100;
inline constexpr long kAllowedGrowthKb = 1024;

// True when the run shows none of the faults above.
bool soakPassed(const SoakReport& report);

using SoakProgress = std::function<void(long done, long total)>;

// The plug-in must be loaded (suspended); it is resumed for the run and
// suspended afterwards. `signal` is looped; false with `error` when the
// plug-in cannot be run at all.
bool soakThroughPlugin(HostedPlugin& plugin, const AudioData& signal, const SoakOptions& options,
                       SoakReport& report, std::string& error, const SoakProgress& progress = {});

}  // namespace ambrel::tools
