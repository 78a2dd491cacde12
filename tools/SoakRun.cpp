#include "tools/SoakRun.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ambrel::tools {

namespace {

double threadCpuNs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

// Read without the C library's streams, so that measuring allocates nothing.
long residentKb() {
    const int fd = ::open("/proc/self/statm", O_RDONLY);
    if (fd < 0) return 0;
    char text[128] = {};
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    long size = 0, resident = 0;
    if (got <= 0 || std::sscanf(text, "%ld %ld", &size, &resident) != 2) return 0;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// A small generator of our own, so a seed gives the same automation everywhere.
struct Random {
    explicit Random(unsigned seed) : state(seed * 2654435761u + 1u) {}
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    float unit() { return static_cast<float>(next() >> 8) / 16777215.0f; }
    std::uint32_t state;
};

template <typename Sample>
bool run(HostedPlugin& plugin, const AudioData& signal, const SoakOptions& options, SoakReport& report,
         const SoakProgress& progress) {
    AEffect* effect = plugin.effect();
    const int inputs = std::max(0, effect->numInputs);
    const int outputs = effect->numOutputs;
    const int blockSize = options.blockSize;
    std::vector<std::vector<Sample>> in(inputs, std::vector<Sample>(blockSize)),
        out(outputs, std::vector<Sample>(blockSize));
    std::vector<Sample*> inPointers, outPointers;
    for (auto& c : in) inPointers.push_back(c.data());
    for (auto& c : out) outPointers.push_back(c.data());

    const long signalFrames = signal.frames();
    const long totalBlocks = (options.frames + blockSize - 1) / blockSize;
    // Written in place and touched now, so that filling it does not look like growth.
    std::vector<float> blockNs(static_cast<std::size_t>(totalBlocks), 0.0f);
    Random random(options.seed);
    const int numParams = effect->numParams;
    const long warmBlocks = totalBlocks / 10;

    long position = 0;  // in the looped signal
    long done = 0;
    long reportedAt = -1;
    while (done < options.frames) {
        const int n = static_cast<int>(std::min<long>(blockSize, options.frames - done));
        for (int c = 0; c < inputs; ++c) {
            const std::vector<double>& source = signal.channels[c % signal.channelCount()];
            for (int i = 0; i < n; ++i) in[c][i] = static_cast<Sample>(source[(position + i) % signalFrames]);
        }
        for (int k = 0; k < options.changesPerBlock && numParams > 0; ++k) {
            plugin.setParameter(static_cast<int>(random.next() % static_cast<unsigned>(numParams)), random.unit());
            ++report.parameterChanges;
        }
        const double start = threadCpuNs();
        if constexpr (sizeof(Sample) == sizeof(double))
            effect->processDoubleReplacing(effect, inPointers.data(), outPointers.data(), n);
        else
            effect->processReplacing(effect, inPointers.data(), outPointers.data(), n);
        blockNs[static_cast<std::size_t>(report.blocks)] = static_cast<float>(threadCpuNs() - start);

        for (const auto& c : out)
            for (int i = 0; i < n; ++i) {
                const double s = static_cast<double>(c[i]);
                if (!std::isfinite(s))
                    ++report.nonFiniteSamples;
                else
                    report.peakOutput = std::max(report.peakOutput, std::fabs(s));
            }
        position = (position + n) % signalFrames;
        done += n;
        ++report.blocks;
        if (report.blocks == warmBlocks + 1) report.residentStartKb = residentKb();
        const long percent = done * 100 / options.frames;
        if (progress && percent != reportedAt) {
            progress(done, options.frames);
            reportedAt = percent;
        }
    }
    report.frames = done;
    report.residentEndKb = residentKb();
    if (report.residentStartKb == 0) report.residentStartKb = report.residentEndKb;

    // The first tenth warms up (first-call binding, page faults, caches) and is not judged.
    blockNs.erase(blockNs.begin(), blockNs.begin() + std::min<long>(warmBlocks, static_cast<long>(blockNs.size())));
    std::vector<float> sorted = blockNs;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty()) {
        report.medianBlockNs = sorted[sorted.size() / 2];
        report.p999BlockNs = sorted[std::min(sorted.size() - 1, sorted.size() * 999 / 1000)];
        report.maxBlockNs = sorted.back();
        for (float ns : blockNs) report.slowBlocks += isSlowBlock(ns, report.medianBlockNs);
    }
    return true;
}

}  // namespace

bool soakPassed(const SoakReport& report) {
    return report.nonFiniteSamples == 0 && report.slowBlocks == 0 &&
           report.residentEndKb - report.residentStartKb <= kAllowedGrowthKb;
}

bool soakThroughPlugin(HostedPlugin& plugin, const AudioData& signal, const SoakOptions& options,
                       SoakReport& report, std::string& error, const SoakProgress& progress) {
    report = SoakReport{};
    AEffect* effect = plugin.effect();
    if (!effect) {
        error = "no plug-in loaded";
        return false;
    }
    if (signal.frames() <= 0 || signal.channelCount() == 0) {
        error = "the soak signal is empty";
        return false;
    }
    if (options.doublePrecision ? !plugin.canDoubleReplacing() : !plugin.canReplacing()) {
        error = std::string("the plug-in has no ") + (options.doublePrecision ? "64-bit" : "32-bit") +
                " replacing processing";
        return false;
    }
    plugin.resume();
    const auto start = std::chrono::steady_clock::now();
    if (options.doublePrecision)
        run<double>(plugin, signal, options, report, progress);
    else
        run<float>(plugin, signal, options, report, progress);
    report.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    plugin.suspend();
    return true;
}

}  // namespace ambrel::tools
