#include "toolkit/AEffGUIEditor.h"

#include "core/AudioEffectX.h"
#include "toolkit/CButtons.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/Clock.h"

using VSTGUI::toolkitClock;

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
    if (effect) effect->setEditor(this);
    nextIdleTime = toolkitClock().ticks();
}

AEffGUIEditor::~AEffGUIEditor() {
    if (frame) frame->forgetEditor();
    if (effect && effect->getEditor() == this) effect->setEditor(nullptr);
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (!out) return false;
    *out = &rect;
    return true;
}

bool AEffGUIEditor::open(void* ptr) {
    systemWindow = ptr;
    return true;
}

void AEffGUIEditor::close() { systemWindow = nullptr; }

void AEffGUIEditor::idle() {
    if (inIdleStuff || !frame) return;
    frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) { return frame && frame->onKeyDown(keyCode) == 1; }

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) { return frame && frame->onKeyUp(keyCode) == 1; }

bool AEffGUIEditor::onWheel(float distance) {
    if (!frame) return false;
    VSTGUI::CDrawContext context(frame, frame->drawDevice());
    VSTGUI::CPoint where;
    context.getMouseLocation(where);
    return frame->onWheel(&context, where, VSTGUI::kMouseWheelAxisY, distance);
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    VSTGUI::detail::setKnobMode(mode);
    return true;
}

bool AEffGUIEditor::beginEdit(VstInt32 index) {
    auto* effectX = dynamic_cast<AudioEffectX*>(effect);
    return effectX ? effectX->beginEdit(index) : false;
}

bool AEffGUIEditor::endEdit(VstInt32 index) {
    auto* effectX = dynamic_cast<AudioEffectX*>(effect);
    return effectX ? effectX->endEdit(index) : false;
}

void AEffGUIEditor::doIdleStuff() {
    int now = toolkitClock().ticks();
    // Differences, not plain comparisons, so the rule holds across a wrap.
    if (now - nextIdleTime < 0) {
        toolkitClock().sleep(4);
        now += 4;
        if (nextIdleTime - now > 50) return;
    }
    idle();
    inIdleStuff = true;
    nextIdleTime = now + 100;
    if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->masterIdle();
    inIdleStuff = false;
}

void AEffGUIEditor::frameCreated(VSTGUI::CFrame* newFrame) {
    if (frame && frame != newFrame) {
        void* window = systemWindow;  // the open in progress keeps its window
        close();
        systemWindow = window;
        // A close that did not take the frame down (a product editor that only
        // forgets it) must not leave the old window behind.
        if (frame && frame != newFrame) {
            VSTGUI::CFrame* old = frame;
            frame = nullptr;
            old->forget();
        }
    }
}

void AEffGUIEditor::frameDestroyed(VSTGUI::CFrame* oldFrame) {
    if (frame == oldFrame) frame = nullptr;
}
