// The bank loader on any bytes, as both editions: the decoder never reads past
// the image, a rejected file changes nothing, an accepted one fills the slots
// it holds with normalized values, names them in the menu and applies slot 0,
// and the loaded bank saves and loads back unchanged.

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
    const bool legacy = size == kLegacyBankFileSize;
    FUZZ_CHECK(file.programs.size() == static_cast<std::size_t>(legacy ? kLegacyBankPrograms : kProgramSlots));
    const int valueCount = legacy ? kLegacyValueCount : edition.numParams;
    FUZZ_CHECK(size >= kFileHeaderSize + file.programs.size() * (kNameFieldSize + 4 * static_cast<std::size_t>(valueCount)));
    for (const DecodedProgram& program : file.programs) {
        FUZZ_CHECK(program.valueCount == valueCount);
        FUZZ_CHECK(program.name[kNameLength] == 0);
    }
}

void fuzzEdition(const std::uint8_t* data, std::size_t size, const Edition& edition) {
    const DecodedFile file = decodeBankFile(data, size, edition);
    checkDecoded(file, size, edition);

    fuzzing::MemorySettingsStore store;
    fuzzing::FuzzPresetEffect effect(edition, store);
    effect.selectProgram(static_cast<int>(size % kProgramSlots));
    const fuzzing::BankImage before(effect);
    const CProgram lastSlot = *effect.program(kProgramSlots - 1);

    const FileActionResult result = loadBankImage(effect, data, size);
    effect.checkBank();
    if (file.error) {
        FUZZ_CHECK(result.outcome == FileActionResult::kError);
        FUZZ_CHECK(std::strcmp(result.message, file.error) == 0);
        FUZZ_CHECK(fuzzing::BankImage(effect) == before);
        return;
    }
    FUZZ_CHECK(result.outcome == FileActionResult::kDone);
    FUZZ_CHECK(effect.getCurrentProgramIndex() == 0);
    FUZZ_CHECK(result.slotNames.size() == static_cast<std::size_t>(kProgramSlots));
    for (int slot = 0; slot < kProgramSlots; ++slot)
        FUZZ_CHECK(result.slotNames[static_cast<unsigned>(slot)] == effect.program(slot)->name());
    for (std::size_t slot = 0; slot < file.programs.size(); ++slot)
        FUZZ_CHECK(std::strcmp(effect.program(static_cast<int>(slot))->name(), file.programs[slot].name) == 0);
    if (file.programs.size() < static_cast<std::size_t>(kProgramSlots))
        FUZZ_CHECK(fuzzing::sameProgramApartFromGlobals(*effect.program(kProgramSlots - 1), lastSlot, edition));
    for (int i = 0; i < edition.numParams; ++i) FUZZ_CHECK(effect.values[i] == effect.program(0)->getParameterValue(i));

    // Saved and loaded again, every slot comes back exactly.
    const std::vector<std::uint8_t> saved = encodeBankFile(effect.program(0));
    FUZZ_CHECK(saved.size() == bankFileSize(edition));
    const fuzzing::BankImage loaded(effect);
    const FileActionResult again = loadBankImage(effect, saved.data(), saved.size());
    FUZZ_CHECK(again.outcome == FileActionResult::kDone);
    FUZZ_CHECK(fuzzing::BankImage(effect) == loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzEdition(data, size, fullEdition());
    fuzzEdition(data, size, siblingEdition());
    return 0;
}
