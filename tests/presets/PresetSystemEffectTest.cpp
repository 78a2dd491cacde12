#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProductStandIn.h"

using namespace ambrel;
using testsupport::countCalls;
using testsupport::HostCall;
using testsupport::hostCalls;
using testsupport::ProductStandIn;
using testsupport::recordingHost;

namespace {

struct NameRecorder : CPresetSystemListener {
    void programNameChanged(const char* name) override { names.emplace_back(name); }
    std::vector<std::string> names;
};

class EditionTest : public ::testing::TestWithParam<const Edition*> {
protected:
    const Edition& edition() const { return *GetParam(); }
};

std::string programName(CPresetSystemEffect& effect) {
    char name[64] = {};
    effect.getProgramName(name);
    return name;
}

}  // namespace

TEST_P(EditionTest, StateAfterConstruction) {
    hostCalls().clear();
    ProductStandIn effect(recordingHost, edition());
    EXPECT_EQ(effect.getAeffect()->numPrograms, 1);
    EXPECT_EQ(effect.getAeffect()->numParams, edition().numParams);
    EXPECT_EQ(programName(effect), "Current");
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    for (int i = 0; i < edition().numParams; ++i)
        EXPECT_EQ(effect.values[i], static_cast<float>(edition().factoryBank->programs[1].values[i])) << i;
    for (int slot = 0; slot < kProgramSlots; ++slot)
        EXPECT_STREQ(effect.program(slot)->name(), edition().factoryBank->programs[slot].name);
    EXPECT_EQ(countCalls(audioMasterBeginEdit), edition().numParams);

    char text[64] = "untouched";
    EXPECT_FALSE(effect.getProgramNameIndexed(0, 1, text));
    EXPECT_STREQ(text, "untouched");
    EXPECT_TRUE(effect.getProgramNameIndexed(7, 0, text));
    EXPECT_STREQ(text, "Current");
    void* chunk = &effect;
    EXPECT_EQ(effect.getChunk(&chunk, false), 0);
    EXPECT_EQ(chunk, nullptr);
    effect.setProgram(5);  // the host cannot switch slots
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
}

TEST_P(EditionTest, SelectSendsBeginTwoAutomatesAndEndPerParameterInOrder) {
    ProductStandIn effect(recordingHost, edition());
    hostCalls().clear();
    effect.selectProgram(7);

    const FactoryProgram& factory = edition().factoryBank->programs[7];
    std::vector<HostCall> expected;
    for (int i = 0; i < edition().numParams; ++i) {
        const float v = static_cast<float>(factory.values[i]);
        expected.push_back({audioMasterBeginEdit, i, 0.0f});
        expected.push_back({audioMasterAutomate, i, v});  // what getParameter now answers
        expected.push_back({audioMasterAutomate, i, v});
        expected.push_back({audioMasterEndEdit, i, 0.0f});
    }
    expected.push_back({audioMasterUpdateDisplay, 0, 0.0f});
    EXPECT_EQ(hostCalls(), expected);

    EXPECT_EQ(effect.getCurrentProgramIndex(), 7);
    EXPECT_STREQ(effect.program(0)->name(), "Mix Extra Pressure");
    EXPECT_EQ(programName(effect), "Mix Extra Pressure");
    for (int i = 0; i < edition().numParams; ++i) {
        EXPECT_EQ(effect.program(0)->getParameterValue(i), effect.program(7)->getParameterValue(i));
        EXPECT_EQ(effect.values[i], static_cast<float>(factory.values[i]));
    }
    EXPECT_FALSE(effect.isLoadingProgram());
}

