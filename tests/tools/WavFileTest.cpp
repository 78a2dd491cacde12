// Our WAV reader and writer (the audio files of the Windows build): every
// sample format round trip, clipping, the header a writer must produce, the
// chunk layouts a reader meets, files it must refuse, and agreement with the
// audio-file layer of the build (libsndfile on Linux).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/AudioFile.h"
#include "tools/WavFile.h"

using namespace ambrel::tools;

namespace {

std::string tempPath(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / "ambrel-wav-test";
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A hand-made file: RIFF header, then the chunks as given.
struct Chunk {
    std::string id;
    std::vector<unsigned char> body;
    std::uint32_t declaredSize = 0xFFFFFFFFu;  // the body's size unless set
};
std::vector<unsigned char> riff(const std::vector<Chunk>& chunks) {
    std::vector<unsigned char> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& c : chunks) {
        out.insert(out.end(), c.id.begin(), c.id.end());
        const std::uint32_t size = c.declaredSize == 0xFFFFFFFFu ? static_cast<std::uint32_t>(c.body.size()) : c.declaredSize;
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(size >> (8 * i)));
        out.insert(out.end(), c.body.begin(), c.body.end());
        if (c.body.size() & 1) out.push_back(0);
    }
    const auto total = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<unsigned char>(total >> (8 * i));
    return out;
}
std::vector<unsigned char> formatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    std::vector<unsigned char> b;
    auto p16 = [&](std::uint32_t v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); };
    auto p32 = [&](std::uint32_t v) { p16(v & 0xFFFF); p16(v >> 16); };
    p16(tag);
    p16(channels);
    p32(rate);
    p32(rate * channels * bits / 8);
    p16(channels * bits / 8);
    p16(bits);
    return b;
}

struct FormatCase {
    const char* name;
    int format;
    int bits;
    std::uint16_t tag;
};
const FormatCase kFormats[] = {
    {"Pcm16", wav::kWav | wav::kPcm16, 16, 1},
    {"Pcm24", wav::kWav | wav::kPcm24, 24, 1},
    {"Pcm32", wav::kWav | wav::kPcm32, 32, 1},
    {"Float32", wav::kWav | wav::kFloat32, 32, 3},
};

class WavFormats : public ::testing::TestWithParam<FormatCase> {};

// Values every format holds exactly: steps of the format, full scale negative.
AudioData exactSignal(const FormatCase& f, int channels, int frames) {
    AudioData audio;
    audio.sampleRate = 48000;
    audio.channels.assign(static_cast<std::size_t>(channels), std::vector<double>(static_cast<std::size_t>(frames)));
    const double step = f.tag == 3 ? 1.0 / 1024.0 : std::ldexp(1.0, 1 - std::min(f.bits, 24));
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < frames; ++i)
            audio.channels[c][i] = std::round(std::sin(0.01 * i + c) * 900.0) * step;
    audio.channels[0][0] = -1.0;
    return audio;
}

}  // namespace

TEST_P(WavFormats, RoundTripKeepsEverySampleRateAndChannelCount) {
    const FormatCase& f = GetParam();
    for (int channels : {1, 2, 3}) {
        const AudioData audio = exactSignal(f, channels, 1001);
        const std::string path = tempPath(std::string(f.name) + std::to_string(channels) + ".wav");
        std::string error;
        ASSERT_TRUE(wav::write(path, audio, f.format, error)) << error;
        AudioData back;
        ASSERT_TRUE(wav::read(path, back, error)) << error;
        EXPECT_EQ(back.format, f.format);
        EXPECT_EQ(back.sampleRate, 48000);
        ASSERT_EQ(back.channelCount(), channels);
        ASSERT_EQ(back.frames(), 1001);
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < 1001; ++i) ASSERT_EQ(back.channels[c][i], audio.channels[c][i]) << c << "/" << i;

        // The header: one "fmt " of the right tag and sizes, the data chunk last.
        const std::vector<unsigned char> b = bytesOf(path);
        const int bytes = f.bits / 8;
        EXPECT_EQ(le32(b, 4), b.size() - 8) << "RIFF size";
        EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ");
        EXPECT_EQ(le16(b, 20), f.tag);
        EXPECT_EQ(le16(b, 22), channels);
        EXPECT_EQ(le32(b, 24), 48000u);
        EXPECT_EQ(le32(b, 28), static_cast<std::uint32_t>(48000 * channels * bytes)) << "bytes per second";
        EXPECT_EQ(le16(b, 32), channels * bytes) << "block align";
        EXPECT_EQ(le16(b, 34), f.bits);
        const std::size_t dataBytes = static_cast<std::size_t>(1001 * channels * bytes);
        EXPECT_EQ(std::string(b.end() - static_cast<long>(dataBytes) - 8, b.end() - static_cast<long>(dataBytes) - 4), "data");
        EXPECT_EQ(le32(b, b.size() - dataBytes - 4), dataBytes);
    }
}

