#include "tools/HostArguments.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ambrel::tools {

namespace {

bool toNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end && *end == '\0' && std::isfinite(value);
}

// long long: long has 32 bits on Windows.
bool toInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool parseSetting(const std::string& text, ParameterSetting& setting, std::string& error) {
    const auto eq = text.find('=');
    long long index = 0;
    double value = 0.0;
    if (eq == std::string::npos || !toInteger(text.substr(0, eq), index) || !toNumber(text.substr(eq + 1), value)) {
        error = "--set expects INDEX=VALUE (for example 4=0.75), got '" + text + "'";
        return false;
    }
    if (index < 0 || index > 100000) {
        error = std::string("--set: parameter index ") + std::to_string(index) + " is out of range";
        return false;
    }
    if (value < 0.0 || value > 1.0) {
        error = "--set: the value of a parameter is normalized, 0 to 1; got '" + text.substr(eq + 1) + "'";
        return false;
    }
    setting = {static_cast<int>(index), static_cast<float>(value)};
    return true;
}

}  // namespace

bool parseHostArguments(const std::vector<std::string>& args, HostArguments& parsed, std::string& error) {
    parsed = HostArguments{};
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    parsed.command = args[0];
    std::size_t positionalWanted = 0;
    if (parsed.command == "info" || parsed.command == "bench" || parsed.command == "soak")
        positionalWanted = 1;
    else if (parsed.command == "render")
        positionalWanted = 3;
    else {
        error = "unknown command '" + parsed.command + "'";
        return false;
    }
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--set") {
            ParameterSetting s{};
            if (!value(v) || !parseSetting(v, s, error)) return false;
            parsed.settings.push_back(s);
        } else if (a == "--rate") {
            if (!value(v)) return false;
            if (!toNumber(v, parsed.rate) || parsed.rate < 1000.0 || parsed.rate > 768000.0) {
                error = "--rate expects a sample rate in Hz between 1000 and 768000, got '" + v + "'";
                return false;
            }
        } else if (a == "--block") {
            long long n = 0;
            if (!value(v)) return false;
            if (!toInteger(v, n) || n < 1 || n > 65536) {
                error = "--block expects a frame count between 1 and 65536, got '" + v + "'";
                return false;
            }
            parsed.blockSize = static_cast<int>(n);
        } else if (a == "--seconds" && parsed.command == "bench") {
            if (!value(v)) return false;
            if (!toNumber(v, parsed.seconds) || parsed.seconds <= 0.0 || parsed.seconds > 3600.0) {
                error = "--seconds expects a duration between 0 and 3600, got '" + v + "'";
                return false;
            }
        } else if (a == "--frames" && parsed.command == "soak") {
            if (!value(v)) return false;
            // The soak counts frames in a long: 100 billion, or what fits on Windows.
            constexpr long long most = std::min<long long>(100'000'000'000LL, std::numeric_limits<long>::max());
            long long frames = 0;
            if (!toInteger(v, frames) || frames < 1 || frames > most) {
                error = "--frames expects a frame count between 1 and " + std::to_string(most) + ", got '" + v + "'";
                return false;
            }
            parsed.frames = static_cast<long>(frames);
        } else if (a == "--seed" && parsed.command == "soak") {
            long long seed = 0;
            if (!value(v)) return false;
            if (!toInteger(v, seed) || seed < 0 || seed > 0xffffffffLL) {
                error = "--seed expects a number between 0 and 4294967295, got '" + v + "'";
                return false;
            }
            parsed.seed = static_cast<unsigned>(seed);
        } else if (a == "--double" && parsed.command != "info") {
            parsed.doublePrecision = true;
        } else if (a == "--compensate" && parsed.command == "render") {
            parsed.compensate = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option '" + a + "' for " + parsed.command;
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != positionalWanted) {
        error = parsed.command + " expects " +
                (positionalWanted == 1 ? std::string("PLUGIN") : std::string("PLUGIN IN OUT"));
        return false;
    }
    parsed.plugin = positional[0];
    if (positionalWanted == 3) {
        parsed.input = positional[1];
        parsed.output = positional[2];
    }
    return true;
}

std::string hostUsage() {
    return "usage:\n"
           "  ambrel-host info PLUGIN [--rate HZ]\n"
           "  ambrel-host render PLUGIN IN OUT [--set INDEX=VALUE]... [--rate HZ] [--block N] [--double] "
           "[--compensate]\n"
           "  ambrel-host bench PLUGIN [--rate HZ] [--seconds S] [--block N] [--double] [--set INDEX=VALUE]...\n"
           "  ambrel-host soak PLUGIN [--frames N] [--seed S] [--rate HZ] [--block N] [--double] "
           "[--set INDEX=VALUE]...\n"
           "\n"
           "PLUGIN is a Linux VST 2.4 plug-in (.so). Parameter values are normalized, 0 to 1.\n"
           "render reads any format libsndfile reads and writes OUT in the input's format where OUT's type\n"
           "allows it, else as 32-bit float WAV; --compensate trims the reported latency so OUT lines up\n"
           "with IN. bench times the processing call on a generated mix-like signal. soak runs N frames\n"
           "(default 160000000, about an hour) of that signal with random automation before every block (the\n"
           "switches and stepped parameters every 1024 blocks) and fails on a non-finite sample, three blocks in\n"
           "a row above 10 times the median CPU time of their mode segment (or more than 100 such blocks per\n"
           "million), or memory growing by more than 1 MB.\n";
}

}  // namespace ambrel::tools
