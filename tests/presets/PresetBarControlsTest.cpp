// The preset strip pressed with real pointer and key events: the controls'
// places, the rocker, the program menu, renaming, the memories and the hover.

#include <gtest/gtest.h>

#include <cstring>

#include "PresetBarWindowFixture.h"
#include "presets/ProgramMenuEntries.h"
#include "presets/SettingsKeys.h"
#include "toolkit/COptionMenu.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CTextEdit.h"

namespace ambrel {
namespace {

using testing::PresetBarWindow;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::CView;

class PresetBarControls : public PresetBarWindow {};

TEST_P(PresetBarControls, ElevenControlsSitAtTheirPlacesWithTagsAndBitmaps) {
    struct Expected {
        PresetStripControl place;
        PresetStripTag tag;
        const char* className;
        int bitmap;  // 0: none
    };
    const Expected expected[] = {
        {PresetStripControl::kSaveBank, kSaveBankTag, "CSaveLoadButton", 19994},
        {PresetStripControl::kLoadBank, kLoadBankTag, "CSaveLoadButton", 19993},
        {PresetStripControl::kSavePreset, kSavePresetTag, "CSaveLoadButton", 19999},
        {PresetStripControl::kLoadPreset, kLoadPresetTag, "CSaveLoadButton", 19998},
        {PresetStripControl::kProgramName, kProgramNameTag, "CTextEdit", edition().presetStripBackgroundBitmap},
        {PresetStripControl::kProgramMenu, kProgramMenuTag, "COptionMenu", 0},
        {PresetStripControl::kRocker, kRockerTag, "CPSRockerSwitch", 19997},
        {PresetStripControl::kStoreMemoA, kStoreMemoATag, "CPSOnOffButton", 19995},
        {PresetStripControl::kRecallMemoA, kRecallMemoATag, "CPSOnOffButton", 19991},
        {PresetStripControl::kStoreMemoB, kStoreMemoBTag, "CPSOnOffButton", 19996},
        {PresetStripControl::kRecallMemoB, kRecallMemoBTag, "CPSOnOffButton", 19992},
    };
    const int offset = GetParam() == &fullEdition() ? 0 : 8;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.className + std::to_string(e.tag));
        CView* view = editor->getFrame()->getViewAt(centreOf(e.place));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->isTypeOf(e.className));
        auto* control = dynamic_cast<VSTGUI::CControl*>(view);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->getTag(), e.tag + offset);
        const CRect place = presetStripRect(e.place, 460);
        EXPECT_EQ(view->getSize().left, place.left);
        EXPECT_EQ(view->getSize().right, place.right);
        EXPECT_EQ(view->getSize().top, 444);
        EXPECT_EQ(view->getSize().bottom, 458);
        if (e.bitmap) {
            ASSERT_NE(view->getBackground(), nullptr);
            EXPECT_EQ(view->getBackground()->getResourceId(), e.bitmap);
        } else {
            EXPECT_EQ(view->getBackground(), nullptr);
        }
    }

    // Added in this order after the product's own views.
    VSTGUI::CFrame* frame = editor->getFrame();
    ASSERT_EQ(frame->getNbViews(), 11);
    const CView* order[] = {editor->programNameField(),
                            editor->programMenu(),
                            editor->programRocker(),
                            editor->saveLoadButton(CSaveLoadButton::kLoadBank),
                            editor->saveLoadButton(CSaveLoadButton::kSaveBank),
                            editor->saveLoadButton(CSaveLoadButton::kLoadPreset),
                            editor->saveLoadButton(CSaveLoadButton::kSavePreset),
                            editor->memoryButton(kRecallMemoATag),
                            editor->memoryButton(kRecallMemoBTag),
                            editor->memoryButton(kStoreMemoATag),
                            editor->memoryButton(kStoreMemoBTag)};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(frame->getView(i), order[i]) << i;

    VSTGUI::CTextEdit* name = editor->programNameField();
    EXPECT_STREQ(name->text(), "Current");
    EXPECT_EQ(name->getBackOffset().x, 176);
    EXPECT_EQ(name->getBackOffset().y, 444);
    EXPECT_EQ(name->getFontColor(), (VSTGUI::CColor{76, 76, 72, 255}));
    EXPECT_EQ(name->getBackColor(), (VSTGUI::CColor{207, 222, 235, 255}));

    VSTGUI::COptionMenu* menu = editor->programMenu();
    ASSERT_EQ(menu->getNbEntries(), 32);
    char text[256];
    const std::pair<int, const char*> entries[] = {{0, "Current"}, {1, "-"}, {2, "Default"},
                                                   {3, "Mastering First Aid"}, {31, "Track Tape Fast"}};
    for (const auto& [index, want] : entries) {
        ASSERT_TRUE(menu->getEntry(index, text));
        EXPECT_STREQ(text, want);
    }
    EXPECT_EQ(menu->getNbItemsPerColumn(), 16);
    EXPECT_EQ(menu->getStyle() & (VSTGUI::kNoDrawStyle | VSTGUI::kCheckStyle),
              VSTGUI::kNoDrawStyle | VSTGUI::kCheckStyle);
    EXPECT_EQ(menu->getCurrent(), 0);

    pumpFor(50);
    // This test program links the full edition's skin; the sibling's window picture comes with its plug-in.
    if (GetParam() == &fullEdition()) display.screenshot("presetbar-full.png", 0, 0, 450, 460);
}