TEST_P(WavFormats, PcmClipsAtFullScaleAndFloatKeepsOvers) {
    const FormatCase& f = GetParam();
    AudioData audio;
    audio.channels = {{1.5, -1.5, 1.0, -1.0, std::nan(""), 0.25}};
    const std::string path = tempPath(std::string("clip") + f.name + ".wav");
    std::string error;
    ASSERT_TRUE(wav::write(path, audio, f.format, error)) << error;
    AudioData back;
    ASSERT_TRUE(wav::read(path, back, error)) << error;
    ASSERT_EQ(back.frames(), 6);
    const std::vector<double>& x = back.channels[0];
    if (f.tag == 3) {
        EXPECT_EQ(x[0], 1.5);
        EXPECT_EQ(x[1], -1.5);
        EXPECT_TRUE(std::isnan(x[4]));
    } else {
        const double largest = 1.0 - std::ldexp(1.0, 1 - f.bits);
        EXPECT_EQ(x[0], largest);
        EXPECT_EQ(x[1], -1.0);
        EXPECT_EQ(x[2], largest);
        EXPECT_EQ(x[3], -1.0);
        EXPECT_EQ(x[4], 0.0) << "NaN is written as silence";
    }
    EXPECT_EQ(x[5], 0.25);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, WavFormats, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(WavRead, SkipsOtherChunksWithTheirPadByteAndReadsExtensibleFormats) {
    std::vector<unsigned char> data = {0x00, 0x40, 0x00, 0xC0, 0xFF, 0x7F};  // 0.5, -0.5, 32767/32768
    std::vector<unsigned char> extensible = formatBody(0xFFFE, 1, 22050, 16);
    extensible.insert(extensible.end(), {22, 0, 16, 0, 4, 0, 0, 0});  // cbSize, valid bits, channel mask
    extensible.insert(extensible.end(), {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});  // PCM GUID
    for (const std::vector<unsigned char>& fmt : {formatBody(1, 1, 22050, 16), extensible}) {
        const std::string path = tempPath("chunks.wav");
        writeBytes(path, riff({{"LIST", {1, 2, 3}}, {"fmt ", fmt}, {"junk", {9}}, {"data", data}}));
        AudioData audio;
        std::string error;
        ASSERT_TRUE(wav::read(path, audio, error)) << error;
        EXPECT_EQ(audio.sampleRate, 22050);
        EXPECT_EQ(audio.format, wav::kWav | wav::kPcm16);
        ASSERT_EQ(audio.frames(), 3);
        EXPECT_EQ(audio.channels[0][0], 0.5);
        EXPECT_EQ(audio.channels[0][1], -0.5);
        EXPECT_EQ(audio.channels[0][2], 32767.0 / 32768.0);
    }
}

TEST(WavRead, ADataChunkLongerThanTheFileIsReadToItsLastWholeFrame) {
    const std::string path = tempPath("short.wav");
    // Stereo 16-bit: 2.5 frames present, a million declared.
    writeBytes(path, riff({{"fmt ", formatBody(1, 2, 44100, 16)}, {"data", {0, 0x40, 0, 0xC0, 0, 0x20, 0, 0xE0, 1, 2}, 1000000}}));
    AudioData audio;
    std::string error;
    ASSERT_TRUE(wav::read(path, audio, error)) << error;
    ASSERT_EQ(audio.frames(), 2);
    EXPECT_EQ(audio.channels[1][1], -0.25);
}

TEST(WavRead, RefusesWhatItCannotRead) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* why;
    };
    const Case cases[] = {
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, "not a WAV file"},
        {"empty", {}, "not a WAV file"},
        {"no format", riff({{"data", {0, 0}}}), "no format chunk"},
        {"no data", riff({{"fmt ", formatBody(1, 1, 44100, 16)}}), "no data chunk"},
        {"8-bit", riff({{"fmt ", formatBody(1, 1, 44100, 8)}, {"data", {1, 2}}}), "unsupported sample format"},
        {"double", riff({{"fmt ", formatBody(3, 1, 44100, 64)}, {"data", {0, 0, 0, 0, 0, 0, 0, 0}}}),
         "unsupported sample format"},
        {"no channels", riff({{"fmt ", formatBody(1, 0, 44100, 16)}, {"data", {1, 2}}}), "inconsistent"},
    };
    for (const Case& c : cases) {
        const std::string path = tempPath(std::string("bad-") + c.name + ".wav");
        writeBytes(path, c.bytes);
        AudioData audio;
        std::string error;
        EXPECT_FALSE(wav::read(path, audio, error)) << c.name;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(path), std::string::npos) << c.name << ": " << error;
    }
    AudioData audio;
    std::string error;
    EXPECT_FALSE(wav::read(tempPath("missing.wav") + "x", audio, error));
}

