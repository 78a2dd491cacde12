// The Windows build of ambrel-host run as a program (CreateProcess, its
// output read through a pipe) on both DLLs: info, and render of generated WAV
// files in each sample format - the impulse comes out the reported latency
// later (or at once with --compensate), Process Off is an exact delay, the
// brickwall holds the peak, the input's format is kept - and its errors.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/WavFile.h"

using namespace ambrel::tools;

namespace {

struct HostRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr together
};

HostRun runHost(const std::string& arguments) {
    HostRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = std::string("\"") + AMBREL_HOST_EXE + "\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        run.output = "CreateProcess failed: " + std::to_string(GetLastError());
        return run;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string clean;
    for (char c : run.output)
        if (c != '\r') clean += c;
    run.output = clean;
    return run;
}

std::string tempFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "ambrel-host-test";
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\" + name;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

AudioData silence(int rate, int frames) {
    AudioData audio;
    audio.sampleRate = rate;
    audio.channels.assign(2, std::vector<double>(static_cast<std::size_t>(frames), 0.0));
    return audio;
}

AudioData readBack(const std::string& path) {
    AudioData audio;
    std::string error;
    EXPECT_TRUE(wav::read(path, audio, error)) << error;
    return audio;
}

std::size_t peakIndex(const std::vector<double>& x) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        if (std::fabs(x[i]) > std::fabs(x[best])) best = i;
    return best;
}

struct Edition {
    const char* name;
    const char* dll;
    const char* effectName;
    int params;
    int latency44k, latency96k;
    bool fat;
};
void PrintTo(const Edition& e, std::ostream* os) { *os << e.name; }
const Edition kEditions[] = {
    {"Full", AMBREL_FULL_PLUGIN, "ZEM Ambrel2", 42, 639, 1151, true},
    {"Sibling", AMBREL_SIBLING_PLUGIN, "ZEM Ambrel", 48, 127, 255, false},
};

class WindowsHost : public ::testing::TestWithParam<Edition> {};

}  // namespace

TEST_P(WindowsHost, InfoShowsIdentityParametersAndLatency) {
    const Edition& e = GetParam();
    const HostRun run = runHost("info " + quoted(e.dll));
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find(std::string("Effect name:     ") + e.effectName + "\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Parameters:      " + std::to_string(e.params) + "\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Latency:         " + std::to_string(e.latency44k) + " samples"), std::string::npos)
        << run.output;
}

TEST_P(WindowsHost, RenderedImpulseComesOutTheLatencyLaterInTheInputsFormat) {
    const Edition& e = GetParam();
    struct Case {
        int rate;
        int latency;
        int fat;
        int format;
        const char* extra;
    };
    std::vector<Case> cases = {
        {44100, e.latency44k, 0, wav::kWav | wav::kPcm16, ""},
        {96000, e.latency96k, 0, wav::kWav | wav::kPcm24, ""},
        {44100, e.latency44k, 0, wav::kWav | wav::kFloat32, " --block 37"},
        {48000, -1, 0, wav::kWav | wav::kPcm32, " --double"},
    };
    if (e.fat) cases.push_back({44100, e.latency44k, 1, wav::kWav | wav::kPcm16, " --set 26=1"});
    for (const Case& c : cases) {
        AudioData in = silence(c.rate, 6000);
        in.channels[0][300] = 0.5;
        in.channels[1][300] = -0.25;
        const std::string input = tempFile(std::string(e.name) + "-impulse.wav");
        const std::string output = tempFile(std::string(e.name) + "-impulse-out.wav");
        std::string error;
        ASSERT_TRUE(wav::write(input, in, c.format, error)) << error;
        DeleteFileA(output.c_str());
        const HostRun run = runHost("render " + quoted(e.dll) + " " + quoted(input) + " " + quoted(output) +
                                " --set 0=1 --set 29=0" + c.extra);
        ASSERT_EQ(run.exitCode, 0u) << run.output;
        const AudioData out = readBack(output);
        EXPECT_EQ(out.format, c.format) << "the input's format is kept";
        EXPECT_EQ(out.sampleRate, c.rate);
        ASSERT_EQ(out.frames(), 6000);
        if (c.latency >= 0) {
            EXPECT_NE(run.output.find("Latency: " + std::to_string(c.latency) + " samples"), std::string::npos)
                << run.output;
        }
        // The latency the host reports, whatever the rate.
        const std::size_t at = run.output.find("Latency: ");
        ASSERT_NE(at, std::string::npos) << run.output;
        const int latency = std::stoi(run.output.substr(at + 9));
        EXPECT_EQ(peakIndex(out.channels[0]), 300u + static_cast<std::size_t>(latency)) << c.rate << c.extra;
        EXPECT_EQ(peakIndex(out.channels[1]), 300u + static_cast<std::size_t>(latency)) << c.rate << c.extra;
        EXPECT_GT(std::fabs(out.channels[0][300 + latency]), 0.4) << c.rate << c.extra;
    }
}

