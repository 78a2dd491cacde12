#pragma once
// Everything in which the two editions' skins differ, one description per
// edition (FullSkinEdition.cpp, SiblingSkinEdition.cpp). The painters ask the
// description; none of them knows which edition it draws.

#include <span>

namespace ambrel::skin {

struct SkinEdition {
    const char* key;          // names the generated files and the contact sheet
    const char* productName;  // the logo on both pages
    const char* moduleName;   // the plug-in binary, printed small on the settings plate

    std::span<const int> bitmapIds;  // every bitmap of the set, ascending
    int mainBackgroundId;            // frame, main page and program name backdrop
    int processButtonId;

    bool hasFatButton;  // the oversampling button and its caption

    // Legends of the processing button, off and on.
    const char* processLegendOff;
    const char* processLegendOn;

    // Settings page: the ranges printed beside the band section titles.
    const char* bandSaturationRange;
    const char* bandReleaseRange;
};

const SkinEdition& fullSkinEdition();
const SkinEdition& siblingSkinEdition();

// nullptr for an unknown key.
const SkinEdition* skinEditionByKey(const char* key);

}  // namespace ambrel::skin
