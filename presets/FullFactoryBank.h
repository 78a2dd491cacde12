#pragma once
// The full edition's factory programs. Output is 0.4984 from slot 2 on, so the
// factory programs sit just under unity; the names are kept exactly as they
// were published ("HeavyRythmGuitar Trk" included).

#include "presets/FactoryBank.h"

namespace ambrel {

// The parameters that differ between the programs; all others are the same in every slot.
struct FactoryRow {
    const char* name;
    double mode, link, drive, knee, speed, release, highAdjust, lowAdjust, highFreq, lowFreq, ceiling, output, lowRel,
        highRel;
};

// clang-format off
inline constexpr FactoryRow kFactoryRows[kProgramSlots] = {
    // name                    Mode   Link   Drive  Knee   Speed  Rel    HiAdj  LoAdj  HiFrq  LoFrq  Ceil   Output LoRel  HiRel
    {"Current",                0,     1,     0.5,   0,     1,     0.5,   0.5,   0.5,   1,     0.5,   0.5,   0.5,   0.5,   0.5},
    {"Default",                0,     1,     0.5,   0,     1,     0.5,   0.5,   0.5,   1,     0.5,   0.5,   0.5,   0.5,   0.5},
    {"Mastering First Aid",    1,     1,     0.535, 0,     1,     0.5,   0.54,  0.55,  1,     0.57,  0.5,   0.4984, 0.5,   0.5},
    {"Mix First Aid 1",        1,     1,     0.55,  0,     0.5,   0.5,   0.75,  0.75,  0.65,  0.65,  0.5,   0.4984, 0.5,   0.5},
    {"Mix First Aid 2",        1,     1,     0.5,   0.1,   0.5,   0.5,   0.65,  0.57,  0.7,   0.65,  0.5,   0.4984, 0.5,   0.5},
    {"Mix First Aid 3",        1,     1,     0.6,   0,     1,     0.5,   0.56,  0.57,  1,     0.57,  0.5,   0.4984, 0.5,   0.5},
    {"Mix First Aid 4",        1,     1,     0.58,  0,     0.65,  0.5,   0.71,  0.71,  0.65,  0.75,  0.5,   0.4984, 0.5,   0.5},
    {"Mix Extra Pressure",     1,     1,     0.6,   0.2,   0.6,   0.75,  0.5,   0.5,   0.5,   0.5,   0.48,  0.4984, 0.5,   0.5},
    {"Mix Finalize 1",         1,     1,     0.65,  0,     0.4,   0.75,  0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.75,  0.25},
    {"Mix Finalize 2",         1,     1,     0.6,   0.1,   0.25,  0.75,  0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.75,  0.25},
    {"Mix Finalize 3",         1,     1,     0.55,  0.2,   0,     1,     0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.75,  0.25},
    {"Mix liteDriven Tape",    1,     1,     0.5,   0.15,  0,     0,     0.485, 0.54,  1,     0.4,   0.5,   0.4984, 0.75,  0.25},
    {"Mix semiDriven Tape",    1,     1,     0.5,   0.25,  0,     0,     0.485, 0.54,  1,     0.4,   0.5,   0.4984, 0.75,  0.25},
    {"Mix heavyDriven Tape",   1,     1,     0.5,   0.4,   0,     0,     0.485, 0.54,  1,     0.4,   0.5,   0.4984, 0.75,  0.25},
    {"MultiBandLimiter Slow",  1,     1,     0.5,   0,     1,     0.5,   0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"MultiBandLimiter Fast",  1,     1,     0.5,   0,     0.65,  0.5,   0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"MultiBandCompLim Light", 1,     1,     0.5,   0.3,   1,     1,     0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"MultiBandCompLim Med",   1,     1,     0.5,   0.5,   1,     1,     0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"MultiBandCompLim Heavy", 1,     1,     0.5,   0.75,  1,     1,     0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"Guitar Track",           0,     0,     0.8,   0.75,  0.472, 0.35,  0.75,  0.5,   0.3,   0.5,   0.3,   0.4984, 0.5,   0.5},
    {"Clean Guitar Track",     0,     0,     0.625, 0.155, 1,     0.31,  0.58,  0.35,  0.825, 0.575, 0.5,   0.4984, 0.5,   0.5},
    {"HeavyRythmGuitar Trk",   0,     0,     0.54,  0.18,  0.7,   1,     0.65,  0.35,  0.67,  0.5,   0.5,   0.4984, 0.5,   0.5},
    {"Lead Guitar 1 Track",    0,     0,     0.58,  0.09,  1,     0.31,  0.52,  0.35,  0.825, 0.575, 0.5,   0.4984, 0.5,   0.5},
    {"Lead Guitar 2 Track",    0,     0,     0.58,  0.09,  1,     0.22,  0.52,  0.475, 0.825, 0.575, 0.5,   0.4984, 0.5,   0.5},
    {"Vintage Guitar Trk",     0,     0,     0.75,  0.125, 0.145, 0.35,  0.25,  0.75,  0.75,  0.85,  0.375, 0.4984, 0.5,   0.5},
    {"Bass Line Track",        0,     0,     0.72,  0.45,  0.28,  0.45,  0.5,   0.665, 0.5,   0.6,   0.5,   0.4984, 0.5,   0.5},
    {"Funky Bass Drum Trk",    0,     0,     0.72,  0.082, 0.682, 0.82,  0.5,   0.665, 0.5,   0.5,   0.28,  0.4984, 0.5,   0.5},
    {"Snare Drum Track",       0,     0,     0.675, 0.3,   0,     0.5,   0.5,   0.5,   0.5,   0.5,   0.5,   0.4984, 0.5,   0.5},
    {"Track Tape Slow",        0,     0,     0.5,   0.2,   0.25,  0.5,   0.42,  0.4,   0.8,   0.1,   0.5,   0.4984, 0.5,   0.5},
    {"Track Tape Normal",      0,     1,     0.5,   0.25,  0.5,   0.5,   0.42,  0.42,  0.9,   0.15,  0.5,   0.4984, 0.5,   0.5},
    {"Track Tape Fast",        0,     0,     0.5,   0.25,  0.75,  0.5,   0.45,  0.42,  1,     0.2,   0.5,   0.4984, 0.5,   0.5},
};
// clang-format on

constexpr FactoryBank fullFactoryBank() {
    FactoryBank bank{};
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const FactoryRow& row = kFactoryRows[slot];
        FactoryProgram& program = bank.programs[static_cast<unsigned>(slot)];
        program.name = row.name;
        auto& v = program.values;  // 31..41 (spare) and everything else not named here stay 0
        v[kProcess] = 1.0;
        v[kMode] = row.mode;
        v[kMonoStereo] = 1.0;
        v[kLink] = row.link;
        v[kDrive] = row.drive;
        v[kKnee] = row.knee;
        v[kSpeed] = row.speed;
        v[kRelease] = row.release;
        v[kHighAdjust] = row.highAdjust;
        v[kLowAdjust] = row.lowAdjust;
        v[kHighFreq] = row.highFreq;
        v[kLowFreq] = row.lowFreq;
        v[kMix] = 1.0;
        v[kCeiling] = row.ceiling;
        v[kOutput] = row.output;
        v[kLowSat] = v[kMidSat] = v[kHighSat] = 0.5;
        v[kLowRel] = row.lowRel;
        v[kMidRel] = 0.5;
        v[kHighRel] = row.highRel;
        v[kMeters] = 0.5;
        v[kFineTune] = 1.0;
        v[kBrickwall] = 1.0;
    }
    return bank;
}

inline constexpr FactoryBank kFullFactoryBank = fullFactoryBank();

}  // namespace ambrel
