#pragma once
// The command line of ambrel-host:
//   ambrel-host info PLUGIN [--rate HZ]
//   ambrel-host render PLUGIN IN OUT [--set INDEX=VALUE]... [--rate HZ] [--block N] [--double] [--compensate]
//   ambrel-host bench PLUGIN [--rate HZ] [--seconds S] [--block N] [--double] [--set INDEX=VALUE]...
//   ambrel-host soak PLUGIN [--frames N] [--seed S] [--rate HZ] [--block N] [--double] [--set INDEX=VALUE]...

#include <string>
#include <vector>

namespace ambrel::tools {

struct ParameterSetting {
    int index;
    float value;  // normalized 0..1
};

struct HostArguments {
    std::string command;  // "info", "render", "bench" or "soak"
    std::string plugin, input, output;
    std::vector<ParameterSetting> settings;
    double rate = 0.0;  // 0: the input file's rate (render) or 44100
    int blockSize = 512;
    double seconds = 10.0;
    bool doublePrecision = false;
    bool compensate = false;
    long frames = 160'000'000;  // soak: about an hour at 44100 Hz
    unsigned seed = 1;          // soak: the random automation
};

bool parseHostArguments(const std::vector<std::string>& args, HostArguments& parsed, std::string& error);

std::string hostUsage();

}  // namespace ambrel::tools