TEST_P(PresetBarControls, RockerStepsThroughTheSlotsAndHoldsAtTheEnds) {
    const int rockerLeft = 316;
    const int rockerRight = 340;
    const int y = 451;
    const auto reach = [&](int slot) {
        editor->programChosen(slot, effect->program(slot)->name());
        editor->programMenu()->setCurrent(menuEntryOfSlot(slot));
    };

    reach(7);
    clickAt(rockerRight, y);
    ASSERT_TRUE(pumpUntil([&] { return effect->getCurrentProgramIndex() == 8; }));
    EXPECT_STREQ(editor->programNameField()->text(), "Mix Finalize 1");
    EXPECT_EQ(editor->programMenu()->getCurrent(nullptr, false), 8);
    char entry0[256];
    editor->programMenu()->getEntry(0, entry0);
    EXPECT_STREQ(entry0, "Mix Finalize 1");
    EXPECT_EQ(effect->getParameter(4), effect->program(8)->getParameterValue(4));
    EXPECT_EQ(editor->programRocker()->getValue(), 0.0f);

    reach(1);
    clickAt(rockerLeft, y);
    ASSERT_TRUE(pumpUntil([&] { return effect->getCurrentProgramIndex() == 0; }));
    EXPECT_STREQ(editor->programNameField()->text(), "Default");
    EXPECT_EQ(editor->programMenu()->getCurrent(), 0);

    reach(30);
    const std::size_t before = effect->hostLog().automatedIndices.size();
    clickAt(rockerRight, y);
    ASSERT_TRUE(pumpUntil([&] { return effect->hostLog().automatedIndices.size() > before; }));
    pumpFor(30);
    EXPECT_EQ(effect->getCurrentProgramIndex(), 30);
    // Slot 30 applied once more: two automations per parameter.
    EXPECT_EQ(effect->hostLog().automatedIndices.size() - before, 2u * static_cast<unsigned>(edition().numParams));
    EXPECT_STREQ(editor->programNameField()->text(), "Track Tape Fast");
}

TEST_P(PresetBarControls, MenuEntryTwoSelectsDefault) {
    editor->programChosen(12, effect->program(12)->name());
    editor->programMenu()->setCurrent(menuEntryOfSlot(12));
    const CPoint menuAt = centreOf(PresetStripControl::kProgramMenu);
    clickAt(menuAt.x, menuAt.y);
    XWindowAttributes list{};
    ASSERT_TRUE(pumpUntil([&] { return display.topmostPopup(list) != 0; }));
    pumpFor(50);
    display.screenshot("presetbar-menu-" + editionName() + ".png", 0, 0, 800, 600);
    // Two columns of sixteen rows, one pixel of border.
    const int rowHeight = (list.height - 2) / 16;
    clickAt(list.x + 20, list.y + 1 + 2 * rowHeight + rowHeight / 2);
    ASSERT_TRUE(pumpUntil([&] { return effect->getCurrentProgramIndex() == 1; }));
    char text[256];
    editor->programMenu()->getEntry(0, text);
    EXPECT_STREQ(text, "Default");
    EXPECT_STREQ(editor->programNameField()->text(), "Default");
    EXPECT_STREQ(effect->program(0)->name(), "Default");
    EXPECT_EQ(editor->programMenu()->getCurrent(), 2);
}

TEST_P(PresetBarControls, TypedNameOfThirtyCharactersKeepsTwentyFour) {
    editor->programChosen(5, effect->program(5)->name());
    editor->programMenu()->setCurrent(menuEntryOfSlot(5));
    clickOn(PresetStripControl::kProgramName);
    ASSERT_TRUE(pumpUntil([&] { return editor->programNameField()->isEditing(); }));
    const std::string typed = "abcdefghijklmnopqrstuvwxyz0123";
    display.type(typed);
    display.key(XK_Return);
    ASSERT_TRUE(pumpUntil([&] { return !editor->programNameField()->isEditing(); }));
    const std::string kept = typed.substr(0, 24);
    EXPECT_EQ(effect->program(5)->name(), kept);
    EXPECT_EQ(effect->program(0)->name(), kept);
    EXPECT_EQ(editor->programNameField()->text(), kept);
    char text[256];
    editor->programMenu()->getEntry(6, text);  // slot 5 behind the separator
    EXPECT_EQ(text, kept);
    editor->programMenu()->getEntry(0, text);
    EXPECT_EQ(text, kept);
    EXPECT_GE(effect->hostLog().displayUpdates, 1);
}

