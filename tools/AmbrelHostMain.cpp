// ambrel-host: our command-line VST 2.4 host (info, render, bench, soak).

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/HostCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return ambrel::tools::runHost(args, std::cout, std::cerr, isatty(STDOUT_FILENO) != 0);
}
