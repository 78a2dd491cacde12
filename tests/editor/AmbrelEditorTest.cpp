// The product editor inside the test program, on the effect it belongs to:
// what each parameter change shows, which control changes reach the host as
// automation, the page switch, the idle work (meters, LEDs, hover readout,
// knob mode), reopening, and the sibling edition's numbering.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "GuiHarness.h"
#include "core/Ambrel.h"
#include "editor/AmbrelEditor.h"
#include "editor/CCounter.h"
#include "editor/CMovieLED.h"
#include "editor/CMovieMeter.h"
#include "editor/CMyTextEdit.h"
#include "plugin/LoadedPlugin.h"
#include "toolkit/BitmapResources.h"
#include "toolkit/CButtons.h"
#include "toolkit/CControl.h"
#include "toolkit/CFrame.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CViewContainer.h"

namespace ambrel {
namespace {

using plugintest::Host;
using VSTGUI::CControl;

class AmbrelEditorFixture : public ::testing::Test {
protected:
    void openWith(const Edition& edition) {
        plugintest::useTemporarySettingsFolder();
        VSTGUI::clearRegisteredBitmapResources();  // the skin linked into the test program
        effect = std::make_unique<Ambrel>(&Host::callback, edition);
        editor = effect->productEditor();
        ASSERT_NE(editor, nullptr);
        if (!input.ok()) GTEST_SKIP() << "needs Xvfb or an X server with XTest";
        ASSERT_TRUE(editor->open(nullptr));
        input.attach(editor->getFrame());
        input.moveTo(-30, -30);
        Host::instance().requests.clear();
    }
    void TearDown() override {
        input.releaseEverything();
        effect.reset();  // closes the window it still shows
    }
    void idle(int calls) {
        for (int i = 0; i < calls; ++i) editor->idle();
    }
    int automations(int index) const {
        const auto& r = Host::instance().requests;
        return static_cast<int>(std::count_if(r.begin(), r.end(), [index](const plugintest::HostRequest& q) {
            return q.opcode == audioMasterAutomate && q.index == index;
        }));
    }
    CControl* control(int tag) const { return editor->controlOf(tag); }

