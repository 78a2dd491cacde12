#pragma once
// The toolkit's eight fonts: ids, faces and sizes. Sizes are in points at the
// skin's resolution, where one point is one pixel of the window.

namespace VSTGUI {

enum CFont {
    kSystemFont = 0,
    kNormalFontVeryBig,
    kNormalFontBig,
    kNormalFont,
    kNormalFontSmall,
    kNormalFontSmaller,
    kNormalFontVerySmall,
    kSymbolFont,
    kNumStandardFonts
};

enum CTxtFace { kNormalFace = 0, kBoldFace = 1 };

enum CHoriTxtAlign { kLeftText = 0, kCenterText = 1, kRightText = 2 };

struct FontSpec {
    const char* face;
    int size;
};

constexpr FontSpec fontSpec(int id) {
    constexpr int sizes[kNumStandardFonts] = {12, 18, 14, 12, 11, 10, 9, 13};
    if (id < 0 || id >= kNumStandardFonts) id = kSystemFont;
    return {id == kSymbolFont ? "Symbol" : "Arial", sizes[id]};
}

}  // namespace VSTGUI
