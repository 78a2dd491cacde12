#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/Edition.h"
#include "presets/CProgram.h"
#include "presets/FactoryBank.h"

using namespace ambrel;

namespace {

const char* const kFactoryNames[kProgramSlots] = {
    "Current", "Default", "Mastering First Aid", "Mix First Aid 1", "Mix First Aid 2", "Mix First Aid 3",
    "Mix First Aid 4", "Mix Extra Pressure", "Mix Finalize 1", "Mix Finalize 2", "Mix Finalize 3",
    "Mix liteDriven Tape", "Mix semiDriven Tape", "Mix heavyDriven Tape", "MultiBandLimiter Slow",
    "MultiBandLimiter Fast", "MultiBandCompLim Light", "MultiBandCompLim Med", "MultiBandCompLim Heavy",
    "Guitar Track", "Clean Guitar Track", "HeavyRythmGuitar Trk", "Lead Guitar 1 Track", "Lead Guitar 2 Track",
    "Vintage Guitar Trk", "Bass Line Track", "Funky Bass Drum Trk", "Snare Drum Track", "Track Tape Slow",
    "Track Tape Normal", "Track Tape Fast"};

// "Default" in the full numbering, written out independently of the table.
const double kDefaultValues[42] = {1, 0, 1, 1, 0.5, 0, 1, 0.5, 0.5, 0.5, 1, 0.5, 1, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5,
                                   0.5, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

TEST(CProgram, NewProgramIsInitWithDefaultValues) {
    for (const Edition* edition : {&fullEdition(), &siblingEdition()}) {
        const CProgram program(edition->factoryBank->programs[1], edition->numParams);
        char name[kNameLength + 1];
        program.getName(name);
        EXPECT_STREQ(name, "init");
        EXPECT_EQ(program.valueCount(), edition->numParams);
        for (int i = 0; i < edition->numParams; ++i)
            EXPECT_EQ(program.getParameterValue(i), static_cast<float>(edition->factoryBank->programs[1].values[i]));
    }
    const CProgram full(fullEdition().factoryBank->programs[1], 42);
    for (int i = 0; i < 42; ++i) EXPECT_EQ(full.getParameterValue(i), static_cast<float>(kDefaultValues[i])) << i;
}

TEST(CProgram, NamesAreCutAt24AndZeroFilledBehind) {
    CProgram program(fullEdition().factoryBank->programs[1], 42);
    program.setName("abcdefghijklmnopqrstuvwxyz0123");  // 30 characters
    char name[kNameLength + 1];
    std::memset(name, 'x', sizeof name);
    program.getName(name);
    EXPECT_STREQ(name, "abcdefghijklmnopqrstuvwx");
    program.setName("short");
    std::memset(name, 'x', sizeof name);
    program.getName(name);
    for (int i = 5; i <= kNameLength; ++i) EXPECT_EQ(name[i], 0) << "byte " << i;
    EXPECT_STREQ(name, "short");
    program.setName(nullptr);
    EXPECT_STREQ(program.name(), "");
}

TEST(CProgram, ValuesAreClampedAndIndicesChecked) {
    struct Case {
        int valueCount;
        int index;
        float stored;
        float expected;  // what getParameterValue(index) then reads
    };
    const Case cases[] = {
        {42, 3, 1.7f, 1.0f},          {42, 3, -0.2f, 0.0f},  {42, 3, 0.25f, 0.25f},
        {42, 3, std::nanf(""), 0.0f}, {42, 41, 0.75f, 0.75f}, {42, 42, 0.75f, -1.0f},
        {42, -1, 0.75f, -1.0f},       {48, 47, 0.75f, 0.75f}, {48, 48, 0.75f, -1.0f},
    };
    for (const Case& c : cases) {
        CProgram program(fullEdition().factoryBank->programs[1], c.valueCount);
        program.setParameterValue(c.index, c.stored);
        EXPECT_EQ(program.getParameterValue(c.index), c.expected) << "index " << c.index << " value " << c.stored;
    }
    // An ignored index leaves every stored value alone.
    CProgram program(fullEdition().factoryBank->programs[1], 42);
    program.setParameterValue(-5, 0.3f);
    program.setParameterValue(42, 0.3f);
    for (int i = 0; i < 42; ++i) EXPECT_EQ(program.getParameterValue(i), static_cast<float>(kDefaultValues[i]));
}

TEST(FactoryBank, BothEditionsCarryTheNamesExactly) {
    for (const Edition* edition : {&fullEdition(), &siblingEdition()})
        for (int slot = 0; slot < kProgramSlots; ++slot)
            EXPECT_STREQ(edition->factoryBank->programs[slot].name, kFactoryNames[slot]) << slot;
    EXPECT_EQ(std::strlen(kFactoryNames[18]), 22u);
}

TEST(FactoryBank, FullEditionColumns) {
    const FactoryBank& bank = *fullEdition().factoryBank;
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const auto& v = bank.programs[slot].values;
        for (int i : {0, 2, 12, 24, 29}) EXPECT_EQ(v[i], 1.0) << slot << "/" << i;
        for (int i : {15, 16, 17, 19, 21}) EXPECT_EQ(v[i], 0.5) << slot << "/" << i;
        for (int i : {22, 23, 25, 26, 27, 28, 30, 31, 35, 41}) EXPECT_EQ(v[i], 0.0) << slot << "/" << i;
        EXPECT_EQ(v[14], slot >= 2 ? 0.4984 : 0.5) << slot;
        for (int i = 42; i < kMaxProgramValues; ++i) EXPECT_EQ(v[i], 0.0);
    }
    // Two whole rows of the differing columns: 1 3 4 5 6 7 8 9 10 11 13 18 20.
    const int columns[] = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 18, 20};
    const double mixFinalize1[] = {1, 1, 0.65, 0, 0.4, 0.75, 0.5, 0.5, 0.5, 0.5, 0.5, 0.75, 0.25};
    const double vintageGuitar[] = {0, 0, 0.75, 0.125, 0.145, 0.35, 0.25, 0.75, 0.75, 0.85, 0.375, 0.5, 0.5};
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(bank.programs[8].values[columns[k]], mixFinalize1[k]) << columns[k];
        EXPECT_EQ(bank.programs[24].values[columns[k]], vintageGuitar[k]) << columns[k];
    }
    EXPECT_EQ(bank.programs[29].values[3], 1.0);  // the one tape program that links
    EXPECT_EQ(bank.programs[26].values[6], 0.682);
}

