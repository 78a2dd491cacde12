#pragma once
// The alignment line that follows the interpolators while oversampling is on:
// one ring per channel and one index shared by both. Each sample is written at
// the index, the index advances by one and the output is read two places
// further on, a delay of N - 3 samples at the doubled rate. With the kernel's
// N - 1 this brings the oversampled path to the same total delay as the
// host-rate path, so switching oversampling never changes the reported latency.

#include <array>

namespace ambrel {

class AlignmentLine {
public:
    static constexpr int kCapacity = 2048;  // the longest delay line (N at the highest rate band)

    // Sets the shared index to its start position N - 1 (N a power of two, <= 2048).
    void start(int length);

    // Zeroes both rings; the index stays.
    void clear();

    // Delays count samples of both channels in place by length - 3 samples.
    void process(double* left, double* right, int count, int length);

    int index() const { return index_; }

private:
    std::array<double, kCapacity> left_{};
    std::array<double, kCapacity> right_{};
    int index_ = kCapacity - 1;
};

}  // namespace ambrel
