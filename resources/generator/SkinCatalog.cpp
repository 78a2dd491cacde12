#include "resources/generator/SkinCatalog.h"

namespace ambrel::skin {

namespace {
// width, height, frames, columns
constexpr BitmapShape kSingle450x460{450, 460, 1, 1};
constexpr BitmapShape kKnob50{60, 5050, 101, 1};
constexpr BitmapShape kKnob56{60, 5656, 101, 1};
constexpr BitmapShape kButton36{36, 80, 2, 1};
constexpr BitmapShape kButton38{38, 80, 2, 1};
constexpr BitmapShape kKey25{25, 50, 2, 1};
constexpr BitmapShape kBarButton{12, 56, 4, 1};

const BitmapArt kCatalog[] = {
    {19000, kSingle450x460, paintMainBackground, "main background"},
    {19002, {450, 445, 1, 1}, paintSettingsBackground, "settings background"},
    {19003, {136, 7070, 101, 1}, paintMeterFaceNarrow, "meter face -20..+3"},
    {19004, {136, 7070, 101, 1}, paintMeterFaceWide, "meter face -40..+6"},
    {19005, {40, 150, 3, 1}, paintMeterSourceSwitch, "meter source"},
    {19006, {40, 100, 2, 1}, paintMeterTypeButton, "meter type"},
    {19008, kKnob50, paintSmallKnob, "knee speed mix"},
    {19009, {1243, 930, 101, 11}, paintDriveKnob, "drive"},
    {19010, kKnob56, paintHighFreqKnob, "high freq"},
    {19012, kKnob56, paintLowFreqKnob, "low freq"},
    {19013, kKnob50, paintBipolarKnob, "adjust ceiling output"},
    {19014, kButton36, paintProcessButton, "process"},
    {19015, kButton36, paintModeButton, "mode"},
    {19016, {51, 192, 4, 1}, paintChannelButton, "channels"},
    {19017, kButton38, paintLinkButton, "link"},
    {19021, {9, 306, 18, 1}, paintGlyph, "readout glyphs"},
    {19024, kKnob56, paintReleaseKnob, "release"},
    {19026, {21, 126, 6, 1}, paintOverLed, "over LED"},
    {19032, {30, 1530, 51, 1}, paintSettingsKnob, "settings knob"},
    {19033, {15, 58, 2, 1}, paintToggleSwitch, "knob mode"},
    {19034, kButton38, paintFatButton, "fat"},
    {19035, kKey25, paintLampKey, "long"},
    {19036, kKey25, paintLampKey, "auto"},
    {19037, kKey25, paintLampKey, "brickwall"},
    {19100, kSingle450x460, paintMainBackground, "main background"},
    {19114, kButton36, paintProcessButton, "process"},
    {19991, kBarButton, paintRecallButton, "recall A"},
    {19992, kBarButton, paintRecallButton, "recall B"},
    {19993, kBarButton, paintLoadButton, "load bank"},
    {19994, kBarButton, paintSaveButton, "save bank"},
    {19995, kBarButton, paintStoreButton, "store A"},
    {19996, kBarButton, paintStoreButton, "store B"},
    {19997, {31, 70, 5, 1}, paintRocker, "previous/next"},
    {19998, kBarButton, paintLoadButton, "load preset"},
    {19999, kBarButton, paintSaveButton, "save preset"},
};
}  // namespace

const BitmapArt* findBitmapArt(int id) {
    for (const BitmapArt& art : kCatalog)
        if (art.id == id) return &art;
    return nullptr;
}

}  // namespace ambrel::skin
