// The audio files of the Windows build of the tools: WAV only, through our own
// reader and writer (tools/WavFile.h), as this build has no libsndfile.

#include <algorithm>
#include <cctype>

#include "tools/AudioFile.h"
#include "tools/WavFile.h"

namespace ambrel::tools {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto folder = path.find_last_of("/\\");
    if (dot == std::string::npos || (folder != std::string::npos && dot < folder)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

bool wavName(const std::string& path) {
    const std::string ext = lowerExtension(path);
    return ext.empty() || ext == "wav" || ext == "wave";
}

}  // namespace

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error) {
    return wav::read(path, audio, error);
}

int outputFormatFor(const std::string& /*path*/, int sourceFormat, int /*channels*/) {
    return wav::supported(sourceFormat) ? sourceFormat : (wav::kWav | wav::kFloat32);
}

bool writeAudioFile(const std::string& path, const AudioData& audio, int format, std::string& error) {
    if (!wavName(path)) {
        error = "cannot write '" + path + "': this build writes WAV files only (.wav)";
        return false;
    }
    return wav::write(path, audio, format ? format : outputFormatFor(path, audio.format, audio.channelCount()), error);
}

std::string formatName(int format) { return wav::formatName(format); }

}  // namespace ambrel::tools
