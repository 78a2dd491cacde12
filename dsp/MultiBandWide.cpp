// The three-band kernels built for processors with AVX2: the same kernel
// bodies as the plain build, with the band detectors side by side in vector
// lanes (WideBandDetectors.h). The plain kernels hand over to these when the
// processor has AVX2 (KernelIsa.h).
//
// Everything this file shares with the plain build is included first, before
// the AVX2 target is switched on: an inline function compiled here for AVX2
// could otherwise stand in for the plain one at link time and fault on a
// processor without it. After the switch come only templates instantiated
// with the AVX2 detector sets and headers no plain file includes.

#include <algorithm>
#include <atomic>
#include <cmath>

#include "dsp/Engine.h"
#include "dsp/FilterSection.h"
#include "dsp/KernelParts.h"
#include "dsp/KernelSetup.h"
#include "dsp/MeterTape.h"
#include "dsp/SlidingMaximum.h"
#include "dsp/ThreeBandParts.h"
#include "dsp/TwoLanes.h"

#if defined(__x86_64__) || defined(__i386__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#define AMBREL_AVX2_REGION 1
#endif

#include "dsp/MultiBandLinkedKernel.h"
#include "dsp/MultiBandMonoKernel.h"
#include "dsp/MultiBandUnlinkedKernel.h"
#include "dsp/ThreeBandChannel.h"
#include "dsp/ThreeBandLanes.h"
#include "dsp/WideBandDetectors.h"
#include "dsp/WideLanes.h"

namespace ambrel {

void Engine::processMultiBandMonoWide(const double* inL, const double* inR, double* outL, double* outR, int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this), [&]<int Kind>() {
        inMeterChunks(count, [&](int at, int n) {
            runMultiBandMono<Kind, avx2::BandTrio>(inL + at, inR + at, outL + at, outR + at, n);
        });
    });
}

void Engine::processMultiBandLinkedWide(const double* inL, const double* inR, double* outL, double* outR,
                                        int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this), [&]<int Kind>() {
        inMeterChunks(count, [&](int at, int n) {
            runMultiBandLinked<Kind, avx2::BandTrio>(inL + at, inR + at, outL + at, outR + at, n);
        });
    });
}

void Engine::processMultiBandUnlinkedWide(const double* inL, const double* inR, double* outL, double* outR,
                                          int count) {
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this), [&]<int Kind>() {
        inMeterChunks(count, [&](int at, int n) {
            runMultiBandUnlinked<Kind, avx2::PairedBands>(inL + at, inR + at, outL + at, outR + at, n);
        });
    });
}

}  // namespace ambrel

#if defined(AMBREL_AVX2_REGION)
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif
