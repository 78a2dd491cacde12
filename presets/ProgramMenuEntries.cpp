#include "presets/ProgramMenuEntries.h"

namespace ambrel {

std::string cutProgramName(const char* text) {
    std::string name;
    if (!text) return name;
    for (int i = 0; i < kNameLength && text[i] != 0; ++i) name.push_back(text[i]);
    return name;
}

std::vector<std::string> programMenuEntries(const CPresetSystemEffect& effect) {
    std::vector<std::string> entries;
    if (!effect.hasPrograms()) return entries;
    entries.reserve(kProgramSlots + 1);
    entries.emplace_back(effect.program(0)->name());
    entries.emplace_back(kMenuSeparator);
    for (int slot = 1; slot < kProgramSlots; ++slot) entries.emplace_back(effect.program(slot)->name());
    return entries;
}

}  // namespace ambrel