    editor_test::XInput input;
    std::unique_ptr<Ambrel> effect;
    AmbrelEditor* editor = nullptr;
};

class AmbrelEditorFull : public AmbrelEditorFixture {
protected:
    void SetUp() override { openWith(fullEdition()); }
};

TEST_F(AmbrelEditorFull, OpenBuildsBothPagesFromTheEffectAndShowsTheMainPage) {
    EXPECT_EQ(effect->engine().editorOpen.load(), 1);
    EXPECT_TRUE(editor->mainPageShown());
    EXPECT_EQ(editor->getFrame()->getWidth(), 450);
    EXPECT_EQ(editor->getFrame()->getHeight(), 460);
    EXPECT_EQ(editor->getMainPage()->getHeight(), 444);
    EXPECT_EQ(editor->getSettingsPage()->getHeight(), 443);
    // Every parameter control of both pages, with the effect's value.
    for (int tag : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 26, 27, 28, 29,
                    43, 44, 45, 46, 47, 48, 57}) {
        ASSERT_NE(control(tag), nullptr) << tag;
        EXPECT_FLOAT_EQ(control(tag)->getValue(), effect->getParameter(tag)) << tag;
    }
    EXPECT_EQ(editor->getMainPage()->getNbViews(), 29);      // the entry field waits aside
    EXPECT_EQ(editor->getSettingsPage()->getNbViews(), 27);  // twelve knobs with readouts, switch, label, page switch
    EXPECT_FLOAT_EQ(control(12)->getDefaultValue(), 1.0f);
    EXPECT_FLOAT_EQ(control(44)->getDefaultValue(), 0.4f);
    EXPECT_FLOAT_EQ(control(47)->getDefaultValue(), 0.2222222f);
    EXPECT_FLOAT_EQ(control(4)->getWheelInc(), 0.0130208f);
    EXPECT_FLOAT_EQ(control(13)->getWheelInc(), 0.0260417f);
    EXPECT_FLOAT_EQ(control(15)->getWheelInc(), 0.1f);
    EXPECT_FLOAT_EQ(editor->numericReadout()->getValue(), 15.32f);
    EXPECT_EQ(editor->numericReadout()->getMode(), 1);
    EXPECT_FLOAT_EQ(editor->latencyReadout(1)->getValue(), 639.0f);
    EXPECT_NEAR(editor->latencyReadout(0)->getValue(), 639.0f * 1000.0f / 44100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(editor->valueReadoutOf(24)->getValue(), effect->getDisplayValue(24));
    ASSERT_NE(editor->valueEntryField(), nullptr);
    EXPECT_FALSE(editor->getMainPage()->isChild(editor->valueEntryField()));
}

TEST_F(AmbrelEditorFull, EachParameterChangeRefreshesWhatShowsIt) {
    struct Row { int index; int readoutMode; };
    const Row knobs[] = {{4, 1}, {5, 3}, {6, 3}, {7, 4}, {8, 1}, {9, 1}, {10, 2}, {11, 2}, {12, 3}, {13, 1}, {14, 1}};
    for (const Row& row : knobs) {
        effect->setParameter(row.index, 0.8f);
        EXPECT_FLOAT_EQ(control(row.index)->getValue(), 0.8f) << row.index;
        EXPECT_EQ(editor->numericReadout()->getMode(), row.readoutMode) << row.index;
        EXPECT_FLOAT_EQ(editor->numericReadout()->getValue(), effect->getDisplayValue(row.index)) << row.index;
    }
    for (int index : {15, 16, 17, 18, 19, 20, 24, 43, 44, 45, 46, 47}) {
        effect->setParameter(index, 0.3f);
        EXPECT_FLOAT_EQ(control(index)->getValue(), effect->getParameter(index)) << index;
        EXPECT_FLOAT_EQ(editor->valueReadoutOf(index)->getValue(), effect->getDisplayValue(index)) << index;
    }
    for (int index : {0, 1, 3, 21, 22, 26, 27, 28, 29, 48}) {
        const float before = control(index)->getValue();
        effect->setParameter(index, before < 0.5f ? 1.0f : 0.0f);
        EXPECT_NE(control(index)->getValue(), before) << index;
        EXPECT_FLOAT_EQ(control(index)->getValue(), effect->getParameter(index)) << index;
    }
    // Mono Stereo and L R show on the four-way button as the combined position.
    effect->setParameter(2, 0.0f);
    EXPECT_FLOAT_EQ(control(57)->getValue(), effect->getParameter(57));
    effect->setParameter(30, 1.0f);
    EXPECT_FLOAT_EQ(control(57)->getValue(), effect->getParameter(57));
    effect->setParameter(25, 1.0f);
    EXPECT_EQ(editor->meter(0)->getScale(), 1);
    EXPECT_EQ(editor->meter(1)->getScale(), 1);
    // A new rate reaches the latency readouts through resume.
    effect->setSampleRate(96000.0f);
    EXPECT_FLOAT_EQ(editor->latencyReadout(1)->getValue(), 1151.0f);
}

TEST_F(AmbrelEditorFull, OnlyTheHostParametersThatAreAutomatedReachTheHost) {
    struct Row { int tag; float value; bool automated; };
    const Row rows[] = {{4, 0.7f, true}, {12, 0.2f, true}, {0, 0.0f, true}, {21, 0.0f, true}, {26, 1.0f, true},
                        {24, 0.5f, false}, {25, 1.0f, false}, {43, 0.7f, false}, {47, 0.5f, false}, {48, 0.0f, false}};
    for (const Row& row : rows) {
        CControl* c = control(row.tag);
        ASSERT_NE(c, nullptr) << row.tag;
        c->setValue(row.value);
        const int before = automations(row.tag);
        editor->valueChanged(nullptr, c);
        EXPECT_EQ(automations(row.tag) - before, row.automated ? 1 : 0) << row.tag;
        if (row.tag != 24 && row.tag != 47) {  // those two are stored in steps
            EXPECT_FLOAT_EQ(effect->getParameter(row.tag), row.value) << row.tag;
        }
    }
}

TEST_F(AmbrelEditorFull, SettingsPageFreezesMetersAndLeavesTheOverFlags) {
    Engine& engine = effect->engine();
    control(52)->setValue(1.0f);
    editor->valueChanged(nullptr, control(52));  // the page switch comes back through the effect
    ASSERT_FALSE(editor->mainPageShown());
    EXPECT_TRUE(editor->getFrame()->isChild(editor->getSettingsPage()));
    EXPECT_FALSE(editor->getFrame()->isChild(editor->getMainPage()));
    const float needle = editor->meter(0)->getValue();
    engine.meterLeft = 0.7f;
    engine.overFlagLeft = 1.0f;
    engine.overFlagRight = 1.0f;
    idle(30);
    EXPECT_FLOAT_EQ(engine.overFlagLeft.load(), 1.0f);
    EXPECT_FLOAT_EQ(engine.overFlagRight.load(), 1.0f);
    EXPECT_FLOAT_EQ(editor->meter(0)->getValue(), needle);
    EXPECT_FLOAT_EQ(editor->overLed(0)->getValue(), 0.0f);

    effect->setParameter(53, 1.0f);
    ASSERT_TRUE(editor->mainPageShown());
    idle(1);
    EXPECT_FLOAT_EQ(engine.overFlagLeft.load(), 0.0f) << "read and cleared";
    EXPECT_FLOAT_EQ(editor->meter(0)->getValue(), 0.7f);
    EXPECT_GE(editor->overLed(0)->frameShown(), 4) << "lit by the over";
    EXPECT_GE(editor->overLed(1)->frameShown(), 4);
    const int lit = editor->overLed(0)->frameShown();
    idle(1);
    EXPECT_LT(editor->overLed(0)->frameShown(), lit) << "no new over: it fades";
}

TEST_F(AmbrelEditorFull, HoverPutsAKnobOnTheReadoutOncePerNineIdlesAndBlanksItAfterElevenEmptyChecks) {
    input.moveTo(76, 192);  // knee
    idle(9);
    EXPECT_EQ(editor->numericReadout()->getMode(), 3);
    EXPECT_FLOAT_EQ(editor->numericReadout()->getValue(), effect->getDisplayValue(5));
    // The same knob is not sent again.
    editor->numericReadout()->setValueAndMode(1.0f, 4);
    idle(27);
    EXPECT_EQ(editor->numericReadout()->getMode(), 4);
    input.moveTo(283, 348);  // mix
    idle(8);
    EXPECT_EQ(editor->numericReadout()->getMode(), 4) << "not before the ninth idle";
    idle(1);
    EXPECT_EQ(editor->numericReadout()->getMode(), 3);
    EXPECT_FLOAT_EQ(editor->numericReadout()->getValue(), effect->getDisplayValue(12));
    // Over a meter: the readout goes blank at the eleventh check.
    input.moveTo(120, 70);
    idle(9 * 10);
    EXPECT_EQ(editor->numericReadout()->getMode(), 3);
    idle(9);
    EXPECT_EQ(editor->numericReadout()->getMode(), 0);
}

TEST_F(AmbrelEditorFull, KnobModeParameterSetsTheToolkitModeOnTheNextIdle) {
    effect->setParameter(48, 0.0f);
    idle(1);
    EXPECT_EQ(VSTGUI::getKnobMode(), 0);
    effect->setParameter(48, 1.0f);
    EXPECT_EQ(VSTGUI::getKnobMode(), 0) << "applied by idle, not by the change";
    idle(1);
    EXPECT_EQ(VSTGUI::getKnobMode(), 2);
    EXPECT_FALSE(effect->parameters().knobModeChanged.load());
}

TEST_F(AmbrelEditorFull, ValueEntryOpensOnlyOnTheMainPageWithTheReadoutText) {
    effect->setParameter(4, 0.625f);
    editor->openValueEntry(4);
    idle(1);
    CMyTextEdit* field = editor->valueEntryField();
    ASSERT_TRUE(editor->getMainPage()->isChild(field));
    EXPECT_EQ(field->getParamIndex(), 4);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(effect->getDisplayValue(4)));
    EXPECT_STREQ(field->text(), expected);
    editor->applyValueEntry(4, "-3");
    EXPECT_FALSE(editor->getMainPage()->isChild(field));
    EXPECT_FLOAT_EQ(effect->getParameter(4), (24.0f - 3.0f) / 48.0f);
    EXPECT_EQ(automations(4), 0) << "a typed value is not automated";

