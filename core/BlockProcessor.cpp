#include "core/BlockProcessor.h"

#include <algorithm>
#include <cmath>

#include "core/Edition.h"
#include "dsp/Engine.h"
#include "dsp/OutputClip.h"

namespace ambrel {

namespace {

// A sample that is not finite enters the block as silence: one bad sample from
// upstream must not leave NaN in the filters and envelopes until the next reset.
template <typename Sample>
void convertIn(const Sample* in, double* block, int n) {
    for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(in[i]);
        block[i] = std::isfinite(x) ? x : 0.0;
    }
}

template <typename Sample>
void convertOut(const double* block, Sample* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = static_cast<Sample>(block[i]);
}

}  // namespace

BlockProcessor::BlockProcessor(const Edition& edition) : edition_(&edition) {}

void BlockProcessor::resetResamplers() {
    resampler_[0].reset();
    resampler_[1].reset();
}

void BlockProcessor::clearAlignmentLines() { alignment_.clear(); }

void BlockProcessor::clearBlocks() {
    std::fill(&inputBlock_[0][0], &inputBlock_[0][0] + 2 * kBlockCapacity, 0.0);
    std::fill(&outputBlock_[0][0], &outputBlock_[0][0] + 2 * kBlockCapacity, 0.0);
}

void BlockProcessor::startAlignment(int delayLength) { alignment_.start(delayLength); }

template <typename Sample>
void BlockProcessor::process(Engine& engine, double monoStereoValue, const Sample* inLeft, const Sample* inRight,
                             Sample* outLeft, Sample* outRight, int frames) {
    const bool resampling = edition_->hasOversampling;
    const int delayLength = engine.delayLength;
    double* inL = inputBlock_[0];
    double* inR = inputBlock_[1];
    double* outL = outputBlock_[0];
    double* outR = outputBlock_[1];

    // The path follows the rate the filters and time constants were last
    // designed for. That rate changes only on this thread, when the requests of
    // a FAT change are performed, so no block runs at a rate its coefficients
    // were not made for, whenever another thread switches FAT.
    const bool doubled = resampling && engine.processRate > engine.hostRate;

    for (int done = 0; done < frames;) {
        const int n = std::min(kMaxHostFrames, frames - done);
        convertIn(inLeft + done, inL, n);
        convertIn(inRight + done, inR, n);

        int count = n;
        if (doubled) {
            resampler_[0].upsample(inL, n);
            resampler_[1].upsample(inR, n);
            count = 2 * n;
            alignment_.process(inL, inR, count, delayLength);
        } else if (resampling) {
            resampler_[0].delayIn(inL, n);
            resampler_[1].delayIn(inR, n);
        }

        engine.runKernel(monoStereoValue, inL, inR, outL, outR, count);

        if (doubled) {
            resampler_[0].downsample(outL, count);
            resampler_[1].downsample(outR, count);
            if (engine.brickwall) clipStereo(outL, outR, n, engine.outputGain);
        } else if (resampling) {
            resampler_[0].delayOut(outL, n);
            resampler_[1].delayOut(outR, n);
        }

        convertOut(outL, outLeft + done, n);
        convertOut(outR, outRight + done, n);
        done += n;
    }
    engine.latchOvers();
}

template void BlockProcessor::process<float>(Engine&, double, const float*, const float*, float*, float*, int);
template void BlockProcessor::process<double>(Engine&, double, const double*, const double*, double*, double*,
                                              int);

}  // namespace ambrel
