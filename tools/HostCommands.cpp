#include "tools/HostCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/AudioFile.h"
#include "tools/DemoSignal.h"
#include "tools/HostedPlugin.h"
#include "tools/LevelStats.h"
#include "tools/PluginRender.h"
#include "tools/ProgressBar.h"
#include "tools/SoakRun.h"

namespace ambrel::tools {

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;
constexpr double kDefaultRate = 44100.0;

std::string fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string hex(unsigned v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", v);
    return text;
}

std::string flagNames(VstInt32 flags) {
    struct Named {
        VstInt32 bit;
        const char* name;
    };
    static constexpr Named kNames[] = {{effFlagsHasEditor, "hasEditor"},
                                       {effFlagsCanReplacing, "canReplacing"},
                                       {effFlagsProgramChunks, "programChunks"},
                                       {effFlagsIsSynth, "isSynth"},
                                       {effFlagsNoSoundInStop, "noSoundInStop"},
                                       {effFlagsCanDoubleReplacing, "canDoubleReplacing"}};
    std::string names;
    for (const auto& n : kNames) {
        if (!(flags & n.bit)) continue;
        if (!names.empty()) names += ", ";
        names += n.name;
    }
    return names.empty() ? "none" : names;
}

std::string categoryName(VstIntPtr category) {
    static constexpr const char* kNames[] = {"unknown", "effect", "synth", "analysis", "mastering",
                                             "spacializer", "room effect", "surround", "restoration",
                                             "offline", "shell", "generator"};
    return category >= 0 && category < 12 ? kNames[category] : "other";
}

std::string propertyText(const VstParameterProperties& p) {
    std::string text;
    auto add = [&text](const std::string& s) {
        if (!text.empty()) text += ", ";
        text += s;
    };
    if (p.flags & kVstParameterIsSwitch) add("switch");
    if (p.flags & kVstParameterUsesIntegerMinMax)
        add(std::string("integer ") + std::to_string(p.minInteger) + std::string("..") + std::to_string(p.maxInteger));
    if (p.flags & kVstParameterUsesIntStep)
        add(std::string("steps ") + std::to_string(p.stepInteger) + std::string("/") + std::to_string(p.largeStepInteger));
    if (p.flags & kVstParameterUsesFloatStep)
        add("float steps " + fixed(p.smallStepFloat, 4) + "/" + fixed(p.stepFloat, 4) + "/" + fixed(p.largeStepFloat, 4));
    if (p.flags & kVstParameterCanRamp) add("can ramp");
    if (p.flags & kVstParameterSupportsDisplayCategory)
        add(std::string("category ") + std::to_string(p.category) + " \"" + p.categoryLabel + "\"");
    if (p.label[0]) add(std::string("label \"") + std::string(p.label) + "\"");
    if (p.shortLabel[0]) add(std::string("short \"") + std::string(p.shortLabel) + "\"");
    return text.empty() ? "none" : text;
}

std::string pinText(const HostedPlugin& plugin, VstInt32 opcode, int index) {
    VstPinProperties pin{};
    if (!plugin.dispatch(opcode, index, 0, &pin)) return "(no properties)";
    pin.label[sizeof(pin.label) - 1] = '\0';
    pin.shortLabel[sizeof(pin.shortLabel) - 1] = '\0';
    std::string text = std::string("\"") + std::string(pin.label) + "\"";
    if (pin.flags & kVstPinIsActive) text += " active";
    if (pin.flags & kVstPinIsStereo) text += " stereo";
    return text;
}

// Loads the plug-in and applies --set; false with a message on err.
bool loadWithSettings(HostedPlugin& plugin, const HostArguments& args, double rate, std::ostream& err) {
    if (!plugin.load(args.plugin, rate, args.blockSize)) {
        err << "ambrel-host: " << plugin.error() << "\n";
        return false;
    }
    for (const auto& s : args.settings) {
        if (s.index >= plugin.effect()->numParams) {
            err << "ambrel-host: --set " << s.index << ": the plug-in has " << plugin.effect()->numParams
                << " parameters (0.." << plugin.effect()->numParams - 1 << ")\n";
            return false;
        }
        plugin.setParameter(s.index, s.value);
    }
    return true;
}

std::string secondsText(long frames, double rate) { return fixed(frames / rate, 2) + " s"; }

void printLevels(std::ostream& out, const char* what, const Levels& levels) {
    out << what << "peak " << formatDb(levels.peakDb()) << " dBFS, RMS " << formatDb(levels.rmsDb()) << " dBFS\n";
}

}  // namespace

