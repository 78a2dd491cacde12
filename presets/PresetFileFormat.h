#pragma once
// The preset ("*.zem") and bank ("*.zmb") file layouts.
//
// Both start with the magic "QOLB" (the full edition's plug-in id as a
// little-endian integer; "BLOQ" is accepted too) and a kind code, "!" for a
// preset, "7" for a bank. A program is a 24-byte name field (NUL-padded, no
// terminator when all 24 are used) and one little-endian float per parameter.
// Legacy files of exactly 149 (preset) or 4325 (bank) bytes hold 30 values per
// program, and a bank of 30 programs; any other size is read with the current
// layout, whose bytes past the end are ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Edition.h"
#include "presets/CProgram.h"

namespace ambrel {

inline constexpr std::uint8_t kFileMagic[4] = {'Q', 'O', 'L', 'B'};
inline constexpr std::uint8_t kPresetKind = 0x21;  // "!"
inline constexpr std::uint8_t kBankKind = 0x37;    // "7"
inline constexpr std::size_t kFileHeaderSize = 5;
inline constexpr std::size_t kNameFieldSize = kNameLength;
inline constexpr int kLegacyValueCount = 30;
inline constexpr int kLegacyBankPrograms = 30;
inline constexpr std::size_t kLegacyPresetFileSize = kFileHeaderSize + kNameFieldSize + 4 * kLegacyValueCount;  // 149
inline constexpr std::size_t kLegacyBankFileSize =
    kFileHeaderSize + kLegacyBankPrograms * (kNameFieldSize + 4 * kLegacyValueCount);  // 4325

// The texts of the "Error..." message box.
inline constexpr const char* kFileErrorCaption = "Error...";
inline constexpr const char* kInvalidFileMessage = "Error #01: Invalid preset file!";
inline constexpr const char* kNotPresetMessage = "Error #02: Not a preset file!";
inline constexpr const char* kNotBankMessage = "Not a bank file!";
inline constexpr const char* kTooShortMessage = "Error #03: File is too short!";
inline constexpr const char* kWriteFailedMessage = "Error #04: Could not write the file!";

constexpr std::size_t presetFileSize(const Edition& edition) {
    return kFileHeaderSize + kNameFieldSize + 4 * static_cast<std::size_t>(edition.numParams);
}
constexpr std::size_t bankFileSize(const Edition& edition) {
    return kFileHeaderSize + kProgramSlots * (kNameFieldSize + 4 * static_cast<std::size_t>(edition.numParams));
}

struct DecodedProgram {
    char name[kNameLength + 1] = {};
    std::array<float, kMaxProgramValues> values{};  // as stored; the program clamps them
    int valueCount = 0;
};

struct DecodedFile {
    const char* error = nullptr;  // one of the messages above, or null
    std::vector<DecodedProgram> programs;  // one for a preset, 30 or 31 for a bank
};

// Reads the whole image before anything is applied; never reads past `size`.
DecodedFile decodePresetFile(const std::uint8_t* data, std::size_t size, const Edition& edition);
DecodedFile decodeBankFile(const std::uint8_t* data, std::size_t size, const Edition& edition);

std::vector<std::uint8_t> encodePresetFile(const CProgram& program);
std::vector<std::uint8_t> encodeBankFile(const CProgram* programs);  // kProgramSlots of them

}  // namespace ambrel
