#pragma once
// An opened preset strip in a window of a private X server, for tests that
// press its controls with real pointer and key events.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "FileActionScriptedDialogs.h"
#include "PresetBarDisplay.h"
#include "PresetBarTestEditor.h"
#include "PresetBarTestEffect.h"
#include "presets/PresetStripLayout.h"

namespace ambrel::testing {

class PresetBarWindow : public ::testing::TestWithParam<const Edition*> {
protected:
    const Edition& edition() const { return *GetParam(); }

    void SetUp() override {
        ASSERT_TRUE(display.ok()) << "Xvfb could not be started";
        effect = std::make_unique<PresetBarTestEffect>(edition(), settings.path());
        editor = new PresetBarTestEditor(effect.get(), edition());  // the effect owns its editor
        editor->setFileDialogs(dialogs);
        ASSERT_TRUE(editor->open(nullptr));
        ASSERT_TRUE(editor->getFrame()->hasWindow());
        pumpFor(100);
    }
    void TearDown() override {
        if (editor) editor->close();
        pumpFor(10);
    }

    // Lets the editor handle what arrived, as the host's idle calls would.
    template <class Condition>
    bool pumpUntil(Condition done, int milliseconds = 3000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            editor->idle();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
    void pumpFor(int milliseconds) {
        pumpUntil([] { return false; }, milliseconds);
    }

    static VSTGUI::CPoint centreOf(PresetStripControl control) {
        const VSTGUI::CRect r = presetStripRect(control, PresetBarTestEditor::kHeight);
        return VSTGUI::CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void clickOn(PresetStripControl control) {
        const VSTGUI::CPoint at = centreOf(control);
        display.click(at.x, at.y);
    }
    void clickAt(int x, int y) { display.click(x, y); }

    std::string editionName() const { return GetParam() == &fullEdition() ? "full" : "sibling"; }

    PrivateDisplay display;  // first in, last out
    ScratchFolder settings{"presetbar-settings"};
    ScratchFolder files{"presetbar-files"};
    std::unique_ptr<PresetBarTestEffect> effect;
    PresetBarTestEditor* editor = nullptr;
    ScriptedDialogs dialogs;
};

inline std::string editionLabel(const ::testing::TestParamInfo<const Edition*>& info) {
    return info.param == &fullEdition() ? "Full" : "Sibling";
}

}  // namespace ambrel::testing
