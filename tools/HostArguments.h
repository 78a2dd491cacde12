#pragma once
// The command line of ambrel-host:
//   ambrel-host info PLUGIN [--rate HZ]
//   ambrel-host render PLUGIN IN OUT [--set INDEX=VALUE]... [--rate HZ] [--block N] [--double] [--compensate]
//   ambrel-host bench PLUGIN [--rate HZ] [--seconds S] [--block N] [--double] [--set INDEX=VALUE]...

#include <string>
#include <vector>

namespace ambrel::tools {

struct ParameterSetting {
    int index;
    float value;  // normalized 0..1
};

struct HostArguments {
    std::string command;  // "info", "render" or "bench"
    std::string plugin, input, output;
    std::vector<ParameterSetting> settings;
    double rate = 0.0;  // 0: the input file's rate (render) or 44100
    int blockSize = 512;
    double seconds = 10.0;
    bool doublePrecision = false;
    bool compensate = false;
};

bool parseHostArguments(const std::vector<std::string>& args, HostArguments& parsed, std::string& error);

std::string hostUsage();

}  // namespace ambrel::tools
