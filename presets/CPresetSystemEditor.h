#pragma once
// The editor-side half of the preset system, between the toolkit's editor glue
// and the product editor: the strip of eleven controls along the bottom of the
// window (program name field, program menu, previous/next rocker, the four
// load/save buttons, the four memory buttons), their reactions, the four file
// actions with their dialogs, and the hover highlight. It keeps the name field
// and the menu in step with the effect's program bank.
//
// The product editor's open stores the window (AEffGUIEditor::open), builds
// its frame and its own controls, then calls CPresetSystemEditor::open; its
// close calls CPresetSystemEditor::close before the frame goes; its idle and
// valueChanged call these versions first.

#include <string>

#include "presets/CPSOnOffButton.h"
#include "presets/CPSRockerSwitch.h"
#include "presets/CPresetSystemEffect.h"
#include "presets/CPresetSystemListener.h"
#include "presets/CSaveLoadButton.h"
#include "presets/PresetFileCommands.h"
#include "toolkit/AEffGUIEditor.h"

namespace VSTGUI {
class COptionMenu;
class CTextEdit;
}  // namespace VSTGUI

namespace ambrel {

// The strip's tags in the full edition; an edition adds its offset to each.
enum PresetStripTag {
    kProgramNameTag = 59,
    kRockerTag = 60,
    kLoadBankTag = 61,
    kSaveBankTag = 62,
    kLoadPresetTag = 63,
    kSavePresetTag = 64,
    kProgramMenuTag = 65,
    kRecallMemoATag = 66,
    kRecallMemoBTag = 67,
    kStoreMemoATag = 68,
    kStoreMemoBTag = 69,
};

// The strip's bitmaps (the same in both editions).
enum PresetStripBitmap {
    kRecallMemoABitmap = 19991,
    kRecallMemoBBitmap = 19992,
    kLoadBankBitmap = 19993,
    kSaveBankBitmap = 19994,
    kStoreMemoABitmap = 19995,
    kStoreMemoBBitmap = 19996,
    kRockerBitmap = 19997,
    kLoadPresetBitmap = 19998,
    kSavePresetBitmap = 19999,
};

class CPresetSystemEditor : public AEffGUIEditor, public CPresetSystemListener {
public:
    CPresetSystemEditor(AudioEffect* effect, const Edition& edition);
    ~CPresetSystemEditor() override;

    // Builds the strip on the existing frame; false (and nothing built) without frame or effect.
    bool open(void* ptr) override;
    // Forgets the strip's controls (the frame owns and destroys them).
    void close() override;
    // The hover highlight, then the frame's redraw (AEffGUIEditor::idle).
    void idle() override;

    // CControlListener: the strip's own tags; the product editor handles the rest.
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

    // CPresetSystemListener.
    void loadBank() override;
    void saveBank() override;
    void loadPreset() override;
    void savePreset() override;
    void stepProgram(bool up) override;
    void openValueEntry(int tag) override = 0;
    void applyValueEntry(int tag, const char* text) override = 0;

    // Keeping the strip in step with the bank.
    void programNameChanged(const char* name) override;
    virtual void renameCurrentProgram(const char* name);
    virtual void programChosen(int slot, const char* name);

    // The strip's tag of a role (kProgramNameTag ...) in this edition.
    int stripTag(PresetStripTag role) const { return role + editionInfo.presetStripTagOffset; }
    // The dialogs the file actions use (the desktop's unless a test replaces them).
    void setFileDialogs(FileDialogSeam& dialogs) { fileCommands.setDialogs(dialogs); }
    const RememberedFiles& rememberedFiles() const { return fileCommands.remembered(); }
    const Edition& edition() const { return editionInfo; }

    // The strip's controls while the window is open, null otherwise.
    VSTGUI::CTextEdit* programNameField() const { return nameField; }
    VSTGUI::COptionMenu* programMenu() const { return menu; }
    CPSRockerSwitch* programRocker() const { return rocker; }
    CSaveLoadButton* saveLoadButton(CSaveLoadButton::Action action) const { return fileButtons[action]; }
    CPSOnOffButton* memoryButton(PresetStripTag role) const;

protected:
    CPresetSystemEffect* presetEffect() const;

private:
    void runFileCommand(FileCommand command);
    void showBankNames(const FileActionResult& result);
    void setMenuEntry(int entry, const char* name);
    void showName(const char* name);
    void forgetControls();

    const Edition& editionInfo;
    PresetFileCommands fileCommands;
    VSTGUI::CTextEdit* nameField = nullptr;
    VSTGUI::COptionMenu* menu = nullptr;
    CPSRockerSwitch* rocker = nullptr;
    CSaveLoadButton* fileButtons[4] = {};
    CPSOnOffButton* recallA = nullptr;
    CPSOnOffButton* recallB = nullptr;
    CPSOnOffButton* storeA = nullptr;
    CPSOnOffButton* storeB = nullptr;
};

}  // namespace ambrel
