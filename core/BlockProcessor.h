#pragma once
// The audio callback's block loop: host buffers of any length are cut into
// blocks of at most 64 frames, converted to 64-bit floats, up-sampled 2x and
// aligned (or delayed by the same amount when oversampling is off), passed
// through the kernel the engine chooses for the block, brought back down,
// clipped when oversampling and Brickwall are both on, and converted back.
// The same loop serves 32-bit and 64-bit hosts. Nothing here allocates.

#include "dsp/AlignmentLine.h"
#include "dsp/HalfbandResampler.h"

namespace ambrel {

class Engine;
struct Edition;

class BlockProcessor {
public:
    static constexpr int kMaxHostFrames = 64;
    static constexpr int kBlockCapacity = 512;

    explicit BlockProcessor(const Edition& edition);

    // One host call. outRight may equal outLeft (a single connected output): the
    // left result is written first, the right one last, as the host then hears it.
    template <typename Sample>
    void process(Engine& engine, double monoStereoValue, const Sample* inLeft, const Sample* inRight,
                 Sample* outLeft, Sample* outRight, int frames);

    void resetResamplers();      // both channels' interpolator and decimator histories
    void clearAlignmentLines();  // with every clearing of the delay lines
    void clearBlocks();
    void startAlignment(int delayLength);  // the shared index to N - 1, as at resume

    int resamplerLatency() const { return resampler_[0].latency(); }

private:
    const Edition* edition_;
    HalfbandResampler resampler_[2];
    AlignmentLine alignment_;
    alignas(64) double inputBlock_[2][kBlockCapacity] = {};
    alignas(64) double outputBlock_[2][kBlockCapacity] = {};
};

extern template void BlockProcessor::process<float>(Engine&, double, const float*, const float*, float*, float*,
                                                    int);
extern template void BlockProcessor::process<double>(Engine&, double, const double*, const double*, double*,
                                                     double*, int);

}  // namespace ambrel
