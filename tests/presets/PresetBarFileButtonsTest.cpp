// The load and save buttons pressed with the pointer, the dialog answered by
// a script: what lands in the files, the bank, the name field and the menu.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "PresetBarWindowFixture.h"
#include "presets/PresetFileFormat.h"
#include "presets/ProgramMenuEntries.h"
#include "toolkit/COptionMenu.h"
#include "toolkit/CTextEdit.h"

namespace ambrel {
namespace {

using testing::PresetBarWindow;

std::vector<std::uint8_t> readSavedBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PresetBarFileButtons : public PresetBarWindow {
protected:
    // Presses a button and waits until its action has asked the dialog.
    void press(PresetStripControl button) {
        const std::size_t asked = dialogs.requests.size();
        clickOn(button);
        ASSERT_TRUE(pumpUntil([&] { return dialogs.requests.size() > asked; }));
        pumpFor(20);
    }
    std::string menuEntry(int index) {
        char text[256] = {};
        editor->programMenu()->getEntry(index, text);
        return text;
    }
    void choose(int slot) {
        editor->programChosen(slot, effect->program(slot)->name());
        editor->programMenu()->setCurrent(menuEntryOfSlot(slot));
    }
};

TEST_P(PresetBarFileButtons, PresetSavedFromOneSlotLoadsIntoTheCurrentOne) {
    choose(7);
    editor->renameCurrentProgram("Saved Seven");
    effect->setParameter(5, 0.3125f);
    dialogs.answer(files.file("seven.zem"));
    int frameWhileAsking = -1;
    dialogs.onChoose = [&] { frameWhileAsking = editor->saveLoadButton(CSaveLoadButton::kSavePreset)->shownFrame(); };
    press(PresetStripControl::kSavePreset);
    dialogs.onChoose = nullptr;
    EXPECT_EQ(frameWhileAsking, 2);  // pressed while the dialog is up
    EXPECT_EQ(editor->saveLoadButton(CSaveLoadButton::kSavePreset)->shownFrame(), 1);  // lit again under the mouse
    EXPECT_EQ(dialogs.requests.back().title, "Save preset as...");
    EXPECT_EQ(readSavedBytes(files.file("seven.zem")).size(), presetFileSize(edition()));
    EXPECT_EQ(editor->saveLoadButton(CSaveLoadButton::kSavePreset)->getValue(), 0.0f);

    choose(9);
    dialogs.answer(files.file("seven.zem"));
    press(PresetStripControl::kLoadPreset);
    EXPECT_EQ(dialogs.requests.back().title, "Select preset to load...");
    EXPECT_EQ(dialogs.requests.back().fileName, "seven.zem");
    EXPECT_EQ(dialogs.requests.back().directory, files.path());
    EXPECT_EQ(effect->getCurrentProgramIndex(), 9);
    for (int slot : {0, 9}) {
        EXPECT_STREQ(effect->program(slot)->name(), "Saved Seven");
        EXPECT_EQ(effect->program(slot)->getParameterValue(5), 0.3125f);
    }
    EXPECT_EQ(effect->getParameter(5), 0.3125f);
    EXPECT_STREQ(editor->programNameField()->text(), "Saved Seven");
    EXPECT_EQ(menuEntry(0), "Saved Seven");
    EXPECT_EQ(menuEntry(menuEntryOfSlot(9)), "Saved Seven");
    EXPECT_EQ(menuEntry(menuEntryOfSlot(7)), "Saved Seven");  // slot 7 still holds what was saved
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(PresetBarFileButtons, BankLoadRewritesEveryMenuEntryAndAppliesSlotZero) {
    choose(4);
    editor->renameCurrentProgram("Bank Four");
    dialogs.answer(files.file("mine.zmb"));
    press(PresetStripControl::kSaveBank);
    EXPECT_EQ(dialogs.requests.back().title, "Save bank as...");
    EXPECT_EQ(readSavedBytes(files.file("mine.zmb")).size(), bankFileSize(edition()));

    // Rename other slots in the editor, then bring the saved bank back.
    choose(20);
    editor->renameCurrentProgram("Scratch");
    choose(4);
    editor->renameCurrentProgram("Also Scratch");
    choose(11);
    dialogs.answer(files.file("mine.zmb"));
    press(PresetStripControl::kLoadBank);
    EXPECT_EQ(dialogs.requests.back().title, "Select bank to load...");
    EXPECT_EQ(dialogs.requests.back().fileName, "mine.zmb");
    EXPECT_EQ(effect->getCurrentProgramIndex(), 0);
    EXPECT_EQ(editor->programMenu()->getCurrent(), 0);
    EXPECT_EQ(menuEntry(menuEntryOfSlot(4)), "Bank Four");
    EXPECT_EQ(menuEntry(menuEntryOfSlot(20)), "Clean Guitar Track");
    EXPECT_EQ(menuEntry(1), "-");
    EXPECT_EQ(menuEntry(0), "Bank Four");  // slot 0 was the renamed slot 4 when saved
    EXPECT_STREQ(editor->programNameField()->text(), "Bank Four");
    for (int slot = 1; slot < kProgramSlots; ++slot)
        EXPECT_EQ(menuEntry(menuEntryOfSlot(slot)), effect->program(slot)->name()) << slot;
}

TEST_P(PresetBarFileButtons, RefusedFilesShowTheirMessageAndLeaveTheStripAlone) {
    // A preset for the bank button, a bank for the preset button, and a file
    // that ends inside its header, each refused with its own text.
    dialogs.answer(files.file("one.zem"));
    press(PresetStripControl::kSavePreset);
    dialogs.answer(files.file("all.zmb"));
    press(PresetStripControl::kSaveBank);
    {
        std::ofstream junk(files.file("junk.zem"), std::ios::binary);
        junk << "JUNKJUNKJUNK";
        std::ofstream cut(files.file("cut.zmb"), std::ios::binary);
        cut << "QOLB7abc";
    }
    choose(6);
    const std::string shownName = editor->programNameField()->text();
    struct Case {
        PresetStripControl button;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {PresetStripControl::kLoadBank, "one.zem", "Not a bank file!"},
        {PresetStripControl::kLoadPreset, "all.zmb", "Error #02: Not a preset file!"},
        {PresetStripControl::kLoadPreset, "junk.zem", "Error #01: Invalid preset file!"},
        {PresetStripControl::kLoadBank, "junk.zem", "Error #01: Invalid preset file!"},
        {PresetStripControl::kLoadBank, "cut.zmb", kTooShortMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs.messages.clear();
        dialogs.answer(files.file(c.file));
        press(c.button);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "Error...");
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(editor->programNameField()->text(), shownName);
        EXPECT_EQ(effect->getCurrentProgramIndex(), 6);
        EXPECT_EQ(menuEntry(menuEntryOfSlot(6)), "Mix First Aid 4");
    }
}

TEST_P(PresetBarFileButtons, CancelledDialogChangesNothing) {
    choose(2);
    dialogs.cancel();
    press(PresetStripControl::kLoadBank);
    dialogs.cancel();
    press(PresetStripControl::kSavePreset);
    EXPECT_EQ(effect->getCurrentProgramIndex(), 2);
    EXPECT_STREQ(editor->programNameField()->text(), "Mastering First Aid");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(files.path()));
}

INSTANTIATE_TEST_SUITE_P(Editions, PresetBarFileButtons, ::testing::Values(&fullEdition(), &siblingEdition()),
                         testing::editionLabel);

}  // namespace
}  // namespace ambrel
