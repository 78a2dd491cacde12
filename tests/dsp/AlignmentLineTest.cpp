// The alignment line, the output clip, and the whole oversampled and
// host-rate paths against the latency the host is told (N + 127).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "dsp/AlignmentLine.h"
#include "dsp/HalfbandResampler.h"
#include "dsp/OutputClip.h"

namespace ambrel {
namespace {

// Stands in for a kernel: a pure delay of N - 1 samples at whatever rate it runs.
class KernelDelay {
public:
    explicit KernelDelay(int length) : ring_(length - 1, 0.0) {}
    void process(double* block, int count) {
        for (int i = 0; i < count; ++i) {
            const double out = ring_[pos_];
            ring_[pos_] = block[i];
            pos_ = (pos_ + 1) % ring_.size();
            block[i] = out;
        }
    }

private:
    std::vector<double> ring_;
    std::size_t pos_ = 0;
};

struct StereoPath {
    explicit StereoPath(int length) : N(length), kernelLeft(length), kernelRight(length),
                                      kernelLeftHost(length), kernelRightHost(length) {
        line.start(N);
    }
    int N;
    HalfbandResampler left, right;
    AlignmentLine line;
    KernelDelay kernelLeft, kernelRight;          // at the doubled rate: N - 1 doubled samples
    KernelDelay kernelLeftHost, kernelRightHost;  // at the host rate

    // One block of the audio callback with oversampling on or off, through
    // block buffers that hold the doubled-rate samples.
    void block(double* hostLeft, double* hostRight, int n, bool oversample) {
        double l[512], r[512];
        std::copy(hostLeft, hostLeft + n, l);
        std::copy(hostRight, hostRight + n, r);
        run(l, r, n, oversample);
        std::copy(l, l + n, hostLeft);
        std::copy(r, r + n, hostRight);
    }

    void run(double* l, double* r, int n, bool oversample) {
        if (oversample) {
            left.upsample(l, n);
            right.upsample(r, n);
            line.process(l, r, 2 * n, N);
            kernelLeft.process(l, 2 * n);
            kernelRight.process(r, 2 * n);
            left.downsample(l, 2 * n);
            right.downsample(r, 2 * n);
        } else {
            left.delayIn(l, n);
            right.delayIn(r, n);
            kernelLeftHost.process(l, n);
            kernelRightHost.process(r, n);
            left.delayOut(l, n);
            right.delayOut(r, n);
        }
    }
};

TEST(AlignmentLine, DelaysByLengthMinusThreeWithOneSharedIndex) {
    for (int N : {512, 1024, 2048}) {
        AlignmentLine line;
        line.start(N);
        EXPECT_EQ(line.index(), N - 1);
        std::vector<double> l(3 * N, 0.0), r(3 * N, 0.0);
        l[5] = 1.0;
        r[9] = -2.0;
        for (int pos = 0; pos < 3 * N; pos += 128) line.process(l.data() + pos, r.data() + pos, 128, N);
        for (int i = 0; i < 3 * N; ++i) {
            EXPECT_EQ(l[i], i == 5 + N - 3 ? 1.0 : 0.0) << N << " " << i;
            EXPECT_EQ(r[i], i == 9 + N - 3 ? -2.0 : 0.0) << N << " " << i;
        }
        EXPECT_EQ(line.index(), (N - 1 + 3 * N) % N);
    }
}

TEST(AlignmentLine, ClearEmptiesBothRings) {
    AlignmentLine line;
    line.start(512);
    std::vector<double> l(512, 1.0), r(512, 1.0);
    line.process(l.data(), r.data(), 512, 512);
    line.clear();
    line.start(512);
    std::vector<double> zl(1024, 0.0), zr(1024, 0.0);
    line.process(zl.data(), zr.data(), 1024, 512);
    for (int i = 0; i < 1024; ++i) {
        EXPECT_EQ(zl[i], 0.0);
        EXPECT_EQ(zr[i], 0.0);
    }
}

TEST(OversampledPath, ImpulseEmergesAtTheReportedLatencyInBothStates) {
    for (int N : {512, 1024, 2048}) {
        for (bool oversample : {true, false}) {
            StereoPath path(N);
            const int total = 4 * N;
            std::vector<double> l(total, 0.0), r(total, 0.0);
            const int atLeft = 100, atRight = 333;
            l[atLeft] = 1.0;
            r[atRight] = 1.0;
            for (int pos = 0; pos < total; pos += 64) path.block(l.data() + pos, r.data() + pos, 64, oversample);
            const int latency = HalfbandResampler::kLatency + N + 1;
            ASSERT_EQ(latency, N + 127);
            for (auto [signal, at] : {std::pair{&l, atLeft}, std::pair{&r, atRight}}) {
                const auto& s = *signal;
                int peak = 0;
                for (int i = 0; i < total; ++i)
                    if (std::fabs(s[i]) > std::fabs(s[peak])) peak = i;
                EXPECT_EQ(peak, at + latency) << "N " << N << (oversample ? " oversampled" : " host rate");
                if (oversample) {
                    // The peak is the inner product of the two filters' taps.
                    double expected = 0.0;
                    for (int i = 0; i < HalfbandResampler::kTaps; ++i)
                        expected += path.left.interpolatorTaps()[i] * path.left.decimatorTaps()[i];
                    EXPECT_NEAR(s[peak], expected, 1e-9);
                    EXPECT_GT(s[peak], 0.98);
                    // The response is symmetric around the peak: no half-sample offset.
                    EXPECT_NEAR(s[peak - 1], s[peak + 1], 1e-12);
                    EXPECT_NEAR(s[peak - 7], s[peak + 7], 1e-12);
                } else {
                    EXPECT_EQ(s[peak], 1.0);
                    for (int i = 0; i < total; ++i) {
                        if (i != peak) {
                            EXPECT_EQ(s[i], 0.0);
                        }
                    }
                }
            }
        }
    }
}

TEST(OutputClip, LimitsBothChannelsToTheLimit) {
    std::array<double, 5> l{-2.0, -0.5, 0.0, 0.7, 3.0};
    std::array<double, 5> r{0.9, 1.2, -1.2, -0.1, 0.8};
    clipStereo(l.data(), r.data(), 5, 0.8);
    EXPECT_EQ(l, (std::array<double, 5>{-0.8, -0.5, 0.0, 0.7, 0.8}));
    EXPECT_EQ(r, (std::array<double, 5>{0.8, 0.8, -0.8, -0.1, 0.8}));
}

}  // namespace
}  // namespace ambrel
