#pragma once
// Which build of the three-band kernels runs: the plain x86-64 one, or the
// one built for processors with AVX2, which computes the same results bit for
// bit in fewer instructions. The processor is asked once, when the module
// loads; the audio path then reads one relaxed flag per call.

namespace ambrel::kernel {

// The processor (and the system) can run AVX2 code.
bool wideKernelsAvailable();

// The AVX2 build runs whenever it is available, unless a test or benchmark
// turns it off to compare both builds.
void setWideKernelsAllowed(bool allowed);

bool wideKernelsSelected();

}  // namespace ambrel::kernel
