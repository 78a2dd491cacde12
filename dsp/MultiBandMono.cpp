// The plain x86-64 build of the mono, left-only and right-only three-band kernel
// (MultiBandMonoKernel.h); processors with AVX2 run the build in
// MultiBandWide.cpp instead.

#include "dsp/BandDetectorSets.h"
#include "dsp/KernelIsa.h"
#include "dsp/MultiBandMonoKernel.h"

namespace ambrel {

void Engine::processMultiBandMono(const double* inL, const double* inR, double* outL, double* outR, int count) {
    if (kernel::wideKernelsSelected()) {
        processMultiBandMonoWide(inL, inR, outL, outR, count);
        return;
    }
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                   [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandMono<Kind, kernel::BandDetectorTrio>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
