#pragma once
// Our own reader and writer of WAV files: 16-, 24- and 32-bit PCM and 32-bit
// float, any number of channels, whole files in memory. The format codes use
// libsndfile's numbering (container | sample format), so AudioData::format
// means the same in every build of the tools; the Windows build, which has
// no libsndfile, reads and writes its audio files with this alone.

#include <string>

#include "tools/AudioFile.h"

namespace ambrel::tools::wav {

inline constexpr int kWav = 0x010000;
inline constexpr int kContainerMask = 0x0FFF0000;
inline constexpr int kSampleMask = 0x0000FFFF;
inline constexpr int kPcm16 = 0x0002;
inline constexpr int kPcm24 = 0x0003;
inline constexpr int kPcm32 = 0x0004;
inline constexpr int kFloat32 = 0x0006;

// True for kWav with one of the four sample formats.
bool supported(int format);

// Reads a RIFF/WAVE file: format tags PCM (1), IEEE float (3) and the
// extensible tag (0xFFFE) carrying either; chunks other than "fmt " and "data"
// are skipped. A data chunk longer than the file is read to the file's end.
// Samples come out as doubles, PCM scaled by 1/2^(bits-1).
bool read(const std::string& path, AudioData& audio, std::string& error);

// Writes audio in the format (a supported one): PCM scaled by 2^(bits-1),
// rounded to the nearest step and clipped to the integer range (so +1.0 is
// the largest step and a read file written again is unchanged; NaN is
// written as 0), float stored as is.
bool write(const std::string& path, const AudioData& audio, int format, std::string& error);

// "WAV (Microsoft), Signed 16 bit PCM" and the like.
std::string formatName(int format);

}  // namespace ambrel::tools::wav