    editor->openValueEntry(6);
    idle(1);
    std::snprintf(expected, sizeof expected, "%.1f", static_cast<double>(effect->getDisplayValue(6)));
    EXPECT_STREQ(field->text(), expected);
    field->looseFocus(nullptr);
    EXPECT_FALSE(editor->getMainPage()->isChild(field));

    effect->setParameter(52, 1.0f);
    editor->openValueEntry(5);
    editor->openValueEntry(47);  // the overs threshold knob on the settings page
    EXPECT_FALSE(editor->valueEntryPending());
    idle(2);
    EXPECT_FALSE(editor->getSettingsPage()->isChild(field));
    EXPECT_FALSE(editor->getMainPage()->isChild(field));
}

TEST_F(AmbrelEditorFull, SuspendParksTheNeedlesWhereTheMeterSourceRests) {
    effect->engine().meterLeft = 0.3f;
    idle(1);
    effect->setParameter(21, 0.5f);  // gain reduction rests at full scale
    effect->suspend();
    EXPECT_FLOAT_EQ(editor->meter(0)->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(editor->meter(1)->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(editor->overLed(0)->getValue(), 0.0f);
    effect->setParameter(21, 0.0f);
    effect->suspend();
    EXPECT_FLOAT_EQ(editor->meter(0)->getValue(), 0.0f);
    effect->setParameter(21, 1.0f);
    effect->suspend();
    EXPECT_FLOAT_EQ(editor->meter(1)->getValue(), 0.0f);
}

TEST_F(AmbrelEditorFull, CloseAndReopenRebuildsEverythingOnTheMainPage) {
    effect->setParameter(52, 1.0f);  // close while the settings page shows
    editor->close();
    EXPECT_EQ(effect->engine().editorOpen.load(), 0);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->controlOf(4), nullptr);
    effect->setParameter(4, 0.9f);  // while closed: nothing to refresh
    effect->setParameter(15, 0.1f);
    effect->setParameter(25, 1.0f);
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_TRUE(editor->mainPageShown());
    EXPECT_FLOAT_EQ(control(4)->getValue(), 0.9f);
    EXPECT_FLOAT_EQ(control(15)->getValue(), effect->getParameter(15));
    EXPECT_FLOAT_EQ(editor->valueReadoutOf(15)->getValue(), effect->getDisplayValue(15));
    EXPECT_EQ(editor->meter(0)->getScale(), 1);
    EXPECT_FLOAT_EQ(editor->numericReadout()->getValue(), 15.32f);
    EXPECT_EQ(effect->engine().editorOpen.load(), 1);

    // A host that opens again without closing gets one window, fully built.
    effect->setParameter(52, 1.0f);
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_NE(editor->getFrame(), nullptr);
    EXPECT_TRUE(editor->mainPageShown());
    ASSERT_NE(control(4), nullptr);
    EXPECT_FLOAT_EQ(control(4)->getValue(), 0.9f);
    EXPECT_EQ(effect->engine().editorOpen.load(), 1);
    input.attach(editor->getFrame());
    idle(3);
}

class AmbrelEditorSibling : public AmbrelEditorFixture {
protected:
    void SetUp() override { openWith(siblingEdition()); }
};

TEST_F(AmbrelEditorSibling, UsesItsOwnNumberingAndHasNoOversamplingButton) {
    EXPECT_EQ(control(31), nullptr) << "no FAT button";
    EXPECT_EQ(editor->getMainPage()->getNbViews(), 28);
    struct Row { int tag; const char* type; };
    const Row rows[] = {{32, "CMyOnOffButton"}, {33, "CMyOnOffButton"}, {34, "CMyOnOffButton"}, {65, "CMyLRUDButton"},
                        {28, "CAnimKnob"}, {49, "CAnimKnob"}, {53, "CAnimKnob2"}, {54, "CMyVerticalSwitch"},
                        {60, "CViewContainerSwitch"}, {61, "CViewContainerSwitch"}, {62, "CMovieLED"},
                        {63, "CMovieLED"}, {35, "CMovieMeter"}};
    for (const Row& row : rows) {
        ASSERT_NE(control(row.tag), nullptr) << row.tag;
        EXPECT_TRUE(control(row.tag)->isTypeOf(row.type)) << row.tag;
    }
    EXPECT_EQ(editor->numericReadout()->getTag(), 56);
    EXPECT_EQ(editor->valueEntryField()->getTag(), 66);

    // Tags below 48 are automated, except 27, 28 and 35; 49 to 54 are not.
    for (int tag : {32, 4, 0}) {
        editor->valueChanged(nullptr, control(tag));
        EXPECT_EQ(automations(tag), 1) << tag;
    }
    for (int tag : {28, 35, 49, 54}) {
        editor->valueChanged(nullptr, control(tag));
        EXPECT_EQ(automations(tag), 0) << tag;
    }
    // The four-way button sets Mono Stereo and this edition's L R.
    control(65)->setValue(0.67f);
    editor->valueChanged(nullptr, control(65));
    EXPECT_EQ(automations(2), 1);
    EXPECT_EQ(automations(36), 1);
    EXPECT_EQ(automations(30), 0);

    effect->setParameter(60, 1.0f);
    EXPECT_FALSE(editor->mainPageShown());
    effect->setParameter(61, 1.0f);
    EXPECT_TRUE(editor->mainPageShown());
    // The typed Drive value uses this edition's fine adjust (index 28).
    effect->setParameter(28, 1.0f);
    editor->applyValueEntry(4, "6");
    EXPECT_FLOAT_EQ(effect->getParameter(4), 0.625f);
}

}  // namespace
}  // namespace ambrel
