#include "presets/PresetFileActions.h"

#include <cstdio>

#include "presets/AtomicFile.h"
#include "presets/PresetFileFormat.h"

namespace ambrel {
namespace {

// Reads at most `limit` bytes; read-only, so a write-protected file loads.
bool readFileStart(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bytes.resize(limit);
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t got = std::fread(bytes.data() + total, 1, limit - total, file);
        if (got == 0) break;
        total += got;
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    bytes.resize(total);
    return ok;
}

FileActionResult errorResult(const char* message) {
    FileActionResult result;
    result.outcome = FileActionResult::kError;
    result.message = message;
    return result;
}

void applyProgram(CProgram& slot, const DecodedProgram& decoded) {
    slot.setName(decoded.name);
    for (int i = 0; i < decoded.valueCount; ++i) slot.setParameterValue(i, decoded.values[static_cast<unsigned>(i)]);
}

FileActionResult saved(bool written) {
    if (!written) return errorResult(kWriteFailedMessage);
    FileActionResult result;
    result.outcome = FileActionResult::kDone;
    return result;
}

}  // namespace

FileActionResult loadBankImage(CPresetSystemEffect& effect, const std::uint8_t* data, std::size_t size) {
    if (!effect.hasPrograms()) return {};
    const DecodedFile file = decodeBankFile(data, size, effect.edition());
    if (file.error) return errorResult(file.error);
    for (std::size_t slot = 0; slot < file.programs.size(); ++slot)
        applyProgram(*effect.program(static_cast<int>(slot)), file.programs[slot]);

    FileActionResult result;
    result.outcome = FileActionResult::kDone;
    for (int slot = 0; slot < kProgramSlots; ++slot) result.slotNames.emplace_back(effect.program(slot)->name());
    result.programName = effect.program(0)->name();
    result.currentSlot = 0;
    effect.selectProgram(0);
    return result;
}

FileActionResult loadPresetImage(CPresetSystemEffect& effect, const std::uint8_t* data, std::size_t size) {
    if (!effect.hasPrograms()) return {};
    const int current = effect.getCurrentProgramIndex();
    CProgram* slot = effect.program(current);
    if (!slot) return {};
    const DecodedFile file = decodePresetFile(data, size, effect.edition());
    if (file.error) return errorResult(file.error);
    applyProgram(*slot, file.programs.front());

    FileActionResult result;
    result.outcome = FileActionResult::kDone;
    result.programName = slot->name();
    result.currentSlot = current;
    if (CPresetSystemListener* listener = effect.presetSystemListener()) listener->programNameChanged(slot->name());
    effect.selectProgram(current);
    return result;
}

FileActionResult loadBankFile(CPresetSystemEffect& effect, const std::string& path) {
    if (!effect.hasPrograms()) return {};
    std::vector<std::uint8_t> bytes;
    // One byte past the current layout is enough to tell every size rule apart.
    if (!readFileStart(path, bankFileSize(effect.edition()) + 1, bytes)) return {};
    return loadBankImage(effect, bytes.data(), bytes.size());
}

FileActionResult loadPresetFile(CPresetSystemEffect& effect, const std::string& path) {
    if (!effect.hasPrograms()) return {};
    std::vector<std::uint8_t> bytes;
    if (!readFileStart(path, presetFileSize(effect.edition()) + 1, bytes)) return {};
    return loadPresetImage(effect, bytes.data(), bytes.size());
}

FileActionResult saveBankFile(CPresetSystemEffect& effect, const std::string& path) {
    if (!effect.hasPrograms()) return {};
    const std::vector<std::uint8_t> bytes = encodeBankFile(effect.program(0));
    return saved(replaceFileContents(path, bytes.data(), bytes.size()));
}

FileActionResult savePresetFile(CPresetSystemEffect& effect, const std::string& path) {
    const CProgram* slot = effect.program(effect.getCurrentProgramIndex());
    if (!slot) return {};
    const std::vector<std::uint8_t> bytes = encodePresetFile(*slot);
    return saved(replaceFileContents(path, bytes.data(), bytes.size()));
}

}  // namespace ambrel
