#pragma once
// The one inner loop of both half-band filters: for n = 0..count-1
//   out[n] = sum over k = 0..63 of taps[k] * (x[n + 64 + k] + x[n + 63 - k])
// where x[n + 128] is the current input: a symmetric 128-tap filter evaluated
// from its 64 odd tap pairs. The sum is formed across consecutive outputs, so
// each output keeps a fixed order of additions (no reassociation is needed for
// SIMD). An AVX2/FMA variant is chosen at run time where the CPU has it.

namespace ambrel {

void halfbandSum(const double* x, const double* taps, double* out, int count);

// The plain x86-64 variant, exposed so tests can compare both.
void halfbandSumPlain(const double* x, const double* taps, double* out, int count);

// True when halfbandSum runs the AVX2/FMA variant on this machine.
bool halfbandSumUsesAvx2();

// Benchmarks and tests only (never while audio runs): true makes halfbandSum
// run the plain variant, as on a CPU without AVX2; false restores the choice.
void useOnlyPlainHalfbandSum(bool plain);

}  // namespace ambrel
