// The plain x86-64 build of the unlinked three-band kernel
// (MultiBandUnlinkedKernel.h); processors with AVX2 run the build in
// MultiBandWide.cpp instead.

#include "dsp/BandDetectorSets.h"
#include "dsp/KernelIsa.h"
#include "dsp/MultiBandUnlinkedKernel.h"

namespace ambrel {

void Engine::processMultiBandUnlinked(const double* inL, const double* inR, double* outL, double* outR, int count) {
    if (kernel::wideKernelsSelected()) {
        processMultiBandUnlinkedWide(inL, inR, outL, outR, count);
        return;
    }
    enforceOversamplingLimit();
    withMeterKind(meterKindOf(*this),
                  [&]<int Kind>() {
                      inMeterChunks(count, [&](int at, int n) {
                          runMultiBandUnlinked<Kind, kernel::PairedBandDetectors>(inL + at, inR + at, outL + at, outR + at, n);
                      });
                  });
}

}  // namespace ambrel
