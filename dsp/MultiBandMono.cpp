// Three-band kernel on one channel: mono, left only or right only.
// The plain x86-64 build; processors with AVX2 run the build in
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
