// The plain x86-64 build of the linked three-band kernel
// (MultiBandLinkedKernel.h); processors with AVX2 run the build in
// MultiBandWide.cpp instead.

#include "dsp/BandDetectorSets.h"
#include "dsp/KernelIsa.h"
#include "dsp/MultiBandLinkedKernel.h"

namespace ambrel {

void Engine::processMultiBandLinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    if (kernel::wideKernelsSelected()) {
        processMultiBandLinkedWide(inL, inR, outL, outR, count);
        return;
    }
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                  [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandLinked<Kind, kernel::BandDetectorTrio>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
