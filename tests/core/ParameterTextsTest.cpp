#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "core/Edition.h"
#include "core/ParameterTexts.h"

using namespace ambrel;

namespace {

struct Texts {
    std::string name, label;
};

// 0xAA fill so that a missing terminator or a stale byte shows.
struct Buffer {
    char bytes[13];
    Buffer() { std::memset(bytes, 0xAA, sizeof bytes); }
};

Texts textsOf(const Edition& e, int index) {
    Buffer name, label;
    parameterName(e, index, name.bytes);
    parameterLabel(e, index, label.bytes);
    return {name.bytes, label.bytes};
}

std::string displayOf(const Edition& e, int index, double v, double lr = 0.0, double fine = 1.0) {
    Buffer text;
    parameterDisplay(e, index, DisplayInputs{v, lr, fine}, text.bytes);
    return text.bytes;
}

struct NameRow {
    int index;
    const char* name;
    const char* label;
};

// Every named index of the full edition, blanks exactly as shown to the host.
const NameRow kFullNames[] = {
    {0, " Process ", ""},         {1, " Mode", ""},            {2, " Mono Stereo", ""},
    {3, " Link", ""},             {4, " Drive ", " dB "},      {5, " Knee ", " % "},
    {6, " Speed ", " % "},        {7, " Release ", " * "},     {8, " HighAdjust ", " dB "},
    {9, " LowAdjust ", " dB "},   {10, " HighFreq ", " Hz "},  {11, " LowFreq ", " Hz "},
    {12, " Mix ", " % "},         {13, " Ceiling ", " dB "},   {14, " Output ", " dB "},
    {15, " LowSat", " dB "},      {16, " MidSat ", " dB "},    {17, " HighSat ", " dB "},
    {18, " LowRel ", " * "},      {19, " MidRel ", " * "},     {20, " HighRel ", " * "},
    {21, " Meters ", ""},         {22, " MeterType ", ""},     {23, "-", " ms "},
    {24, " FineTune ", " % "},    {25, " MeterScale ", " dB "}, {26, " FAT ", ""},
    {27, " Long ", ""},           {28, " Auto ", ""},          {29, " Brickwall ", ""},
    {30, " L R ", ""},            {43, " VU Integr ", " ms "}, {44, " VU Refer ", " dBFS "},
    {45, " PPM Integr ", " ms "}, {46, " PPM Return ", " ms "}, {47, " OverIndic ", " samples "},
    {48, " Knob Mode ", " "},
};

// Sibling index -> the full-edition index whose texts it shows.
const int kSiblingSameAs[][2] = {
    {0, 0},   {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {6, 6},   {7, 7},   {8, 8},
    {9, 9},   {10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14}, {15, 15}, {16, 16}, {17, 17},
    {18, 18}, {19, 19}, {20, 20}, {21, 21}, {22, 22}, {27, 23}, {28, 24}, {32, 27}, {33, 28},
    {34, 29}, {35, 25}, {36, 30}, {49, 43}, {50, 44}, {51, 45}, {52, 46}, {53, 47}, {54, 48},
};

const NameRow* fullRowOf(int index) {
    for (const NameRow& r : kFullNames)
        if (r.index == index) return &r;
    return nullptr;
}

}  // namespace

TEST(ParameterTexts, FullEditionNamesAndLabelsOfEveryIndex) {
    const Edition& e = fullEdition();
    for (int i = -2; i < 70; ++i) {
        const NameRow* row = fullRowOf(i);
        const Texts t = textsOf(e, i);
        EXPECT_EQ(t.name, row ? row->name : "-") << i;
        EXPECT_EQ(t.label, row ? row->label : "-") << i;
        if (!row) {
            EXPECT_EQ(displayOf(e, i, 0.7), "") << i;  // spares, channel mode and beyond
        }
    }
}

TEST(ParameterTexts, SiblingEditionNamesAndLabelsOfEveryIndex) {
    const Edition& e = siblingEdition();
    for (int i = -2; i < 70; ++i) {
        const NameRow* row = nullptr;
        for (const auto& pair : kSiblingSameAs)
            if (pair[0] == i) row = fullRowOf(pair[1]);
        const Texts t = textsOf(e, i);
        if (i == 31) {  // the FAT slot, shown as a spare switch
            EXPECT_EQ(t.name, "-");
            EXPECT_EQ(t.label, "");
            EXPECT_EQ(displayOf(e, i, 1.0), "-");
            continue;
        }
        EXPECT_EQ(t.name, row ? row->name : "-") << i;
        EXPECT_EQ(t.label, row ? row->label : "-") << i;
        if (!row) {
            EXPECT_EQ(displayOf(e, i, 0.7), "") << i;  // spares, channel mode and beyond
        }
    }
}

TEST(ParameterTexts, HugeAndNegativeIndicesAreSpares) {
    for (const Edition* e : {&fullEdition(), &siblingEdition()}) {
        for (int i : {INT_MIN, -1, 66, 1000, INT_MAX}) {
            const Texts t = textsOf(*e, i);
            EXPECT_EQ(t.name, "-");
            EXPECT_EQ(t.label, "-");
            EXPECT_EQ(displayOf(*e, i, 1.0), "");
            VstParameterProperties p{};
            EXPECT_FALSE(parameterProperties(*e, i, &p));
        }
        parameterName(*e, 0, nullptr);  // no buffer: nothing happens
        parameterDisplay(*e, 4, {}, nullptr);
        EXPECT_FALSE(parameterProperties(*e, 0, nullptr));
    }
}

struct DisplayRow {
    int index;
    double value;
    double leftRight;
    double fine;
    const char* text;
};

// Full-edition indices; for the sibling the same rows run at its own numbers
// except where its formulas differ.
const DisplayRow kSharedDisplays[] = {
    {0, 0.0, 0, 1, " Off "},         {0, 0.5, 0, 1, " On "},          {0, 1.0, 0, 1, " On "},
    {1, 0.49, 0, 1, " SingleBnd "},  {1, 0.5, 0, 1, " MultiBand "},
    {2, 1.0, 0.0, 1, " Stereo "},    {2, 0.5, 0.332, 1, " Stereo "},  {2, 0.0, 0.0, 1, " Mono "},
    {2, 0.49, 0.332, 1, " Mono "},   {2, 1.0, 0.333, 1, " L-R "},     {2, 0.0, 0.5, 1, " L-R "},
    {2, 0.0, 1.0, 1, " L-R "},       {2, 1.0, 1.0, 1, " L-R "},
    {3, 0.0, 0, 1, " Unlinked "},    {3, 1.0, 0, 1, " Linked "},
    {4, 0.5, 0, 1, "0.00"},          {4, 0.0, 0, 1, "-24.00"},        {4, 1.0, 0, 1, "24.00"},
    {4, 0.3, 0, 1, "-9.60"},         {4, 0.0, 0, 0.125, "-3.00"},     {4, 1.0, 0, 0.125, "3.00"},
    {4, 0.75, 0, 0.25, "3.00"},
    {5, 0.0, 0, 1, "0.0"},           {5, 0.1234, 0, 1, "12.3"},       {5, 1.0, 0, 1, "100.0"},
    {6, 0.5, 0, 1, "50.0"},          {12, 1.0, 0, 1, "100.0"},
    {7, 0.0, 0, 1, "0.25"},          {7, 0.5, 0, 1, "1.00"},          {7, 1.0, 0, 1, "4.00"},
    {8, 0.0, 0, 1, "-12.00"},        {8, 1.0, 0, 0.125, "1.50"},      {9, 0.0, 0, 0.125, "-1.50"},
    {9, 0.5, 0, 0.5, "0.00"},
    {10, 0.0, 0, 1, "1000"},         {10, 0.5, 0, 1, "4000"},         {10, 1.0, 0, 1, "16000"},
    {11, 0.0, 0, 1, "25.0"},         {11, 0.5, 0, 1, "100.0"},        {11, 1.0, 0, 1, "400.0"},
    {13, 0.0, 0, 1, "-12.00"},       {13, 0.5, 0, 1, "0.00"},         {13, 1.0, 0, 0.125, "4.24"},
    {14, 0.0, 0, 0.125, "-4.24"},    {14, 1.0, 0, 0.25, "6.00"},
    {21, 0.0, 0, 1, " Pre "},        {21, 0.3333, 0, 1, " Pre "},     {21, 0.34, 0, 1, " GainRed "},
    {21, 0.6666, 0, 1, " GainRed "}, {21, 0.6666667, 0, 1, " Post "}, {21, 1.0, 0, 1, " Post "},
    {22, 0.0, 0, 1, " VU "},         {22, 0.5, 0, 1, " PPM "},
    {23, 0.0, 0, 1, "-"},            {23, 0.7, 0, 1, "-"},
    {24, 0.0, 0, 0.125, "13"},       {24, 1.0 / 3, 0, 0.25, "25"},    {24, 2.0 / 3, 0, 0.5, "50"},
    {24, 1.0, 0, 1.0, "100"},
    {25, 0.0, 0, 1, "-20..+3"},      {25, 0.5, 0, 1, "-40..+6"},
    {27, 0.0, 0, 1, " Off "},        {27, 1.0, 0, 1, " Long "},
    {28, 0.0, 0, 1, " Off "},        {28, 1.0, 0, 1, " Auto "},
    {29, 0.0, 0, 1, " Off "},        {29, 1.0, 0, 1, " BrickWall "},  // the name spells " Brickwall "
    {30, 0.0, 0, 1, " OO-O"},        {30, 0.332, 0, 1, " OO-O"},      {30, 0.333, 0, 1, " L "},
    {30, 0.5, 0, 1, " L "},          {30, 0.659, 0, 1, " L "},        {30, 0.66, 0, 1, " R "},
    {30, 1.0, 0, 1, " R "},
    {43, 0.0, 0, 1, "30"},           {43, 0.5, 0, 1, "300"},          {43, 1.0, 0, 1, "3000"},
    {44, 0.0, 0, 1, "0.1"},          {44, 0.5, 0, 1, "0.2"},          {44, 1.0, 0, 1, "1.0"},
    {45, 0.0, 0, 1, "0"},            {45, 0.5, 0, 1, "9"},            {45, 1.0, 0, 1, "100"},
    {46, 0.0, 0, 1, "100"},          {46, 0.5, 0, 1, "1000"},         {46, 1.0, 0, 1, "10000"},
    {47, 0.0, 0, 1, "1.000000"},     {47, 0.5, 0, 1, "6.000000"},     {47, 2.0 / 9, 0, 1, "3.000000"},
    {47, 1.0, 0, 1, "10.000000"},
    {48, 0.0, 0, 1, " Circular "},   {48, 0.5, 0, 1, " Linear "},
};

// The full edition's own Sat and Rel displays.
const DisplayRow kFullOnlyDisplays[] = {
    {15, 0.0, 0, 1, "-12.00"}, {16, 0.5, 0, 1, "0.00"},  {17, 1.0, 0, 1, "12.00"},
    {17, 0.75, 0, 0.125, "6.00"},  // Sat ignores FineTune
    {18, 0.0, 0, 1, "0.06"},   {19, 0.5, 0, 1, "1.00"},  {20, 1.0, 0, 1, "16.00"},
    {26, 0.0, 0, 1, " Off "},  {26, 1.0, 0, 1, " FAT "},
};

const DisplayRow kSiblingOnlyDisplays[] = {
    {15, 0.0, 0, 1, "-6.00"}, {16, 0.5, 0, 1, "0.00"}, {17, 1.0, 0, 1, "6.00"},
    {18, 0.0, 0, 1, "0.25"},  {19, 0.5, 0, 1, "1.00"}, {20, 1.0, 0, 1, "4.00"},
};

int siblingIndexOf(int fullIndex) {
    for (const auto& pair : kSiblingSameAs)
        if (pair[1] == fullIndex) return pair[0];
    return -1;
}

TEST(ParameterTexts, FullEditionDisplays) {
    const Edition& e = fullEdition();
    for (const DisplayRow& r : kSharedDisplays)
        EXPECT_EQ(displayOf(e, r.index, r.value, r.leftRight, r.fine), r.text) << r.index << " at " << r.value;
    for (const DisplayRow& r : kFullOnlyDisplays)
        EXPECT_EQ(displayOf(e, r.index, r.value, r.leftRight, r.fine), r.text) << r.index << " at " << r.value;
}

TEST(ParameterTexts, SiblingEditionDisplays) {
    const Edition& e = siblingEdition();
    for (const DisplayRow& r : kSharedDisplays) {
        const int index = siblingIndexOf(r.index);
        ASSERT_GE(index, 0) << r.index;
        EXPECT_EQ(displayOf(e, index, r.value, r.leftRight, r.fine), r.text) << index << " at " << r.value;
    }
    for (const DisplayRow& r : kSiblingOnlyDisplays)
        EXPECT_EQ(displayOf(e, r.index, r.value, r.leftRight, r.fine), r.text) << r.index << " at " << r.value;
}

TEST(ParameterTexts, Properties) {
    struct Row {
        int index;
        bool isSwitch;
        int maximum;  // 0: no properties
    };
    const Row full[] = {{0, true, 1},   {1, true, 1},   {2, true, 1},   {3, true, 1},   {4, false, 0},
                        {20, false, 0}, {21, false, 2}, {22, true, 1},  {23, false, 0}, {24, false, 3},
                        {25, true, 1},  {26, true, 1},  {27, true, 1},  {28, true, 1},  {29, true, 1},
                        {30, false, 0}, {31, false, 0}, {41, false, 0}, {47, false, 0}, {48, false, 0},
                        {57, false, 0}};
    const Row sibling[] = {{0, true, 1},   {21, false, 2}, {22, true, 1},  {23, false, 0}, {25, false, 0},
                           {26, false, 0}, {27, false, 0}, {28, false, 3}, {29, false, 0}, {31, true, 1},
                           {32, true, 1},  {33, true, 1},  {34, true, 1},  {35, true, 1},  {36, false, 0},
                           {47, false, 0}, {54, false, 0}, {65, false, 0}};
    auto check = [](const Edition& e, const Row& r) {
        VstParameterProperties p;
        std::memset(&p, 0x55, sizeof p);
        const bool answered = parameterProperties(e, r.index, &p);
        ASSERT_EQ(answered, r.maximum > 0) << r.index;
        if (!answered) return;
        const VstInt32 flags = kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep |
                               (r.isSwitch ? kVstParameterIsSwitch : 0);
        EXPECT_EQ(p.flags, flags) << r.index;
        EXPECT_EQ(p.minInteger, 0);
        EXPECT_EQ(p.maxInteger, r.maximum) << r.index;
        EXPECT_EQ(p.stepInteger, 1);
        EXPECT_EQ(p.largeStepInteger, 1);
        EXPECT_EQ(p.label[0], 0);  // the rest is cleared, not left to the host's bytes
    };
    for (const Row& r : full) check(fullEdition(), r);
    for (const Row& r : sibling) check(siblingEdition(), r);
}

TEST(ParameterTexts, EveryTextFitsAThirteenByteBuffer) {
    for (const Edition* e : {&fullEdition(), &siblingEdition()}) {
        for (int index = -1; index <= e->numIndices; ++index) {
            for (double fine : {0.125, 0.25, 0.5, 1.0}) {
                for (int step = 0; step <= 20; ++step) {
                    char bytes[32];
                    std::memset(bytes, 0x55, sizeof bytes);
                    parameterDisplay(*e, index, DisplayInputs{step / 20.0, step / 20.0, fine}, bytes);
                    EXPECT_LE(std::strlen(bytes), 12u) << index;
                    EXPECT_EQ(bytes[13], 0x55) << index;
                }
            }
            char name[32], label[32];
            parameterName(*e, index, name);
            parameterLabel(*e, index, label);
            EXPECT_LE(std::strlen(name), 12u) << index;
            EXPECT_LE(std::strlen(label), 12u) << index;
        }
    }
}