int runInfo(const HostArguments& args, std::ostream& out, std::ostream& err) {
    const double rate = args.rate > 0 ? args.rate : kDefaultRate;
    HostedPlugin plugin;
    if (!loadWithSettings(plugin, args, rate, err)) return kFailed;
    AEffect* e = plugin.effect();
    const VstInt32 delayAtLoad = e->initialDelay;
    plugin.resume();
    const int latencyAtResume = plugin.latency();
    plugin.suspend();
    // Some plug-ins settle their latency only once they process: run one
    // block of silence and report what they say then.
    AudioData silence;
    silence.sampleRate = static_cast<int>(std::lround(rate));
    silence.channels.assign(std::max(1, e->numInputs), std::vector<double>(args.blockSize, 0.0));
    RenderResult settled;
    std::string error;
    const int latency = renderThroughPlugin(plugin, silence, RenderOptions{args.blockSize, false, false}, settled, error)
                            ? settled.latency
                            : latencyAtResume;

    out << "Plug-in:         " << args.plugin << "\n";
    out << "Effect name:     " << plugin.text(effGetEffectName) << "\n";
    out << "Vendor:          " << plugin.text(effGetVendorString) << "\n";
    out << "Product:         " << plugin.text(effGetProductString) << "\n";
    out << "Vendor version:  " << plugin.dispatch(effGetVendorVersion) << "\n";
    out << "VST version:     " << plugin.dispatch(effGetVstVersion) << "\n";
    const VstIntPtr category = plugin.dispatch(effGetPlugCategory);
    out << "Category:        " << category << " (" << categoryName(category) << ")\n";
    out << "Unique ID:       '" << fourCharacterCode(e->uniqueID) << "' (" << hex(static_cast<unsigned>(e->uniqueID))
        << ")\n";
    out << "Version:         " << e->version << "\n";
    out << "Programs:        " << e->numPrograms << " (current " << plugin.dispatch(effGetProgram) << " \""
        << plugin.text(effGetProgramName) << "\")\n";
    out << "Parameters:      " << e->numParams << "\n";
    out << "Inputs:          " << e->numInputs << "\n";
    out << "Outputs:         " << e->numOutputs << "\n";
    out << "Flags:           " << hex(static_cast<unsigned>(e->flags)) << " (" << flagNames(e->flags) << ")\n";
    out << "Initial delay:   " << delayAtLoad << " samples at load\n";
    out << "Latency:         " << latency << " samples (" << fixed(latency * 1000.0 / rate, 3) << " ms at "
        << fixed(rate, 0) << " Hz)";
    if (latency != latencyAtResume) out << ", " << latencyAtResume << " before the first processing call";
    out << "\n";
    out << "Tail size:       " << plugin.dispatch(effGetTailSize) << "\n";
    for (int i = 0; i < e->numInputs; ++i)
        out << "Input " << i << ":         " << pinText(plugin, effGetInputProperties, i) << "\n";
    for (int i = 0; i < e->numOutputs; ++i)
        out << "Output " << i << ":        " << pinText(plugin, effGetOutputProperties, i) << "\n";
    for (int i = 0; i < std::min(e->numPrograms, 128); ++i) {
        std::string name = "(no name given)";
        char buffer[512] = {};
        if (plugin.dispatch(effGetProgramNameIndexed, i, -1, buffer)) {
            buffer[sizeof buffer - 1] = '\0';
            name = std::string("\"") + buffer + "\"";
        }
        out << "Program " << i << ":       " << name << "\n";
    }
    out << "Parameters (index: name = value, display label; properties):\n";
    for (int i = 0; i < e->numParams; ++i) {
        const ParameterInfo p = plugin.parameter(i);
        out << "  " << i << ": \"" << p.name << "\" = " << fixed(p.value, 6) << ", \"" << p.display << "\" \""
            << p.label << "\"; " << (p.automatable ? "automatable" : "not automatable") << "; "
            << (p.hasProperties ? propertyText(p.properties) : "no properties") << "\n";
    }
    return 0;
}