TEST(FactoryBank, SiblingMatchesByRoleWithItsReleaseException) {
    const FactoryBank& full = *fullEdition().factoryBank;
    const FactoryBank& sibling = *siblingEdition().factoryBank;
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const auto& f = full.programs[slot].values;
        const auto& s = sibling.programs[slot].values;
        for (int i = 0; i <= 17; ++i) EXPECT_EQ(s[i], f[i]) << slot << "/" << i;
        EXPECT_EQ(s[19], f[19]);
        EXPECT_EQ(s[21], 0.5);
        EXPECT_EQ(s[22], 0.0);
        const bool slowLowFastHigh = slot >= 8 && slot <= 13;
        EXPECT_EQ(s[18], slowLowFastHigh ? 1.0 : 0.5) << slot;
        EXPECT_EQ(s[20], slowLowFastHigh ? 0.0 : 0.5) << slot;
        EXPECT_EQ(s[27], 0.0);  // the unnamed index
        EXPECT_EQ(s[28], 1.0);  // FineTune
        EXPECT_EQ(s[31], 0.0);  // FAT, held off
        EXPECT_EQ(s[32], 0.0);  // Long
        EXPECT_EQ(s[33], 0.0);  // Auto
        EXPECT_EQ(s[34], 1.0);  // Brickwall
        EXPECT_EQ(s[35], 0.0);  // MeterScale
        EXPECT_EQ(s[36], 0.0);  // L R
        for (int i : {23, 24, 25, 26, 29, 30, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47})
            EXPECT_EQ(s[i], 0.0) << slot << "/" << i;
    }
    EXPECT_EQ(full.programs[8].values[18], 0.75);  // the full edition keeps its own
}
