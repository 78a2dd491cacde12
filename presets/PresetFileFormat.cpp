#include "presets/PresetFileFormat.h"

#include <cstring>

#include "presets/StoredFloat.h"

namespace ambrel {
namespace {

bool hasMagic(const std::uint8_t* data) {
    const bool forward = std::memcmp(data, kFileMagic, 4) == 0;
    const bool reversed = data[0] == kFileMagic[3] && data[1] == kFileMagic[2] && data[2] == kFileMagic[1] &&
                          data[3] == kFileMagic[0];
    return forward || reversed;
}

// Header checks shared by both kinds; null when the header is right.
const char* headerError(const std::uint8_t* data, std::size_t size, std::uint8_t kind, const char* wrongKind) {
    if (size < 4) return kTooShortMessage;
    if (!hasMagic(data)) return kInvalidFileMessage;
    if (size < kFileHeaderSize) return kTooShortMessage;
    if (data[4] != kind) return wrongKind;
    return nullptr;
}

const std::uint8_t* decodeProgram(const std::uint8_t* in, int valueCount, DecodedProgram& program) {
    std::size_t length = 0;
    while (length < kNameFieldSize && in[length] != 0) ++length;
    std::memcpy(program.name, in, length);
    in += kNameFieldSize;
    program.valueCount = valueCount;
    for (int i = 0; i < valueCount; ++i, in += 4) program.values[static_cast<unsigned>(i)] = loadLittleEndianFloat(in);
    return in;
}

std::uint8_t* encodeProgram(const CProgram& program, std::uint8_t* out) {
    std::memset(out, 0, kNameFieldSize);
    std::memcpy(out, program.name(), std::strlen(program.name()));
    out += kNameFieldSize;
    for (int i = 0; i < program.valueCount(); ++i, out += 4) storeLittleEndianFloat(program.getParameterValue(i), out);
    return out;
}

std::uint8_t* encodeHeader(std::uint8_t kind, std::uint8_t* out) {
    std::memcpy(out, kFileMagic, 4);
    out[4] = kind;
    return out + kFileHeaderSize;
}

std::size_t recordSize(const CProgram& program) {
    return kNameFieldSize + 4 * static_cast<std::size_t>(program.valueCount());
}

DecodedFile decode(const std::uint8_t* data, std::size_t size, std::size_t legacySize, int legacyPrograms,
                   int programCount, int valueCount) {
    DecodedFile file;
    if (size == legacySize) {
        programCount = legacyPrograms;
        valueCount = kLegacyValueCount;
    }
    const std::size_t needed =
        kFileHeaderSize + static_cast<std::size_t>(programCount) * (kNameFieldSize + 4 * static_cast<std::size_t>(valueCount));
    if (size < needed) {
        file.error = kTooShortMessage;
        return file;
    }
    file.programs.resize(static_cast<std::size_t>(programCount));
    const std::uint8_t* in = data + kFileHeaderSize;
    for (DecodedProgram& program : file.programs) in = decodeProgram(in, valueCount, program);
    return file;
}

}  // namespace

DecodedFile decodePresetFile(const std::uint8_t* data, std::size_t size, const Edition& edition) {
    DecodedFile file;
    if ((file.error = headerError(data, size, kPresetKind, kNotPresetMessage))) return file;
    return decode(data, size, kLegacyPresetFileSize, 1, 1, edition.numParams);
}

DecodedFile decodeBankFile(const std::uint8_t* data, std::size_t size, const Edition& edition) {
    DecodedFile file;
    if ((file.error = headerError(data, size, kBankKind, kNotBankMessage))) return file;
    return decode(data, size, kLegacyBankFileSize, kLegacyBankPrograms, kProgramSlots, edition.numParams);
}

std::vector<std::uint8_t> encodePresetFile(const CProgram& program) {
    std::vector<std::uint8_t> out(kFileHeaderSize + recordSize(program));
    encodeProgram(program, encodeHeader(kPresetKind, out.data()));
    return out;
}

std::vector<std::uint8_t> encodeBankFile(const CProgram* programs) {
    std::vector<std::uint8_t> out(kFileHeaderSize + kProgramSlots * recordSize(programs[0]));
    std::uint8_t* cursor = encodeHeader(kBankKind, out.data());
    for (int slot = 0; slot < kProgramSlots; ++slot) cursor = encodeProgram(programs[slot], cursor);
    return out;
}

}  // namespace ambrel
