#include "tools/PluginRender.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace ambrel::tools {

namespace {

// Channel buffers of one sample type and the pointer arrays the interface takes.
template <typename Sample>
struct Buffers {
    std::vector<std::vector<Sample>> in, out;
    std::vector<Sample*> inPointers, outPointers;

    Buffers(int inputs, int outputs, int blockSize)
        : in(inputs, std::vector<Sample>(blockSize)), out(outputs, std::vector<Sample>(blockSize)) {
        for (auto& c : in) inPointers.push_back(c.data());
        for (auto& c : out) outPointers.push_back(c.data());
    }
};

template <typename Sample>
bool run(HostedPlugin& plugin, const AudioData& input, const RenderOptions& options, RenderResult& result,
         const RenderProgress& progress) {
    AEffect* effect = plugin.effect();
    const int inputs = std::max(0, effect->numInputs);
    const int outputs = effect->numOutputs;
    const int blockSize = options.blockSize;
    Buffers<Sample> buffers(inputs, outputs, blockSize);

    const long inputFrames = input.frames();
    result.output.sampleRate = input.sampleRate;
    result.output.format = input.format;
    result.output.channels.assign(outputs, {});
    for (auto& c : result.output.channels) c.reserve(static_cast<std::size_t>(inputFrames + plugin.latency()));

    auto wanted = [&] { return inputFrames + (options.compensate ? plugin.latency() : 0); };
    long position = 0;
    long reportedAt = -1;
    while (position < wanted()) {
        const int n = static_cast<int>(std::min<long>(blockSize, wanted() - position));
        for (int c = 0; c < inputs; ++c) {
            const double* source = input.channels.empty() ? nullptr : input.channels[c % input.channelCount()].data();
            for (int i = 0; i < n; ++i) {
                const long at = position + i;
                buffers.in[c][i] = source && at < inputFrames ? static_cast<Sample>(source[at]) : Sample(0);
            }
        }
        for (auto& c : buffers.out) std::fill(c.begin(), c.begin() + n, Sample(0));

        const auto start = std::chrono::steady_clock::now();
        if constexpr (sizeof(Sample) == sizeof(double)) {
            effect->processDoubleReplacing(effect, buffers.inPointers.data(), buffers.outPointers.data(), n);
        } else if (plugin.canReplacing()) {
            effect->processReplacing(effect, buffers.inPointers.data(), buffers.outPointers.data(), n);
        } else {
            effect->process(effect, buffers.inPointers.data(), buffers.outPointers.data(), n);  // accumulates into zeros
        }
        result.processSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++result.calls;
        result.framesProcessed += n;

        for (int c = 0; c < outputs; ++c)
            for (int i = 0; i < n; ++i) result.output.channels[c].push_back(static_cast<double>(buffers.out[c][i]));
        position += n;
        if (progress && position * 100 / std::max(1L, wanted()) != reportedAt) {
            reportedAt = position * 100 / std::max(1L, wanted());
            progress(position, wanted());
        }
    }
    result.latency = plugin.latency();
    const long trim = options.compensate ? std::min<long>(result.latency, position) : 0;
    for (auto& c : result.output.channels) {
        c.erase(c.begin(), c.begin() + trim);
        c.resize(static_cast<std::size_t>(inputFrames), 0.0);
    }
    return true;
}

}  // namespace

bool renderThroughPlugin(HostedPlugin& plugin, const AudioData& input, const RenderOptions& options,
                         RenderResult& result, std::string& error, const RenderProgress& progress) {
    AEffect* effect = plugin.effect();
    if (!effect) {
        error = "no plug-in loaded";
        return false;
    }
    if (effect->numOutputs < 1) {
        error = "the plug-in has no audio outputs";
        return false;
    }
    if (options.blockSize < 1) {
        error = "the block size must be at least 1";
        return false;
    }
    if (options.doublePrecision && !plugin.canDoubleReplacing()) {
        error = "the plug-in does not offer 64-bit processing (processDoubleReplacing)";
        return false;
    }
    if (!options.doublePrecision && !plugin.canReplacing() && !effect->process) {
        error = "the plug-in offers no 32-bit processing call";
        return false;
    }
    result = RenderResult{};
    plugin.configure(plugin.sampleRate(), options.blockSize, options.doublePrecision);
    plugin.resume();
    const bool ok = options.doublePrecision ? run<double>(plugin, input, options, result, progress)
                                            : run<float>(plugin, input, options, result, progress);
    plugin.suspend();
    return ok;
}

}  // namespace ambrel::tools
