// The preset loader on any bytes, as both editions: the decoder never reads
// past the image, a rejected file changes nothing, an accepted one leaves
// normalized values in the current slot and slot 0, and what was loaded saves
// and loads back unchanged.

#include <cstring>
#include <string>

#include "BankImage.h"
#include "FuzzPresetEffect.h"
#include "presets/PresetFileActions.h"
#include "presets/PresetFileFormat.h"

using namespace ambrel;

namespace {

void checkDecoded(const DecodedFile& file, std::size_t size, const Edition& edition) {
    if (file.error) {
        FUZZ_CHECK(file.programs.empty());
        return;
    }
    FUZZ_CHECK(file.programs.size() == 1);
    const DecodedProgram& decoded = file.programs[0];
    FUZZ_CHECK(decoded.valueCount == (size == kLegacyPresetFileSize ? kLegacyValueCount : edition.numParams));
    FUZZ_CHECK(size >= kFileHeaderSize + kNameFieldSize + 4 * static_cast<std::size_t>(decoded.valueCount));
    FUZZ_CHECK(decoded.name[kNameLength] == 0);
}

void fuzzEdition(const std::uint8_t* data, std::size_t size, const Edition& edition) {
    const DecodedFile file = decodePresetFile(data, size, edition);
    checkDecoded(file, size, edition);

    fuzzing::MemorySettingsStore store;
    fuzzing::FuzzPresetEffect effect(edition, store);
    const int current = static_cast<int>(size % kProgramSlots);
    effect.selectProgram(current);
    const fuzzing::BankImage before(effect);

    const FileActionResult result = loadPresetImage(effect, data, size);
    effect.checkBank();
    if (file.error) {
        FUZZ_CHECK(result.outcome == FileActionResult::kError);
        FUZZ_CHECK(std::strcmp(result.message, file.error) == 0);
        FUZZ_CHECK(fuzzing::BankImage(effect) == before);
        return;
    }
    FUZZ_CHECK(result.outcome == FileActionResult::kDone);
    FUZZ_CHECK(effect.getCurrentProgramIndex() == current);
    const CProgram& loaded = *effect.program(current);
    FUZZ_CHECK(fuzzing::sameProgram(loaded, *effect.program(0)));
    FUZZ_CHECK(result.programName == loaded.name());
    FUZZ_CHECK(std::strcmp(loaded.name(), file.programs[0].name) == 0);
    for (int i = 0; i < edition.numParams; ++i) FUZZ_CHECK(effect.values[i] == loaded.getParameterValue(i));

    // Saved and loaded again, the program comes back exactly.
    const std::vector<std::uint8_t> saved = encodePresetFile(loaded);
    FUZZ_CHECK(saved.size() == presetFileSize(edition));
    const CProgram copy = loaded;
    const FileActionResult again = loadPresetImage(effect, saved.data(), saved.size());
    FUZZ_CHECK(again.outcome == FileActionResult::kDone);
    FUZZ_CHECK(fuzzing::sameProgram(*effect.program(current), copy));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzEdition(data, size, fullEdition());
    fuzzEdition(data, size, siblingEdition());
    return 0;
}
