#pragma once
// How the preset strip's program menu and name field map onto the program
// bank: entry 0 is the edit buffer (slot 0), entry 1 a separator, entries
// 2..31 slots 1..30; the rocker steps through the slots, slot 0 included.

#include <string>
#include <vector>

#include "presets/CPresetSystemEffect.h"
#include "presets/FactoryBank.h"

namespace ambrel {

inline constexpr const char* kMenuSeparator = "-";
inline constexpr int kMenuItemsPerColumn = 16;

// The slot an entry stands for; -1 for the separator or an entry outside the menu.
constexpr int slotOfMenuEntry(int entry) {
    if (entry == 0) return 0;
    if (entry >= 2 && entry <= kProgramSlots) return entry - 1;
    return -1;
}

// The slot one step up or down from `current`, held inside 0..30.
constexpr int steppedProgram(int current, bool up) {
    const int next = up ? current + 1 : current - 1;
    return next < 0 ? 0 : (next >= kProgramSlots ? kProgramSlots - 1 : next);
}

// A program name as the bank stores it: the first 24 characters.
std::string cutProgramName(const char* text);

// The menu's entries in order: slot 0's name, the separator, slots 1..30.
std::vector<std::string> programMenuEntries(const CPresetSystemEffect& effect);

}  // namespace ambrel
