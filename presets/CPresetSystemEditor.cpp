#include "presets/CPresetSystemEditor.h"

#include "presets/ProgramMenuEntries.h"
#include "presets/PresetStripLayout.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/COptionMenu.h"
#include "toolkit/CTextEdit.h"

namespace ambrel {

using namespace VSTGUI;

namespace {

constexpr CColor kNameTextColor{76, 76, 72, 255};
constexpr CColor kNameBackColor{207, 222, 235, 255};
constexpr CColor kNameFrameColor{76, 76, 72, 255};

// A control built with a skin bitmap; the control keeps its own reference.
template <class Control, class... Arguments>
Control* withBitmap(int bitmapId, Arguments&&... arguments) {
    auto* bitmap = new CBitmap(bitmapId);
    auto* control = new Control(std::forward<Arguments>(arguments)..., bitmap);
    bitmap->forget();
    return control;
}

}  // namespace

CPresetSystemEditor::CPresetSystemEditor(AudioEffect* owner, const Edition& edition)
    : AEffGUIEditor(owner), editionInfo(edition), fileCommands(platformFileDialogs()) {
    // While a dialog or a message is up the window keeps repainting.
    fileCommands.setWhileWaiting([this] {
        if (frame) frame->idle();
    });
    if (CPresetSystemEffect* bank = presetEffect()) bank->setPresetSystemListener(this);
}

CPresetSystemEditor::~CPresetSystemEditor() {
    CPresetSystemEffect* bank = presetEffect();
    if (bank && bank->presetSystemListener() == this) bank->setPresetSystemListener(nullptr);
}

CPresetSystemEffect* CPresetSystemEditor::presetEffect() const { return dynamic_cast<CPresetSystemEffect*>(effect); }

CPSOnOffButton* CPresetSystemEditor::memoryButton(PresetStripTag role) const {
    switch (role) {
        case kRecallMemoATag: return recallA;
        case kRecallMemoBTag: return recallB;
        case kStoreMemoATag: return storeA;
        case kStoreMemoBTag: return storeB;
        default: return nullptr;
    }
}

bool CPresetSystemEditor::open(void* /*ptr*/) {
    CPresetSystemEffect* bank = presetEffect();
    if (!frame || !bank) return false;
    const int height = rect.bottom;
    auto at = [height](PresetStripControl control) { return presetStripRect(control, height); };
    // The frame keeps the controls; the editor's pointers to them last until close.
    auto adopt = [this](CView* view) {
        frame->addView(view);
        view->forget();
    };

    // The name field shows the skin's background behind its text.
    auto* background = new CBitmap(editionInfo.presetStripBackgroundBitmap);
    const CRect nameRect = at(PresetStripControl::kProgramName);
    const CProgram* current = bank->program(bank->getCurrentProgramIndex());
    nameField = new CTextEdit(nameRect, this, stripTag(kProgramNameTag), current ? current->name() : "", background,
                              0);
    nameField->setBackOffset(CPoint(nameRect.left, nameRect.top));
    nameField->setFont(kNormalFontSmall);
    nameField->setFontColor(kNameTextColor);
    nameField->setBackColor(kNameBackColor);
    nameField->setFrameColor(kNameFrameColor);
    nameField->setHoriAlign(kCenterText);
    adopt(nameField);
    background->forget();

    menu = new COptionMenu(at(PresetStripControl::kProgramMenu), this, stripTag(kProgramMenuTag), nullptr, nullptr, 0);
    for (const std::string& entry : programMenuEntries(*bank)) menu->addEntry(entry.c_str());
    menu->setNbItemsPerColumn(kMenuItemsPerColumn);
    menu->setStyle(kNoDrawStyle | kCheckStyle);
    menu->setCurrent(menuEntryOfSlot(bank->getCurrentProgramIndex()));
    adopt(menu);

    rocker = withBitmap<CPSRockerSwitch>(kRockerBitmap, at(PresetStripControl::kRocker), this, stripTag(kRockerTag));
    auto fileButton = [&](CSaveLoadButton::Action action, int bitmapId, PresetStripControl place, PresetStripTag role) {
        auto* bitmap = new CBitmap(bitmapId);
        fileButtons[action] = new CSaveLoadButton(at(place), this, stripTag(role), bitmap, action);
        bitmap->forget();
    };
    fileButton(CSaveLoadButton::kLoadBank, kLoadBankBitmap, PresetStripControl::kLoadBank, kLoadBankTag);
    fileButton(CSaveLoadButton::kSaveBank, kSaveBankBitmap, PresetStripControl::kSaveBank, kSaveBankTag);
    fileButton(CSaveLoadButton::kLoadPreset, kLoadPresetBitmap, PresetStripControl::kLoadPreset, kLoadPresetTag);
    fileButton(CSaveLoadButton::kSavePreset, kSavePresetBitmap, PresetStripControl::kSavePreset, kSavePresetTag);
    recallA = withBitmap<CPSOnOffButton>(kRecallMemoABitmap, at(PresetStripControl::kRecallMemoA), this,
                                         stripTag(kRecallMemoATag));
    recallB = withBitmap<CPSOnOffButton>(kRecallMemoBBitmap, at(PresetStripControl::kRecallMemoB), this,
                                         stripTag(kRecallMemoBTag));
    storeA = withBitmap<CPSOnOffButton>(kStoreMemoABitmap, at(PresetStripControl::kStoreMemoA), this,
                                        stripTag(kStoreMemoATag));
    storeB = withBitmap<CPSOnOffButton>(kStoreMemoBBitmap, at(PresetStripControl::kStoreMemoB), this,
                                        stripTag(kStoreMemoBTag));
    adopt(rocker);
    for (CSaveLoadButton* button : fileButtons) adopt(button);
    for (CPSOnOffButton* button : {recallA, recallB, storeA, storeB}) adopt(button);
    return true;
}

void CPresetSystemEditor::close() { forgetControls(); }

void CPresetSystemEditor::forgetControls() {
    nameField = nullptr;
    menu = nullptr;
    rocker = nullptr;
    for (CSaveLoadButton*& button : fileButtons) button = nullptr;
    recallA = recallB = storeA = storeB = nullptr;
}

void CPresetSystemEditor::idle() {
    if (frame && presetEffect() && rocker && recallA && recallB && storeA && storeB && fileButtons[0] &&
        fileButtons[1] && fileButtons[2] && fileButtons[3]) {
        CPoint where;
        const bool inWindow = frame->getCurrentMouseLocation(where);
        CView* hovered = inWindow ? frame->getViewAt(where) : nullptr;
        // Each control is told once, so one that stays lit is not redrawn.
        for (CSaveLoadButton* button : fileButtons) button->setLit(hovered == button);
        for (CPSOnOffButton* button : {recallA, recallB, storeA, storeB}) button->setLit(hovered == button);
        rocker->setLit(hovered == rocker, where);
    }
    AEffGUIEditor::idle();
}

void CPresetSystemEditor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    CPresetSystemEffect* bank = presetEffect();
    if (!control || !bank) return;
    const int role = control->getTag() - editionInfo.presetStripTagOffset;
    switch (role) {
        case kProgramNameTag:
            if (nameField && control == nameField) renameCurrentProgram(nameField->text());
            break;
        case kProgramMenuTag:
            if (menu && control == menu) {
                char text[256] = {};
                const int slot = menu->getCurrent(text, false);
                if (slot >= 0 && slot < kProgramSlots) programChosen(slot, text);
            }
            break;
        case kRecallMemoATag: bank->recallMemoA(); break;
        case kRecallMemoBTag: bank->recallMemoB(); break;
        case kStoreMemoATag: bank->storeMemoA(); break;
        case kStoreMemoBTag: bank->storeMemoB(); break;
        default: break;
    }
}