int runRender(const HostArguments& args, std::ostream& out, std::ostream& err, bool showProgress) {
    AudioData input;
    std::string error;
    if (!readAudioFile(args.input, input, error)) {
        err << "ambrel-host: " << error << "\n";
        return kFailed;
    }
    const double rate = args.rate > 0 ? args.rate : input.sampleRate;
    if (args.rate > 0 && static_cast<int>(args.rate) != input.sampleRate)
        err << "ambrel-host: note: " << args.input << " is at " << input.sampleRate
            << " Hz; processing and writing it as " << fixed(rate, 0) << " Hz\n";
    HostedPlugin plugin;
    if (!loadWithSettings(plugin, args, rate, err)) return kFailed;

    RenderOptions options;
    options.blockSize = args.blockSize;
    options.doublePrecision = args.doublePrecision;
    options.compensate = args.compensate;
    RenderResult result;
    ProgressBar bar(out, "Rendering");
    RenderProgress progress;
    if (showProgress) progress = [&bar](long done, long total) { bar.update(done, total); };
    if (!renderThroughPlugin(plugin, input, options, result, error, progress)) {
        err << "ambrel-host: " << error << "\n";
        return kFailed;
    }
    if (showProgress) bar.finish();
    result.output.sampleRate = static_cast<int>(std::lround(rate));
    const int format = outputFormatFor(args.output, input.format, result.output.channelCount());
    if (!writeAudioFile(args.output, result.output, format, error)) {
        err << "ambrel-host: " << error << "\n";
        return kFailed;
    }

    const long frames = input.frames();
    out << "Input:   " << args.input << " (" << input.channelCount() << " ch, " << input.sampleRate << " Hz, "
        << frames << " frames, " << secondsText(frames, input.sampleRate) << ", " << formatName(input.format)
        << ")\n";
    out << "Output:  " << args.output << " (" << result.output.channelCount() << " ch, "
        << result.output.sampleRate << " Hz, " << formatName(format) << ")\n";
    out << "Plug-in: " << plugin.text(effGetEffectName) << " (" << args.settings.size() << " parameter"
        << (args.settings.size() == 1 ? "" : "s") << " set)\n";
    printLevels(out, "Input level:  ", measureLevels(input.channels));
    printLevels(out, "Output level: ", measureLevels(result.output.channels));
    out << "Latency: " << result.latency << " samples (" << fixed(result.latency * 1000.0 / rate, 3) << " ms), "
        << (args.compensate ? "trimmed from the output" : "left in the output") << "\n";
    const double audioSeconds = frames / rate;
    out << "Processing: " << (args.doublePrecision ? "64-bit" : "32-bit") << ", " << result.calls
        << " calls of at most " << args.blockSize << " frames, " << fixed(result.processSeconds, 3) << " s ("
        << (result.processSeconds > 0 ? fixed(audioSeconds / result.processSeconds, 1) : std::string("-"))
        << "x real time)\n";
    if (!plugin.automation().empty())
        out << "Automation: the plug-in sent " << plugin.automation().size() << " parameter changes\n";
    return 0;
}

int runBench(const HostArguments& args, std::ostream& out, std::ostream& err) {
    const double rate = args.rate > 0 ? args.rate : kDefaultRate;
    HostedPlugin plugin;
    if (!loadWithSettings(plugin, args, rate, err)) return kFailed;
    DemoSignalOptions demo;
    demo.sampleRate = static_cast<int>(std::lround(rate));
    demo.seconds = args.seconds;
    const AudioData signal = makeDemoSignal(demo);
    RenderOptions options;
    options.blockSize = args.blockSize;
    options.doublePrecision = args.doublePrecision;
    RenderResult result;
    std::string error;
    // A short untimed pass first, so caches and lazily built tables are warm.
    demo.seconds = std::min(1.0, args.seconds);
    if (!renderThroughPlugin(plugin, makeDemoSignal(demo), options, result, error) ||
        !renderThroughPlugin(plugin, signal, options, result, error)) {
        err << "ambrel-host: " << error << "\n";
        return kFailed;
    }
    const long frames = result.framesProcessed;
    const double audioSeconds = frames / rate;
    out << "Plug-in:          " << plugin.text(effGetEffectName) << " (" << args.plugin << ")\n";
    out << "Processing:       " << (args.doublePrecision ? "64-bit" : "32-bit") << ", blocks of " << args.blockSize
        << " frames at " << fixed(rate, 0) << " Hz, " << plugin.effect()->numOutputs << " outputs\n";
    out << "Audio:            " << fixed(audioSeconds, 2) << " s (" << frames << " frames)\n";
    out << "Time in process:  " << fixed(result.processSeconds, 4) << " s in " << result.calls << " calls\n";
    out << "Real-time factor: "
        << (result.processSeconds > 0 ? fixed(audioSeconds / result.processSeconds, 1) : std::string("-")) << "\n";
    out << "ns per frame:     " << (frames > 0 ? fixed(result.processSeconds * 1e9 / frames, 1) : std::string("-"))
        << "\n";
    return 0;
}

