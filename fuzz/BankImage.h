#pragma once
// Every name and value of a bank, to tell whether a rejected file changed anything.

#include <string>
#include <vector>

#include "presets/CPresetSystemEffect.h"

namespace fuzzing {

struct BankImage {
    explicit BankImage(const ambrel::CPresetSystemEffect& effect) {
        for (int slot = 0; slot < ambrel::kProgramSlots; ++slot) {
            const ambrel::CProgram* program = effect.program(slot);
            names.emplace_back(program->name());
            for (int i = 0; i < program->valueCount(); ++i) values.push_back(program->getParameterValue(i));
        }
    }
    bool operator==(const BankImage&) const = default;
    std::vector<std::string> names;
    std::vector<float> values;
};

inline bool sameProgram(const ambrel::CProgram& a, const ambrel::CProgram& b) {
    if (std::string(a.name()) != b.name() || a.valueCount() != b.valueCount()) return false;
    for (int i = 0; i < a.valueCount(); ++i)
        if (a.getParameterValue(i) != b.getParameterValue(i)) return false;
    return true;
}

// The same, apart from the global parameters, which every slot takes from the
// program last applied.
inline bool sameProgramApartFromGlobals(const ambrel::CProgram& a, const ambrel::CProgram& b,
                                        const ambrel::Edition& edition) {
    if (std::string(a.name()) != b.name() || a.valueCount() != b.valueCount()) return false;
    for (int i = 0; i < a.valueCount(); ++i)
        if (!edition.isGlobal(i) && a.getParameterValue(i) != b.getParameterValue(i)) return false;
    return true;
}

}  // namespace fuzzing