TEST_P(PresetBarControls, MemoryStoredAtThePressAndRecalledThroughTheButtons) {
    RegistryFileStore store(settings.path());
    editor->programChosen(3, effect->program(3)->name());
    effect->setParameter(4, 0.875f);
    bool storedWhileHeld = false;
    bool released = false;
    effect->hostLog().onIdle = [&] {
        if (released) return;
        storedWhileHeld = store.openKey(kMemoAKey) != nullptr;
        display.release();
        released = true;
    };
    const CPoint storeAt = centreOf(PresetStripControl::kStoreMemoA);
    display.moveTo(storeAt.x, storeAt.y);
    display.press();  // released only from the host's idle pass, while the button waits
    ASSERT_TRUE(pumpUntil([&] { return released; }));
    EXPECT_TRUE(storedWhileHeld);
    EXPECT_FALSE(editor->memoryButton(kStoreMemoATag)->isPressed());
    effect->hostLog().onIdle = nullptr;

    effect->setParameter(4, 0.125f);
    editor->renameCurrentProgram("Changed");
    effect->hostLog().automatedIndices.clear();
    clickOn(PresetStripControl::kRecallMemoA);
    ASSERT_TRUE(pumpUntil([&] { return effect->getParameter(4) == 0.875f; }));
    EXPECT_STREQ(effect->program(3)->name(), "Mix First Aid 1");
    EXPECT_STREQ(editor->programNameField()->text(), "Mix First Aid 1");
    EXPECT_EQ(effect->program(3)->getParameterValue(4), 0.875f);
    EXPECT_EQ(effect->hostLog().automatedIndices.size(), static_cast<std::size_t>(edition().numParams));

    // B was never stored: recalling it changes nothing.
    clickOn(PresetStripControl::kRecallMemoB);
    pumpFor(50);
    EXPECT_EQ(effect->getParameter(4), 0.875f);
}

TEST_P(PresetBarControls, HoverLightsTheControlUnderTheMouse) {
    const CPoint loadBank = centreOf(PresetStripControl::kLoadBank);
    display.moveTo(loadBank.x, loadBank.y);
    CSaveLoadButton* button = editor->saveLoadButton(CSaveLoadButton::kLoadBank);
    ASSERT_TRUE(pumpUntil([&] { return button->isLit(); }));
    EXPECT_EQ(button->shownFrame(), 1);
    pumpFor(30);
    display.screenshot("presetbar-hover-" + editionName() + ".png", 0, 430, 450, 30);

    display.moveTo(340, 451);  // the rocker's right half
    CPSRockerSwitch* rocker = editor->programRocker();
    ASSERT_TRUE(pumpUntil([&] { return rocker->hover() == CPSRockerSwitch::kHoverRight; }));
    EXPECT_EQ(rocker->shownFrame(), 2);
    EXPECT_FALSE(button->isLit());
    EXPECT_EQ(button->shownFrame(), 0);

    display.moveTo(316, 451);
    ASSERT_TRUE(pumpUntil([&] { return rocker->hover() == CPSRockerSwitch::kHoverLeft; }));
    const CPoint storeB = centreOf(PresetStripControl::kStoreMemoB);
    display.moveTo(storeB.x, storeB.y);
    ASSERT_TRUE(pumpUntil([&] { return editor->memoryButton(kStoreMemoBTag)->isLit(); }));
    EXPECT_EQ(rocker->hover(), CPSRockerSwitch::kHoverNone);
    display.moveTo(200, 200);
    ASSERT_TRUE(pumpUntil([&] { return !editor->memoryButton(kStoreMemoBTag)->isLit(); }));
}

TEST_P(PresetBarControls, CloseForgetsTheControlsAndNamesStillReachTheEffect) {
    editor->close();
    EXPECT_EQ(editor->programNameField(), nullptr);
    EXPECT_EQ(editor->programMenu(), nullptr);
    EXPECT_EQ(editor->programRocker(), nullptr);
    // The host renames while the window is closed: nothing to show, nothing breaks.
    char name[] = "Host Name";
    effect->setProgramName(name);
    editor->stepProgram(true);
    EXPECT_EQ(effect->getCurrentProgramIndex(), 1);
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_STREQ(editor->programNameField()->text(), "Default");
    EXPECT_EQ(editor->programMenu()->getCurrent(), 2);
}

// Found under LeakSanitizer: the strip's eleven controls kept their creator's
// reference besides the frame's, so every closed window left them behind.
TEST_P(PresetBarControls, TheFrameHoldsTheOnlyReferenceToEachStripControl) {
    VSTGUI::CFrame* frame = editor->getFrame();
    ASSERT_GE(frame->getNbViews(), 11);
    for (int i = 0; i < frame->getNbViews(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frame->getView(i)->getNbReference(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, PresetBarControls, ::testing::Values(&fullEdition(), &siblingEdition()),
                         testing::editionLabel);

}  // namespace
}  // namespace ambrel
