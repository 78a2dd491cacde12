#pragma once
// The four file actions underneath the preset strip's load and save buttons.
// Each takes the full path the user chose and the effect, and answers what the
// editor must show: nothing, an "Error..." message, or the new program name
// (and after a bank load the names for the program menu). Files are opened by
// their full path; the process's current directory is never changed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "presets/CPresetSystemEffect.h"

namespace ambrel {

struct FileActionResult {
    enum Outcome {
        kNothingDone,  // the file could not be opened or there is no bank: nothing to show
        kError,        // show `message` with the caption kFileErrorCaption
        kDone,
    };
    Outcome outcome = kNothingDone;
    const char* message = nullptr;
    // After a load: the program-name field's text, and the slot the menu shows
    // as current (menu entry 0 for slot 0, entry slot + 1 above, see menuEntryOfSlot).
    std::string programName;
    int currentSlot = 0;
    // After a bank load: the names of all 31 slots, slot 0 first.
    std::vector<std::string> slotNames;
};

// The program menu has a separator as its entry 1.
constexpr int menuEntryOfSlot(int slot) { return slot == 0 ? 0 : slot + 1; }

// Loads a bank into the slots (a legacy bank leaves slot 30 and parameters
// 30 and up as they were), then selects slot 0.
FileActionResult loadBankFile(CPresetSystemEffect& effect, const std::string& path);
// Loads a preset into the current slot, tells the editor the name, then selects that slot.
FileActionResult loadPresetFile(CPresetSystemEffect& effect, const std::string& path);
// Write all 31 slots, or the current slot; an existing file is replaced only whole.
FileActionResult saveBankFile(CPresetSystemEffect& effect, const std::string& path);
FileActionResult savePresetFile(CPresetSystemEffect& effect, const std::string& path);

// The same loads from a file image already read; a rejected image changes nothing.
FileActionResult loadBankImage(CPresetSystemEffect& effect, const std::uint8_t* data, std::size_t size);
FileActionResult loadPresetImage(CPresetSystemEffect& effect, const std::uint8_t* data, std::size_t size);

}  // namespace ambrel
