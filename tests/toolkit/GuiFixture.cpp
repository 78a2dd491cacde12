#include "GuiFixture.h"

#include "TestImages.h"
#include "toolkit/CBitmap.h"

using namespace VSTGUI;

namespace toolkit_test {
namespace {

GuiEffect* gCurrent = nullptr;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (gCurrent) gCurrent->calls.push_back({opcode, index, opt});
    if (opcode == audioMasterVersion) return 2400;
    return 0;
}

}  // namespace

GuiEffect::GuiEffect() : AudioEffectX(recordingHost, 1, 4) { gCurrent = this; }

void GuiEffect::setParameter(VstInt32 index, float value) {
    if (index >= 0 && index < 4) values[index] = value;
}

float GuiEffect::getParameter(VstInt32 index) { return index >= 0 && index < 4 ? values[index] : 0.0f; }

GuiEditor::GuiEditor(AudioEffect* e) : AEffGUIEditor(e) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = 460;
    rect.right = 450;
}

bool GuiEditor::open(void* parent) {
    AEffGUIEditor::open(parent);
    ++opens;
    auto* background = new CBitmap(kBackgroundId);
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parent, this);
    frame->setBackground(background);

    auto* strip = new CBitmap(kKnobStripId);
    knob = new CAnimKnob(CRect(46, 167, 106, 217), this, 0, 101, 50, strip);
    knob->setValue(effect->getParameter(0));
    frame->addView(knob);
    knob->forget();
    strip->forget();

    auto* two = new CBitmap(kButtonId);
    button = new COnOffButton(CRect(42, 398, 78, 438), this, 1, two);
    button->setValue(effect->getParameter(1));
    frame->addView(button);
    button->forget();
    two->forget();

    auto* three = new CBitmap(kSwitchId);
    vswitch = new CVerticalSwitch(CRect(206, 28, 246, 78), this, 2, 3, 50, 3, three);
    frame->addView(vswitch);
    vswitch->forget();
    three->forget();

    display = new CParamDisplay(CRect(120, 428, 165, 438), background);
    display->copyBackOffset();
    display->setFont(kNormalFontVerySmall);
    display->setFontColor(CColor{40, 40, 40, 255});
    display->setValue(12.5f);
    frame->addView(display);
    display->forget();

    text = new CTextEdit(CRect(176, 444, 290, 458), this, 59, "Default", background);
    text->setBackOffset(CPoint(176, 444));
    text->setFont(kNormalFontSmall);
    text->setFontColor(CColor{76, 76, 72, 255});
    text->setBackColor(CColor{207, 222, 235, 255});
    text->setFrameColor(CColor{76, 76, 72, 255});
    text->setHoriAlign(kCenterText);
    frame->addView(text);
    text->forget();

    menu = new COptionMenu(CRect(293, 444, 303, 458), this, 65, nullptr, nullptr, 0);
    menu->addEntry("Default");
    menu->addEntry("-");
    for (int i = 1; i <= 30; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Program %d", i);
        menu->addEntry(name);
    }
    menu->setNbItemsPerColumn(16);
    menu->setStyle(kNoDrawStyle | kCheckStyle);
    menu->setCurrent(0, false);
    frame->addView(menu);
    menu->forget();

    background->forget();
    return true;
}

void GuiEditor::close() {
    knob = nullptr;
    button = nullptr;
    vswitch = nullptr;
    text = nullptr;
    menu = nullptr;
    display = nullptr;
    if (frame) {
        CFrame* old = frame;
        frame = nullptr;
        old->forget();
    }
    AEffGUIEditor::close();
}

void GuiEditor::doIdleStuff() {
    if (step < script.size()) script[step++]();
    AEffGUIEditor::doIdleStuff();
}

void GuiEditor::valueChanged(CDrawContext*, CControl* control) {
    changes.push_back({control->getTag(), control->getValue()});
    if (control->getTag() < 4) static_cast<AudioEffectX*>(effect)->setParameterAutomated(control->getTag(), control->getValue());
}

void GuiTest::SetUp() {
    std::string why;
    session = XSession::get(&why);
    if (!session) GTEST_SKIP() << "GUI test skipped: no X server could be started: " << why;
    registerGuiImages();
    host = session->makeHostWindow(450, 460);
    effect = new GuiEffect;
    editor = new GuiEditor(effect);
    editor->setKnobMode(kCircularMode);
}

void GuiTest::TearDown() {
    if (!session) return;
    closeEditor();
    delete effect;  // deletes the editor
    if (host) session->destroyWindow(host);
    session->release(1);
    session->moveTo(1200, 1000);
}

void GuiTest::openEditor() {
    ASSERT_EQ(effect->dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(host), 0.0f), 1);
    ASSERT_NE(editor->getFrame(), nullptr);
    pumpFor(3);
}

void GuiTest::closeEditor() {
    if (effect) effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
}

bool GuiTest::pumpUntil(const std::function<bool()>& done) {
    return waitFor([this] { effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); }, done);
}

void GuiTest::pumpFor(int passes) {
    for (int i = 0; i < passes; ++i) {
        XSync(session->display(), False);
        effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    }
}

void GuiTest::pointAt(int x, int y) {
    int rx = 0, ry = 0;
    screen(x, y, rx, ry);
    session->moveTo(rx, ry);
}

std::string GuiTest::shoot(const std::string& name) {
    pumpFor(2);
    return session->screenshot(host, name);
}

bool GuiTest::showsColour(int x, int y, unsigned long colour) {
    return pumpUntil([&] { return session->pixel(host, x, y) == colour; });
}

int GuiTest::countHostCalls(VstInt32 opcode) const {
    int n = 0;
    for (const HostCall& c : effect->calls) n += c.opcode == opcode;
    return n;
}

}  // namespace toolkit_test
