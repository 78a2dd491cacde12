#pragma once
// The factory programs an edition builds its 31 program slots from, and the
// sizes every program shares.

#include <array>

#include "core/ParameterRole.h"

namespace ambrel {

inline constexpr int kProgramSlots = 31;     // slot 0 the edit buffer, 1 "Default", 2..30 factory
inline constexpr int kNameLength = 24;       // characters of a program name, terminator not counted
inline constexpr int kMaxProgramValues = 48; // the most parameters any edition shows the host

struct FactoryProgram {
    const char* name;
    std::array<double, kMaxProgramValues> values;  // by the edition's parameter index; unused entries 0
};

struct FactoryBank {
    std::array<FactoryProgram, kProgramSlots> programs;
};

// A bank for another parameter numbering: each index takes the value of the
// full-edition parameter with the same role, and 0.0 where there is none.
template <std::size_t N>
constexpr FactoryBank factoryBankByRole(const FactoryBank& full, const std::array<ParameterRole, N>& roleOfIndex,
                                        int numParams) {
    FactoryBank bank{};
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const FactoryProgram& source = full.programs[static_cast<unsigned>(slot)];
        FactoryProgram& target = bank.programs[static_cast<unsigned>(slot)];
        target.name = source.name;
        for (int i = 0; i < kMaxProgramValues; ++i) {
            double value = 0.0;
            if (i < numParams && static_cast<std::size_t>(i) < N) {
                const int role = roleOfIndex[static_cast<unsigned>(i)];
                if (role >= 0 && role < kMaxProgramValues) value = source.values[static_cast<unsigned>(role)];
            }
            target.values[static_cast<unsigned>(i)] = value;
        }
    }
    return bank;
}

}  // namespace ambrel
