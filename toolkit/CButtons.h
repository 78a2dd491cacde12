#pragma once
// Mouse buttons and modifier keys as one int of bit flags, the wheel axes and
// the global knob mode.

namespace VSTGUI {

enum CButton {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
    kApple = 64,  // the system key (Super on Linux)
};

inline constexpr int kModifierKeys = kShift | kControl | kAlt | kApple;

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY = 1 };

enum CKnobMode { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

// Process-wide knob mode shared by every editor instance: kLinearMode means
// linear drags, anything else circular. Written only by AEffGUIEditor::setKnobMode.
int getKnobMode();

namespace detail {
void setKnobMode(int mode);
}

}  // namespace VSTGUI