TEST_P(WindowsHost, ProcessOffIsAnExactDelayAndCompensateRemovesIt) {
    const Edition& e = GetParam();
    struct Case {
        int format;
        const char* extra;
    };
    // The float path carries 24 bits; 32-bit PCM goes through the double one.
    // The effect's anti-denormal offset (far below a 32-bit PCM step) shows
    // in float files only.
    const Case cases[] = {{wav::kWav | wav::kPcm16, ""}, {wav::kWav | wav::kPcm24, ""},
                          {wav::kWav | wav::kPcm32, " --double"}, {wav::kWav | wav::kFloat32, " --block 100"}};
    for (const Case& c : cases) {
        AudioData in = silence(44100, 5000);
        for (std::size_t i = 0; i < 5000; ++i) {
            in.channels[0][i] = std::round(std::sin(0.013 * static_cast<double>(i)) * 20000.0) / 32768.0;
            in.channels[1][i] = std::round(std::sin(0.029 * static_cast<double>(i)) * 9000.0) / 32768.0;
        }
        const std::string input = tempFile(std::string(e.name) + "-delay.wav");
        const std::string output = tempFile(std::string(e.name) + "-delay-out.wav");
        std::string error;
        ASSERT_TRUE(wav::write(input, in, c.format, error)) << error;
        for (bool compensate : {false, true}) {
            const HostRun run = runHost("render " + quoted(e.dll) + " " + quoted(input) + " " + quoted(output) +
                                    " --set 0=0" + c.extra + (compensate ? " --compensate" : ""));
            ASSERT_EQ(run.exitCode, 0u) << run.output;
            const AudioData out = readBack(output);
            ASSERT_EQ(out.frames(), 5000);
            const std::size_t shift = compensate ? 0 : static_cast<std::size_t>(e.latency44k);
            const std::size_t last = compensate ? 5000 - static_cast<std::size_t>(e.latency44k) : 5000;
            for (int ch = 0; ch < 2; ++ch)
                for (std::size_t i = shift; i < last; ++i)
                    ASSERT_NEAR(out.channels[ch][i], in.channels[ch][i - shift], 1e-12)
                        << c.extra << " compensate " << compensate << " channel " << ch << " frame " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothEditions, WindowsHost, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<Edition>& info) { return info.param.name; });

TEST(WindowsHostRender, OversampledBrickwallHoldsTheLoudestInputBelowTheOutputGain) {
    AudioData in = silence(44100, 20000);
    for (std::size_t i = 0; i < 20000; ++i) {
        in.channels[0][i] = 4.0 * std::sin(0.3 * static_cast<double>(i));
        in.channels[1][i] = 3.0 * std::sin(0.071 * static_cast<double>(i));
    }
    const std::string input = tempFile("loud.wav");
    const std::string output = tempFile("loud-out.wav");
    std::string error;
    ASSERT_TRUE(wav::write(input, in, wav::kWav | wav::kFloat32, error)) << error;
    const HostRun run = runHost("render " + quoted(AMBREL_FULL_PLUGIN) + " " + quoted(input) + " " + quoted(output) +
                            " --set 26=1 --set 29=1 --set 4=1 --set 14=0.45");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Input level:  peak +12.04 dBFS"), std::string::npos) << run.output;
    const AudioData out = readBack(output);
    const double outputGain = std::pow(4.0, 2.0 * 0.45 - 1.0);
    double peak = 0;
    for (const auto& channel : out.channels)
        for (double x : channel) peak = std::max(peak, std::fabs(x));
    EXPECT_LE(peak, outputGain * (1 + 1e-6));
    EXPECT_GT(peak, 0.5 * outputGain) << "the output is not silent";
}

TEST(WindowsHostErrors, ClearMessagesAndNonZeroExits) {
    const std::string input = tempFile("errors.wav");
    std::string error;
    ASSERT_TRUE(wav::write(input, silence(44100, 100), wav::kWav | wav::kPcm16, error)) << error;
    struct Case {
        std::string arguments;
        DWORD exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"info " + quoted(tempFile("no-such-plugin.dll")), 1, "cannot load"},
        {"render " + quoted(AMBREL_FULL_PLUGIN) + " " + quoted(input) + " " + quoted(tempFile("out.flac")), 1,
         "writes WAV files only"},
        {"render " + quoted(AMBREL_FULL_PLUGIN) + " " + quoted(tempFile("missing.wav")) + " " +
             quoted(tempFile("out.wav")),
         1, "cannot read"},
        {"frobnicate", 2, ""},
    };
    for (const Case& c : cases) {
        const HostRun run = runHost(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
    }
}
