#include "tools/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

namespace ambrel::tools {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// The major format libsndfile associates with an extension, or 0.
int majorForExtension(const std::string& ext) {
    if (ext.empty()) return 0;
    if (ext == "wav" || ext == "wave") return SF_FORMAT_WAV;
    if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof(count));
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof(info)) == 0 && info.extension &&
            ext == info.extension)
            return info.format & SF_FORMAT_TYPEMASK;
    }
    return 0;
}

bool formatWorks(int format, int channels) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = 44100;
    return sf_format_check(&info) != 0;
}

}  // namespace

bool readAudioFile(const std::string& path, AudioData& audio, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "cannot read '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    audio.channels.assign(info.channels, std::vector<double>(static_cast<std::size_t>(info.frames)));
    std::vector<double> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t got = sf_readf_double(file, interleaved.data(), info.frames);
    sf_close(file);
    for (sf_count_t i = 0; i < got; ++i)
        for (int c = 0; c < info.channels; ++c) audio.channels[c][i] = interleaved[i * info.channels + c];
    for (auto& channel : audio.channels) channel.resize(static_cast<std::size_t>(got));
    return true;
}

int outputFormatFor(const std::string& path, int sourceFormat, int channels) {
    const int floatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    const int major = majorForExtension(lowerExtension(path));
    if (sourceFormat == 0) {
        if (major && formatWorks(major | SF_FORMAT_FLOAT, channels)) return major | SF_FORMAT_FLOAT;
        return floatWav;
    }
    if (major == 0) return floatWav;
    if ((sourceFormat & SF_FORMAT_TYPEMASK) == major && formatWorks(sourceFormat, channels)) return sourceFormat;
    const int withSubtype = major | (sourceFormat & SF_FORMAT_SUBMASK);
    if (formatWorks(withSubtype, channels)) return withSubtype;
    if (formatWorks(major | SF_FORMAT_FLOAT, channels)) return major | SF_FORMAT_FLOAT;
    return floatWav;
}

bool writeAudioFile(const std::string& path, const AudioData& audio, int format, std::string& error) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = audio.channelCount();
    info.format = format ? format : outputFormatFor(path, audio.format, info.channels);
    if (info.channels < 1) {
        error = "nothing to write to '" + path + "': no channels";
        return false;
    }
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        error = "cannot write '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    // Integer formats clip above full scale instead of wrapping around.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const long frames = audio.frames();
    std::vector<double> interleaved(static_cast<std::size_t>(frames) * info.channels);
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < info.channels; ++c) interleaved[i * info.channels + c] = audio.channels[c][i];
    const sf_count_t written = sf_writef_double(file, interleaved.data(), frames);
    const int closed = sf_close(file);
    if (written != frames || closed != 0) {
        error = "writing '" + path + "' failed: " + sf_strerror(nullptr);
        return false;
    }
    return true;
}

std::string formatName(int format) {
    SF_FORMAT_INFO major{}, sub{};
    major.format = format & SF_FORMAT_TYPEMASK;
    sub.format = format & SF_FORMAT_SUBMASK;
    std::string name = sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof(major)) == 0 && major.name
                           ? major.name
                           : "unknown";
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &sub, sizeof(sub)) == 0 && sub.name) name += std::string(", ") + sub.name;
    return name;
}

}  // namespace ambrel::tools
