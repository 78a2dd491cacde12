#pragma once
// One description per edition: everything in which the two plug-ins built from
// these sources differ. Code asks the edition; it never tests which one it is.

#include <array>
#include <cstdint>
#include <span>

#include "core/ParameterRole.h"

namespace ambrel {

struct FactoryBank;  // presets/FactoryBank.h

// Host rates below 50000 Hz, below 100000 Hz, and above.
enum RateBand : int { kRateBandLow = 0, kRateBandMid = 1, kRateBandHigh = 2 };

inline RateBand rateBandOf(double hostRate) {
    if (hostRate < 50000.0) return kRateBandLow;
    if (hostRate < 100000.0) return kRateBandMid;
    return kRateBandHigh;
}

struct RateBandTable {
    std::array<int, 3> delayLength;      // N: dry and wet rings, alignment line
    std::array<int, 3> lookAheadLength;  // M: look-ahead buffers and peak trackers
    std::array<int, 3> latencySamples;   // what the host is told
};

// v -> base * span^v, the engine value of a Sat or Rel parameter.
struct ExponentialMapping {
    double base;
    double span;
};

// v -> scale * v - offset, the dB display of a Sat parameter.
struct LinearDisplay {
    double scale;
    double offset;
};

// Parameter set: the texts an edition shows for one of its indices in place of
// the texts of the index's role (the role's properties and behaviour stay).
struct ParameterTextOverride {
    int index;
    const char* name;
    const char* label;
    const char* display;
};

inline constexpr int kMaxParameterIndices = 66;  // largest editor-only index + 1 of any edition
inline constexpr int kGlobalParameterCount = 7;

struct Edition {
    // Identity, as the host sees it.
    const char* effectName;
    const char* productString;
    const char* vendorString;
    std::int32_t uniqueId;  // four-character code, first character in the top byte
    std::int32_t vendorVersion;

    // Parameter numbering.
    int numParams;   // seen by the host and held by every program slot
    int numIndices;  // size of the stored-value table (editor-only indices included)
    std::array<ParameterRole, kMaxParameterIndices> roleOfIndex;  // kRoleNone for spares
    std::array<int, kGlobalParameterCount> globalIndices;  // written into every slot

    // Processing variants.
    bool hasOversampling;          // FAT exists; the callback has resampler steps
    bool reportsFatAtConstruction; // construction sends FAT off to the host
    ExponentialMapping satMapping;
    LinearDisplay satDisplay;
    ExponentialMapping relMapping;
    RateBandTable rateBands;

    // Preset system.
    const FactoryBank* factoryBank;  // the programs the 31 slots are filled from

    // Parameter set.
    std::span<const ParameterTextOverride> textOverrides;
    const ParameterTextOverride* textOverrideFor(int index) const {
        for (const ParameterTextOverride& o : textOverrides)
            if (o.index == index) return &o;
        return nullptr;
    }

    // Derived helpers.
    ParameterRole roleOf(int index) const {
        if (index < 0 || index >= numIndices) return kRoleNone;
        return roleOfIndex[static_cast<unsigned>(index)];
    }
    int indexOf(ParameterRole role) const {
        for (int i = 0; i < numIndices; ++i)
            if (roleOfIndex[static_cast<unsigned>(i)] == role) return i;
        return -1;
    }
    bool isGlobal(int index) const {
        for (int g : globalIndices)
            if (g == index) return true;
        return false;
    }
    int delayLength(double hostRate) const { return rateBands.delayLength[rateBandOf(hostRate)]; }
    int lookAheadLength(double hostRate) const { return rateBands.lookAheadLength[rateBandOf(hostRate)]; }
    int latencySamples(double hostRate) const { return rateBands.latencySamples[rateBandOf(hostRate)]; }
};

// Both descriptions exist in the library so that tests can exercise either.
const Edition& fullEdition();     // "ZEM Ambrel2", Ambrel2x64
const Edition& siblingEdition();  // "ZEM Ambrel", Ambrel_x64

// The edition a plug-in binary is built as; defined once per plug-in target.
const Edition& activeEdition();

constexpr std::int32_t fourCharCode(char a, char b, char c, char d) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                     (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                     (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                     static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

}  // namespace ambrel