int runSoak(const HostArguments& args, std::ostream& out, std::ostream& err, bool showProgress) {
    const double rate = args.rate > 0 ? args.rate : kDefaultRate;
    HostedPlugin plugin;
    if (!loadWithSettings(plugin, args, rate, err)) return kFailed;
    DemoSignalOptions demo;
    demo.sampleRate = static_cast<int>(std::lround(rate));
    const AudioData signal = makeDemoSignal(demo);
    SoakOptions options;
    options.frames = args.frames;
    options.blockSize = args.blockSize;
    options.doublePrecision = args.doublePrecision;
    options.seed = args.seed;
    SoakReport report;
    std::string error;
    ProgressBar bar(out, "Soaking");
    SoakProgress progress;
    if (showProgress) progress = [&bar](long done, long total) { bar.update(done, total); };
    if (!soakThroughPlugin(plugin, signal, options, report, error, progress)) {
        err << "ambrel-host: " << error << "\n";
        return kFailed;
    }
    if (showProgress) bar.finish();
    const bool passed = soakPassed(report);
    out << "Plug-in:           " << plugin.text(effGetEffectName) << " (" << args.plugin << ")\n";
    out << "Audio:             " << report.frames << " frames (" << secondsText(report.frames, rate) << ") in "
        << report.blocks << " blocks of at most " << args.blockSize << ", " << (args.doublePrecision ? "64" : "32")
        << "-bit, " << fixed(rate, 0) << " Hz\n";
    out << "Automation:        " << report.parameterChanges << " random parameter changes (seed " << args.seed
        << "), the mode parameters every " << SoakOptions{}.segmentBlocks << " blocks\n";
    out << "Non-finite output: " << report.nonFiniteSamples << " samples; peak " << fixed(report.peakOutput, 4) << "\n";
    out << "Block CPU time:    median " << fixed(report.medianBlockNs / 1000.0, 2) << " us, 99.9% "
        << fixed(report.p999BlockNs / 1000.0, 2) << " us, max " << fixed(report.maxBlockNs / 1000.0, 2)
        << " us; slowest " << fixed(report.worstRatio, 1) << " x its mode segment's median; " << report.slowBlocks
        << " blocks above " << fixed(kSlowBlockFactor, 0) << " x, " << report.slowStretches << " runs of "
        << kSlowStretchBlocks << " such blocks in a row\n";
    out << "Resident memory:   " << report.residentStartKb << " kB after the first tenth, " << report.residentEndKb
        << " kB at the end\n";
    out << "Wall time:         " << fixed(report.wallSeconds, 1) << " s\n";
    out << "Result:            " << (passed ? "passed" : "FAILED") << "\n";
    return passed ? 0 : kFailed;
}

int runHost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << hostUsage();
        return 0;
    }
    HostArguments parsed;
    std::string error;
    if (!parseHostArguments(args, parsed, error)) {
        err << "ambrel-host: " << error << "\n" << hostUsage();
        return kBadUsage;
    }
    if (parsed.command == "info") return runInfo(parsed, out, err);
    if (parsed.command == "render") return runRender(parsed, out, err, showProgress);
    if (parsed.command == "soak") return runSoak(parsed, out, err, showProgress);
    return runBench(parsed, out, err);
}

}  // namespace ambrel::tools
