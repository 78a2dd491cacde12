#include "tools/WavFile.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace ambrel::tools::wav {

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

int bitsOf(int sampleFormat) {
    switch (sampleFormat) {
        case kPcm16: return 16;
        case kPcm24: return 24;
        case kPcm32: case kFloat32: return 32;
        default: return 0;
    }
}

// A PCM sample of `bytes` bytes, sign-extended.
std::int32_t pcmSample(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    const int shift = 32 - 8 * bytes;
    return static_cast<std::int32_t>(v << shift) >> shift;
}

// The nearest step of a signed integer of `bits` bits, held to its range. The
// scale is the reader's, so a file read and written again keeps its samples.
std::int64_t quantize(double x, int bits) {
    const double top = std::ldexp(1.0, bits - 1);  // 2^(bits-1)
    if (!(x == x)) return 0;                       // NaN: silence
    const double scaled = std::nearbyint(x * top);
    if (scaled >= top - 1.0) return static_cast<std::int64_t>(top - 1.0);
    if (scaled <= -top) return static_cast<std::int64_t>(-top);
    return static_cast<std::int64_t>(scaled);
}

}  // namespace

bool supported(int format) {
    return (format & kContainerMask) == kWav && bitsOf(format & kSampleMask) != 0;
}

bool read(const std::string& path, AudioData& audio, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read '" + path + "': cannot open the file";
        return false;
    }
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto fail = [&](const std::string& why) {
        error = "cannot read '" + path + "': " + why;
        return false;
    };
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0)
        return fail("not a WAV file");

    bool haveFormat = false;
    std::uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0;
    std::uint32_t rate = 0;
    const unsigned char* data = nullptr;
    std::size_t dataBytes = 0;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const unsigned char* chunk = file.data() + at;
        const std::size_t declared = le32(chunk + 4);
        const std::size_t available = file.size() - at - 8;
        const std::size_t size = declared < available ? declared : available;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return fail("format chunk too short");
            tag = le16(chunk + 8);
            channels = le16(chunk + 10);
            rate = le32(chunk + 12);
            blockAlign = le16(chunk + 20);
            bits = le16(chunk + 22);
            if (tag == kTagExtensible) {
                if (size < 40) return fail("extensible format chunk too short");
                tag = le16(chunk + 8 + 24);  // the first two bytes of the sub-format GUID
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            dataBytes = size;
        }
        at += 8 + size + (size & 1);  // chunks are padded to even sizes
    }
    if (!haveFormat) return fail("no format chunk");
    if (!data) return fail("no data chunk");
    int sampleFormat = 0;
    if (tag == kTagPcm && bits == 16) sampleFormat = kPcm16;
    if (tag == kTagPcm && bits == 24) sampleFormat = kPcm24;
    if (tag == kTagPcm && bits == 32) sampleFormat = kPcm32;
    if (tag == kTagFloat && bits == 32) sampleFormat = kFloat32;
    if (!sampleFormat)
        return fail("unsupported sample format (tag " + std::to_string(tag) + ", " + std::to_string(bits) +
                    " bits): 16/24/32-bit PCM and 32-bit float are read");
    const int bytes = bits / 8;
    if (channels < 1 || rate < 1 || blockAlign != channels * bytes) return fail("inconsistent format chunk");

    const std::size_t frames = dataBytes / blockAlign;
    audio.sampleRate = static_cast<int>(rate);
    audio.format = kWav | sampleFormat;
    audio.channels.assign(channels, std::vector<double>(frames));
    const double scale = 1.0 / std::ldexp(1.0, bits - 1);
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const unsigned char* p = data + i * blockAlign + static_cast<std::size_t>(c * bytes);
            double v;
            if (sampleFormat == kFloat32) {
                const std::uint32_t raw = le32(p);
                float f;
                std::memcpy(&f, &raw, 4);
                v = f;
            } else {
                v = pcmSample(p, bytes) * scale;
            }
            audio.channels[static_cast<std::size_t>(c)][i] = v;
        }
    }
    return true;
}

bool write(const std::string& path, const AudioData& audio, int format, std::string& error) {
    if (!supported(format)) {
        error = "cannot write '" + path + "': unsupported format " + std::to_string(format);
        return false;
    }
    const int channels = audio.channelCount();
    if (channels < 1) {
        error = "nothing to write to '" + path + "': no channels";
        return false;
    }
    const int sampleFormat = format & kSampleMask;
    const int bits = bitsOf(sampleFormat);
    const int bytes = bits / 8;
    const bool isFloat = sampleFormat == kFloat32;
    const std::size_t frames = static_cast<std::size_t>(audio.frames());
    const std::uint64_t dataBytes = static_cast<std::uint64_t>(frames) * static_cast<std::uint64_t>(channels * bytes);
    if (dataBytes > 0xFFFFFFF0u - 64u) {
        error = "cannot write '" + path + "': too long for a WAV file";
        return false;
    }

    std::vector<unsigned char> out;
    out.reserve(static_cast<std::size_t>(dataBytes) + 64);
    putTag(out, "RIFF");
    put32(out, 0);  // filled in below
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, isFloat ? 18 : 16);
    put16(out, isFloat ? kTagFloat : kTagPcm);
    put16(out, static_cast<std::uint32_t>(channels));
    put32(out, static_cast<std::uint32_t>(audio.sampleRate));
    put32(out, static_cast<std::uint32_t>(audio.sampleRate * channels * bytes));
    put16(out, static_cast<std::uint32_t>(channels * bytes));
    put16(out, static_cast<std::uint32_t>(bits));
    if (isFloat) {
        put16(out, 0);  // no extra format bytes
        putTag(out, "fact");
        put32(out, 4);
        put32(out, static_cast<std::uint32_t>(frames));
    }
    putTag(out, "data");
    put32(out, static_cast<std::uint32_t>(dataBytes));
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double x = audio.channels[static_cast<std::size_t>(c)][i];
            std::uint32_t raw;
            if (isFloat) {
                const float f = static_cast<float>(x);
                std::memcpy(&raw, &f, 4);
            } else {
                raw = static_cast<std::uint32_t>(quantize(x, bits));
            }
            for (int b = 0; b < bytes; ++b) out.push_back(static_cast<unsigned char>((raw >> (8 * b)) & 0xFF));
        }
    }
    const std::uint32_t riffSize = static_cast<std::uint32_t>(out.size() - 8);
    for (int b = 0; b < 4; ++b) out[4 + static_cast<std::size_t>(b)] = static_cast<unsigned char>(riffSize >> (8 * b));

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot write '" + path + "': cannot create the file";
        return false;
    }
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        error = "writing '" + path + "' failed";
        return false;
    }
    return true;
}

std::string formatName(int format) {
    std::string name = (format & kContainerMask) == kWav ? "WAV (Microsoft)" : "unknown";
    switch (format & kSampleMask) {
        case kPcm16: return name + ", Signed 16 bit PCM";
        case kPcm24: return name + ", Signed 24 bit PCM";
        case kPcm32: return name + ", Signed 32 bit PCM";
        case kFloat32: return name + ", 32 bit float";
        default: return name;
    }
}

}  // namespace ambrel::tools::wav