void CPresetSystemEditor::setMenuEntry(int entry, const char* name) {
    if (menu) menu->setEntry(entry, name);
}

void CPresetSystemEditor::showName(const char* name) {
    if (nameField) nameField->setText(name);
}

void CPresetSystemEditor::programNameChanged(const char* name) {
    const std::string cut = cutProgramName(name);
    showName(cut.c_str());
    if (menu) setMenuEntry(menu->getCurrent(), cut.c_str());
    setMenuEntry(0, cut.c_str());
}

void CPresetSystemEditor::renameCurrentProgram(const char* name) {
    CPresetSystemEffect* bank = presetEffect();
    if (!bank) return;
    const std::string cut = cutProgramName(name);
    showName(cut.c_str());
    if (menu) setMenuEntry(menu->getCurrent(), cut.c_str());
    setMenuEntry(0, cut.c_str());
    bank->setProgramNameFromEditor(cut.c_str());
}

void CPresetSystemEditor::programChosen(int slot, const char* name) {
    CPresetSystemEffect* bank = presetEffect();
    if (!bank) return;
    const std::string cut = cutProgramName(name);
    showName(cut.c_str());
    setMenuEntry(0, cut.c_str());
    bank->selectProgram(slot);
}

void CPresetSystemEditor::stepProgram(bool up) {
    CPresetSystemEffect* bank = presetEffect();
    if (!bank || !bank->hasPrograms()) return;
    const int slot = steppedProgram(bank->getCurrentProgramIndex(), up);
    if (menu) menu->setCurrent(menuEntryOfSlot(slot));
    const char* name = bank->program(slot)->name();
    showName(name);
    setMenuEntry(0, name);
    bank->selectProgram(slot);
}

void CPresetSystemEditor::runFileCommand(FileCommand command) {
    CPresetSystemEffect* bank = presetEffect();
    if (!bank) return;
    const FileActionResult result = fileCommands.run(command, *bank);
    // A preset load has told programNameChanged already (the effect's listener is this editor).
    if (command == FileCommand::kLoadBank && result.outcome == FileActionResult::kDone) showBankNames(result);
}

void CPresetSystemEditor::showBankNames(const FileActionResult& result) {
    for (std::size_t slot = 0; slot < result.slotNames.size(); ++slot)
        setMenuEntry(menuEntryOfSlot(static_cast<int>(slot)), result.slotNames[slot].c_str());
    if (menu) menu->setCurrent(0);
    showName(result.programName.c_str());
}

void CPresetSystemEditor::loadBank() { runFileCommand(FileCommand::kLoadBank); }
void CPresetSystemEditor::saveBank() { runFileCommand(FileCommand::kSaveBank); }
void CPresetSystemEditor::loadPreset() { runFileCommand(FileCommand::kLoadPreset); }
void CPresetSystemEditor::savePreset() { runFileCommand(FileCommand::kSavePreset); }

}  // namespace ambrel
