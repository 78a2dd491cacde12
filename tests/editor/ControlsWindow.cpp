#include "ControlsWindow.h"

#include "toolkit/CButtons.h"

namespace editor_test {

using namespace VSTGUI;
using namespace ambrel;

void registerControlImages() {
    registerPlain(19000, 300, 200, 0x202020);
    registerStrip(19008, 60, 50, 101, kKnobBase);
    registerGridStrip(19009, 113, 93, 11, 10, kDriveBase);
    registerStrip(19016, 51, 48, 4, kFourWayBase);
    registerStrip(19003, 136, 70, 101, kFace0Base);
    registerStrip(19004, 136, 70, 101, kFace1Base);
    registerStrip(19026, 21, 21, 6, kLedBase);
    registerStrip(19014, 36, 40, 2, kButtonBase);
    registerStrip(19005, 40, 50, 3, kSwitchBase);
    registerStrip(19021, 9, 17, 18, kGlyphBase);
}

void ControlsWindow::SetUp() {
    if (!input.ok()) GTEST_SKIP() << "needs Xvfb or an X server with XTest";
    detail::setKnobMode(kCircularMode);
    frame = new CMyFrame(CRect(0, 0, 300, 200), nullptr, &editor);
    if (!frame->hasWindow()) GTEST_SKIP() << "no window";
    editor.adopt(frame);
    editor.releaseAll = [this] { input.release(1); };

    auto* background = new CBitmap(19000);
    frame->setBackground(background);
    background->forget();

    auto* knobStrip = new CBitmap(19008);
    knob = new CAnimKnob2(kKnobRect, &recorder, 5, 101, 50, knobStrip);
    knobStrip->forget();
    auto* driveStrip = new CBitmap(19009);
    drive = new CAnimKnob3(kDriveRect, &recorder, 4, 101, 93, 113, driveStrip);
    driveStrip->forget();
    auto* fourWayStrip = new CBitmap(19016);
    fourWay = new CMyLRUDButton(kFourWayRect, &recorder, 57, fourWayStrip);
    fourWayStrip->forget();
    auto* face0 = new CBitmap(19003);
    auto* face1 = new CBitmap(19004);
    meter = new CMovieMeter(kMeterRect, &recorder, 25, face0, face1, 0);
    face0->forget();
    face1->forget();
    auto* ledStrip = new CBitmap(19026);
    led = new CMovieLED(kLedRect, &recorder, 54, 6, 21, ledStrip);
    ledStrip->forget();
    auto* buttonStrip = new CBitmap(19014);
    button = new CMyOnOffButton(kButtonRect, &recorder, 3, buttonStrip);
    buttonStrip->forget();
    auto* switchStrip = new CBitmap(19005);
    meterSource = new CMyVerticalSwitch(kSwitchRect, &recorder, 21, 3, 50, 3, switchStrip);
    switchStrip->forget();
    auto* glyphStrip = new CBitmap(19021);
    counter = new CCounter(kCounterRect, &recorder, 50, 15.32f, kCounterDecibels, kCounterRect.left, kCounterRect.top, 9,
                           17, glyphStrip);
    glyphStrip->forget();
    label = new CLabel2(kLabelRect, "v2.3.1");
    pageSwitch = new CViewContainerSwitch(kPageSwitchRect, &recorder, 52);
    entry = new CMyTextEdit(kEntryRect, &recorder, 58, "");
    entry->setFont(kNormalFont);
    entry->setTxtFace(kBoldFace);
    entry->setBackColor(CColor{236, 237, 237, 255});
    entry->setFrameColor(CColor{236, 237, 237, 255});
    entry->setFontColor(CColor{10, 10, 10, 255});

    for (CView* view : std::initializer_list<CView*>{knob, drive, fourWay, meter, led, button, meterSource,
                                                                 counter, label, pageSwitch}) {
        frame->addView(view);
        view->forget();
    }
    input.attach(frame);
}

void ControlsWindow::TearDown() {
    if (!frame) return;
    input.releaseEverything();
    pump(frame, 2);
    entry->forget();  // a frame showing the field keeps its own reference
    frame->forget();
    frame = nullptr;
}

void ControlsWindow::click(int x, int y, std::initializer_list<unsigned long> keys,
                           std::initializer_list<std::function<void()>> steps) {
    for (unsigned long key : keys) input.keyDown(key);
    input.moveTo(x, y);
    editor.script.assign(steps.begin(), steps.end());
    input.press(1);
    pump(frame);
    input.release(1);
    for (unsigned long key : keys) input.keyUp(key);
    pump(frame);
    editor.script.clear();
}

int ControlsWindow::frameShownAt(int x, int y, int base) {
    const std::uint32_t c = input.pixel(x, y);
    if (((c >> 8) & 0xFF) != static_cast<std::uint32_t>(base) || (c & 0xFF) != 0x80) return -1;
    return (static_cast<int>(c >> 16) - 10) / 2;
}

}  // namespace editor_test
