#pragma once
// Vector lanes of any width for the AVX2 build of the three-band kernels: two
// doubles in a 128-bit register or four in a 256-bit one. As in TwoLanes.h,
// every lane computes exactly what the one-channel code computes, operation
// for operation and in the same order; choices become lane selects.
//
// Only translation units compiled for AVX2 include this header, and only
// after every header they share with the plain build, so nothing here can
// replace plain code at link time.

#include "dsp/KernelParts.h"
#include "dsp/TwoLanes.h"

namespace ambrel::avx2 {

using V2 = lanes::V2;
typedef double V4 __attribute__((vector_size(32)));
typedef long long Mask4 __attribute__((vector_size(32)));

template <class V> struct Lanes;
template <> struct Lanes<V2> {
    using Mask = lanes::Mask2;
    static constexpr int count = 2;
};
template <> struct Lanes<V4> {
    using Mask = Mask4;
    static constexpr int count = 4;
};

template <class V> inline V splat(double x) { return V{} + x; }

template <class V> inline V abs(V x) {
    using Mask = typename Lanes<V>::Mask;
    return (V)((Mask)x & (Mask{} + 0x7fffffffffffffffLL));
}

// The saturation curve (kernel::Curve) on every lane.
template <class V> inline V curve(const kernel::Curve& c, V x) {
    if (c.shape == 0) {
        const V below = c.oneMinusK * x + c.k * (2.0 * x - x * x);
        return x >= 1.0 ? splat<V>(1.0) : below;
    }
    const V y = x * c.kneeA / (x + c.kneeAMinusOne);
    const V top = 2.0 * y - y * y;
    return y < 1.0 ? top : splat<V>(1.0);
}

}  // namespace ambrel::avx2
