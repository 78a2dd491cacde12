#include "tools/SoakRun.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <fcntl.h>
#include <time.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ambrel::tools {

namespace {

#ifdef _WIN32
double threadCpuNs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 100.0;  // 100 ns units
}

long residentKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}
#else
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
#endif

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

// Switches and stepped parameters (those with integer properties) choose the
// processing mode; the others are continuous.
struct ParameterKinds {
    std::vector<int> modes, continuous;
};

ParameterKinds parameterKinds(const HostedPlugin& plugin) {
    ParameterKinds kinds;
    for (int index = 0; index < plugin.effect()->numParams; ++index) {
        const ParameterInfo info = plugin.parameter(index);
        const bool stepped = info.hasProperties && (info.properties.flags & (kVstParameterIsSwitch |
                                                                              kVstParameterUsesIntegerMinMax));
        (stepped ? kinds.modes : kinds.continuous).push_back(index);
    }
    if (kinds.continuous.empty()) kinds.continuous = kinds.modes;
    return kinds;
}

float median(std::vector<float> values) {
    if (values.empty()) return 0.0f;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

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
    const ParameterKinds kinds = parameterKinds(plugin);
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
        if (report.blocks % options.segmentBlocks == 0) {
            for (int index : kinds.modes) plugin.setParameter(index, random.unit());
            report.parameterChanges += static_cast<long>(kinds.modes.size());
        }
        for (int k = 0; k < options.changesPerBlock && !kinds.continuous.empty(); ++k) {
            plugin.setParameter(kinds.continuous[random.next() % kinds.continuous.size()], random.unit());
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

    // The first tenth warms up (first-call binding, page faults, caches) and is
    // not judged; each block is judged against the median of its mode segment.
    const std::vector<float> judged(blockNs.begin() + std::min(warmBlocks, totalBlocks), blockNs.end());
    if (judged.empty()) return true;
    std::vector<float> sorted = judged;
    std::sort(sorted.begin(), sorted.end());
    report.medianBlockNs = sorted[sorted.size() / 2];
    report.p999BlockNs = sorted[std::min(sorted.size() - 1, sorted.size() * 999 / 1000)];
    report.maxBlockNs = sorted.back();
    for (long first = 0; first < totalBlocks; first += options.segmentBlocks) {
        const long from = std::max(first, std::min(warmBlocks, totalBlocks));
        const long to = std::min(first + options.segmentBlocks, totalBlocks);
        if (from >= to) continue;
        const std::vector<float> segment(blockNs.begin() + from, blockNs.begin() + to);
        const double segmentMedian = median(segment);
        int run = 0;
        for (float ns : segment) {
            const bool slow = isSlowBlock(ns, segmentMedian);
            report.slowBlocks += slow;
            run = slow ? run + 1 : 0;
            if (run == kSlowStretchBlocks) ++report.slowStretches;
            if (segmentMedian > 0) report.worstRatio = std::max(report.worstRatio, ns / segmentMedian);
        }
    }
    return true;
}

}  // namespace

bool soakPassed(const SoakReport& report) {
    const long judgedBlocks = std::max(1L, report.blocks - report.blocks / 10);
    return report.nonFiniteSamples == 0 && report.slowStretches == 0 &&
           report.slowBlocks * 1'000'000L <= judgedBlocks * kAllowedSlowBlocksPerMillion &&
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