TEST(WavWrite, RefusesFormatsItDoesNotWriteAndEmptyAudio) {
    AudioData audio;
    audio.channels = {{0.0}};
    std::string error;
    EXPECT_FALSE(wav::write(tempPath("x.wav"), audio, wav::kWav | 0x0001, error));  // 8-bit
    EXPECT_FALSE(wav::write(tempPath("x.wav"), audio, 0x020000 | wav::kPcm16, error));  // another container
    AudioData none;
    EXPECT_FALSE(wav::write(tempPath("x.wav"), none, wav::kWav | wav::kPcm16, error));
    EXPECT_EQ(wav::formatName(wav::kWav | wav::kPcm24), "WAV (Microsoft), Signed 24 bit PCM");
    EXPECT_EQ(wav::formatName(wav::kWav | wav::kFloat32), "WAV (Microsoft), 32 bit float");
}

// The audio-file layer of this build reads what we write and writes what we
// read (on Linux that is libsndfile, so the two implementations are checked
// against each other).
TEST_P(WavFormats, AgreesWithTheAudioFileLayer) {
    const FormatCase& f = GetParam();
    const AudioData audio = exactSignal(f, 2, 777);
    const std::string ours = tempPath(std::string("ours") + f.name + ".wav");
    const std::string theirs = tempPath(std::string("theirs") + f.name + ".wav");
    std::string error;
    ASSERT_TRUE(wav::write(ours, audio, f.format, error)) << error;
    AudioData read;
    ASSERT_TRUE(readAudioFile(ours, read, error)) << error;
    EXPECT_EQ(read.format, f.format);
    ASSERT_EQ(read.frames(), 777);
    ASSERT_TRUE(writeAudioFile(theirs, read, f.format, error)) << error;
    AudioData back;
    ASSERT_TRUE(wav::read(theirs, back, error)) << error;
    ASSERT_EQ(back.frames(), 777);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 777; ++i) {
            ASSERT_EQ(read.channels[c][i], audio.channels[c][i]) << c << "/" << i;
            ASSERT_EQ(back.channels[c][i], audio.channels[c][i]) << c << "/" << i;
        }
}
