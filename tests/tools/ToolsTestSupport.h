#pragma once
// Helpers of the tools tests: temporary paths, running one of our executables
// and capturing what it prints, and small generated signals.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>

#include "tools/AudioFile.h"

namespace ambrel::tools::testing {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string quote(const std::string& s) { return "'" + s + "'"; }

// A fresh directory per test, removed at the end.
class TempDirectory {
public:
    TempDirectory() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("ambrel-tools-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDirectory() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Stereo test signal: a sine on the left, a different one on the right, and
// an impulse on the left at frame `impulseAt` (none if negative).
inline AudioData testSignal(int rate, long frames, long impulseAt = -1) {
    AudioData a;
    a.sampleRate = rate;
    a.channels.assign(2, std::vector<double>(static_cast<std::size_t>(frames)));
    for (long i = 0; i < frames; ++i) {
        a.channels[0][i] = 0.4 * std::sin(2 * std::numbers::pi * 440.0 * i / rate);
        a.channels[1][i] = 0.3 * std::sin(2 * std::numbers::pi * 997.0 * i / rate);
    }
    if (impulseAt >= 0 && impulseAt < frames) a.channels[0][impulseAt] = 0.9;
    return a;
}

}  // namespace ambrel::tools::testing
