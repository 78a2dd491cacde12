#pragma once
// The smallest product editor on the preset strip: a 450 by 460 window with
// the skin's background, the strip, and a record of the typed-entry calls.

#include <string>
#include <vector>

#include "presets/CPresetSystemEditor.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"

namespace ambrel::testing {

class PresetBarTestEditor : public CPresetSystemEditor {
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 460;

    PresetBarTestEditor(AudioEffect* effect, const Edition& edition) : CPresetSystemEditor(effect, edition) {
        rect.top = 0;
        rect.left = 0;
        rect.bottom = kHeight;
        rect.right = kWidth;
    }

    bool open(void* ptr) override {
        AEffGUIEditor::open(ptr);
        frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, kWidth, kHeight), ptr, this);
        auto* background = new VSTGUI::CBitmap(edition().presetStripBackgroundBitmap);
        frame->setBackground(background);
        background->forget();
        return CPresetSystemEditor::open(ptr);
    }
    void close() override {
        CPresetSystemEditor::close();
        if (VSTGUI::CFrame* old = frame) {
            frame = nullptr;
            old->forget();
        }
        AEffGUIEditor::close();
    }
    void openValueEntry(int tag) override { valueEntries.push_back(tag); }
    void applyValueEntry(int tag, const char*) override { valueEntries.push_back(tag); }

    std::vector<int> valueEntries;
};

}  // namespace ambrel::testing
