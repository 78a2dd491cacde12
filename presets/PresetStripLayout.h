#pragma once
// Where the preset strip's controls sit: one row 14 pixels high, 16 to 2
// pixels above the bottom of the editor, each control at its own columns.

#include "toolkit/CGeometry.h"

namespace ambrel {

enum class PresetStripControl {
    kSaveBank,
    kLoadBank,
    kSavePreset,
    kLoadPreset,
    kProgramName,
    kProgramMenu,
    kRocker,
    kStoreMemoA,
    kRecallMemoA,
    kStoreMemoB,
    kRecallMemoB,
};

constexpr VSTGUI::CRect presetStripRect(PresetStripControl control, int editorHeight) {
    int left = 0;
    int right = 0;
    switch (control) {
        case PresetStripControl::kSaveBank: left = 20, right = 32; break;
        case PresetStripControl::kLoadBank: left = 70, right = 82; break;
        case PresetStripControl::kSavePreset: left = 91, right = 103; break;
        case PresetStripControl::kLoadPreset: left = 150, right = 162; break;
        case PresetStripControl::kProgramName: left = 176, right = 290; break;
        case PresetStripControl::kProgramMenu: left = 293, right = 303; break;
        case PresetStripControl::kRocker: left = 313, right = 344; break;
        case PresetStripControl::kStoreMemoA: left = 352, right = 364; break;
        case PresetStripControl::kRecallMemoA: left = 374, right = 386; break;
        case PresetStripControl::kStoreMemoB: left = 395, right = 407; break;
        case PresetStripControl::kRecallMemoB: left = 417, right = 429; break;
    }
    return VSTGUI::CRect(left, editorHeight - 16, right, editorHeight - 2);
}

}  // namespace ambrel