TEST_P(EditionTest, EditsLandInSlotZeroAndCurrentGlobalsInEverySlot) {
    ProductStandIn effect(recordingHost, edition());
    effect.selectProgram(7);
    struct Case {
        int index;
        float value;
        bool everySlot;
        bool anySlot;
    };
    const int meterPreference = edition().indexOf(kPpmIntegr);
    const int leftRight = edition().indexOf(kLeftRight);
    const Case cases[] = {
        {4, 0.9f, false, true},
        {21, 1.0f, true, true},
        {edition().globalIndices[4], 0.3f, true, true},  // the unnamed index in either numbering
        {leftRight, 0.5f, false, true},
        {meterPreference, 0.7f, false, false},
        {edition().numParams, 0.7f, false, false},
    };
    for (const Case& c : cases) {
        const testsupport::BankSnapshot before(effect);
        effect.setParameter(c.index, c.value);
        for (int slot = 0; slot < kProgramSlots; ++slot) {
            const bool shouldChange = c.anySlot && (c.everySlot || slot == 0 || slot == 7);
            const CProgram& program = *effect.program(slot);
            if (shouldChange) { EXPECT_EQ(program.getParameterValue(c.index), c.value) << c.index << " slot " << slot; }
            for (int i = 0; i < edition().numParams; ++i)
                if (i != c.index || !shouldChange) {
                    EXPECT_EQ(program.getParameterValue(i),
                              before.values[static_cast<std::size_t>(slot * edition().numParams + i)])
                        << "index " << c.index << " touched slot " << slot << " value " << i;
                }
        }
    }
}

TEST_P(EditionTest, SelectionCarriesTheSelectedGlobalsIntoEverySlot) {
    ProductStandIn effect(nullptr, edition());
    const int meterType = edition().indexOf(kMeterType);
    effect.program(5)->setParameterValue(meterType, 1.0f);  // as a loaded bank may hold
    effect.program(5)->setParameterValue(4, 0.1f);
    effect.selectProgram(5);
    for (int slot = 0; slot < kProgramSlots; ++slot) EXPECT_EQ(effect.program(slot)->getParameterValue(meterType), 1.0f);
    EXPECT_EQ(effect.program(6)->getParameterValue(4), static_cast<float>(edition().factoryBank->programs[6].values[4]));
    EXPECT_EQ(effect.values[4], 0.1f);
}

TEST_P(EditionTest, RenamesCutTo24AndReachTheEditorOrTheHost) {
    ProductStandIn effect(recordingHost, edition());
    NameRecorder editor;
    effect.setPresetSystemListener(&editor);
    effect.selectProgram(3);
    char longName[] = "abcdefghijklmnopqrstuvwxyz0123";
    effect.setProgramName(longName);
    EXPECT_STREQ(effect.program(3)->name(), "abcdefghijklmnopqrstuvwx");
    EXPECT_STREQ(effect.program(0)->name(), "abcdefghijklmnopqrstuvwx");
    EXPECT_STREQ(effect.program(4)->name(), "Mix First Aid 2");
    ASSERT_EQ(editor.names.size(), 1u);
    EXPECT_EQ(editor.names[0], "abcdefghijklmnopqrstuvwx");

    hostCalls().clear();
    effect.setProgramNameFromEditor("Typed");
    EXPECT_STREQ(effect.program(3)->name(), "Typed");
    EXPECT_STREQ(effect.program(0)->name(), "Typed");
    EXPECT_EQ(editor.names.size(), 1u);  // the editor typed it; it is not told again
    EXPECT_EQ(hostCalls(), (std::vector<HostCall>{{audioMasterUpdateDisplay, 0, 0.0f}}));

    effect.setPresetSystemListener(nullptr);
    effect.setProgramNameNotifyEditor("no editor");
    EXPECT_STREQ(effect.program(0)->name(), "no editor");
}

TEST_P(EditionTest, WorksWithoutHostAndIgnoresSlotsOutsideTheBank) {
    ProductStandIn effect(nullptr, edition());
    effect.setParameterWithEdit(4, 0.8f);
    EXPECT_EQ(effect.values[4], 0.8f);
    EXPECT_EQ(effect.program(0)->getParameterValue(4), 0.8f);
    const testsupport::BankSnapshot before(effect);
    effect.selectProgram(31);
    effect.selectProgram(-1);
    EXPECT_EQ(testsupport::BankSnapshot(effect), before);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    EXPECT_EQ(effect.program(31), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionTest, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const ::testing::TestParamInfo<const Edition*>& info) {
                             return info.param == &fullEdition() ? std::string("Full") : std::string("Sibling");
                         });
