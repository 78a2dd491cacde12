#pragma once
// The clip after the decimators while oversampling and Brickwall are both on:
// the filters' ripple can push a limited peak slightly above the ceiling, so
// every sample of both channels is held within -limit..+limit.

namespace ambrel {

void clipStereo(double* left, double* right, int count, double limit);

}  // namespace ambrel
