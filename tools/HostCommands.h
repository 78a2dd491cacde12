#pragma once
// The four commands of ambrel-host. Each prints to out (results) and err
// (problems) and returns the process exit code: 0 done, 1 failed, 2 bad usage.

#include <ostream>

#include "tools/HostArguments.h"

namespace ambrel::tools {

int runInfo(const HostArguments& args, std::ostream& out, std::ostream& err);
int runRender(const HostArguments& args, std::ostream& out, std::ostream& err, bool showProgress);
int runBench(const HostArguments& args, std::ostream& out, std::ostream& err);
int runSoak(const HostArguments& args, std::ostream& out, std::ostream& err, bool showProgress);

// Parses and runs a whole command line (without the program name).
int runHost(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress);

}  // namespace ambrel::tools
