#pragma once
// Whole audio files in memory, read and written with libsndfile: any format it
// reads; written in the input's format where the output's file type allows it,
// else as 32-bit float WAV.

#include <string>
#include <vector>

namespace ambrel::tools {

struct AudioData {
    int sampleRate = 44100;
    int format = 0;                          // libsndfile format of the source, 0 for generated audio
    std::vector<std::vector<double>> channels;  // one vector per channel, equal lengths

    int channelCount() const { return static_cast<int>(channels.size()); }
    long frames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error);

// format 0 chooses: the source's format when the file type of path (by its
// extension) is the source's type, that type with the source's sample format
// where it allows it, else float WAV.
bool writeAudioFile(const std::string& path, const AudioData& audio, int format, std::string& error);

// The format writeAudioFile(path, audio, 0, ...) would choose for a source format.
int outputFormatFor(const std::string& path, int sourceFormat, int channels);

// A readable name of a libsndfile format ("WAV, 16-bit PCM").
std::string formatName(int format);

}  // namespace ambrel::tools
