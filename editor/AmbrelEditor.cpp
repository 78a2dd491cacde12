#include "editor/AmbrelEditor.h"

#include <cmath>
#include <cstring>

#include "core/Ambrel.h"
#include "editor/AmbrelEditorLayout.h"
#include "editor/AmbrelValueEntry.h"
#include "editor/CAnimKnob2.h"
#include "editor/CAnimKnob3.h"
#include "editor/CCounter.h"
#include "editor/CLabel2.h"
#include "editor/CMovieLED.h"
#include "editor/CMovieMeter.h"
#include "editor/CMyFrame.h"
#include "editor/CMyLRUDButton.h"
#include "editor/CMyOnOffButton.h"
#include "editor/CMyTextEdit.h"
#include "editor/CMyVerticalSwitch.h"
#include "editor/CViewContainerSwitch.h"
#include "toolkit/CAnimKnob.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CParamDisplay.h"
#include "toolkit/CViewContainer.h"

namespace ambrel {

using namespace VSTGUI;

namespace {

constexpr CColor kLatencyTextColor{40, 40, 40, 255};
constexpr CColor kSettingsTextColor{170, 170, 170, 255};
constexpr CColor kEntryBackColor{236, 237, 237, 255};
constexpr CColor kEntryTextColor{10, 10, 10, 255};

CParamDisplay* makeReadout(const CRect& rect, CBitmap* backdrop, CColor color, ValueFormatter format) {
    auto* display = new CParamDisplay(rect, backdrop);
    display->copyBackOffset();  // the patch of the backdrop behind the readout
    display->setHoriAlign(kCenterText);
    display->setFont(kNormalFontVerySmall);
    display->setFontColor(color);
    display->setStringConvert(format);
    display->setTag(-1);  // a readout reports nothing and carries no parameter
    return display;
}

}  // namespace

AmbrelEditor::AmbrelEditor(Ambrel* effect, const Edition& edition)
    : CPresetSystemEditor(effect, edition), ambrel(effect) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = kEditorHeight;
    rect.right = kEditorWidth;
    if (ambrel) ambrel->engine().editorOpen = 0;
}

// The effect closes a window that is still open before it goes (its own state
// is gone by the time the base class deletes this object).
AmbrelEditor::~AmbrelEditor() = default;

CBitmap* AmbrelEditor::bitmap(int id) {
    for (CBitmap*& slot : loaded) {
        if (slot && slot->getResourceId() == id) return slot;
        if (!slot) return slot = new CBitmap(id);
    }
    return nullptr;  // more pictures than slots: the control goes without one
}

void AmbrelEditor::releaseBitmaps() {
    for (CBitmap*& slot : loaded) {
        if (slot) slot->forget();
        slot = nullptr;
    }
}

bool AmbrelEditor::open(void* parentWindow) {
    if (!ambrel) return false;
    foreignChanges.adoptCallingThread();  // the controls built below read every value afresh
    AEffGUIEditor::open(parentWindow);
    const Edition& ed = edition();

    // The frame takes the size of the background picture (the fixed window
    // size when the picture is missing, so the window still works).
    CBitmap* background = bitmap(ed.editorBackgroundBitmap);
    ERect* origin = nullptr;
    getRect(&origin);
    const int width = background && background->getWidth() > 0 ? background->getWidth() : kEditorWidth;
    const int height = background && background->getHeight() > 0 ? background->getHeight() : kEditorHeight;
    myFrame = new CMyFrame(CRect(origin->left, origin->top, origin->left + width, origin->top + height), parentWindow,
                           this);
    frame = myFrame;
    myFrame->setBackground(background);

    mainPage = new CViewContainer(CRect(0, 0, width, height - kMainPageBottomMargin), myFrame, background);
    // The settings page is as high as its picture less a margin, so the
    // preset strip below it stays visible.
    CBitmap* settingsBackground = bitmap(kSettingsBackgroundBitmap);
    const int settingsHeight = settingsBackground && settingsBackground->getHeight() > 0
                                   ? settingsBackground->getHeight()
                                   : kSettingsBackgroundHeight;
    settingsPage = new CViewContainer(CRect(0, 0, width, settingsHeight - kSettingsPageBottomMargin), myFrame,
                                      settingsBackground);
    buildPage(mainPage, mainPageLayout(), ed.editorBackgroundBitmap);
    buildPage(settingsPage, settingsPageLayout(), kSettingsBackgroundBitmap);

    // The entry field waits aside until a double click opens it over the readout.
    entryField = new CMyTextEdit(kValueEntryRect, this, ed.editorTags.valueEntry, "", nullptr, 0);
    entryField->setBackColor(kEntryBackColor);
    entryField->setFrameColor(kEntryBackColor);
    entryField->setFontColor(kEntryTextColor);
    entryField->setTxtFace(kBoldFace);
    entryField->setFont(kNormalFont);

    myFrame->addView(mainPage);
    mainPage->forget();  // the frame holds the page shown
    shownPage = mainPage;
    heldPage = settingsPage;  // its creation reference is the editor's
    releaseBitmaps();

    CPresetSystemEditor::open(parentWindow);
    ambrel->engine().editorOpen = 1;
    return true;
}

void AmbrelEditor::buildPage(CViewContainer* page, std::span<const ControlPlace> layout, int backdropBitmap) {
    for (const ControlPlace& place : layout)
        if (CControl* control = makeControl(page, place, backdropBitmap)) addControl(page, control);
}

void AmbrelEditor::addControl(CViewContainer* page, CControl* control) {
    const int tag = control->getTag();
    if (tag >= 0 && tag < kTagSlots && !controls[tag]) controls[tag] = control;
    page->addView(control);
    control->forget();
}

CControl* AmbrelEditor::makeControl(CViewContainer* page, const ControlPlace& place, int backdropBitmap) {
    const Edition& ed = edition();
    const EditorControlTags& tags = ed.editorTags;
    const int tag = place.role == kRoleNone ? -1 : indexOf(place.role);
    const CRect& r = place.rect;
    CBitmap* strip = place.bitmap ? bitmap(place.bitmap) : nullptr;
    const auto frameHeight = [&](int frames) { return strip && frames > 0 ? strip->getHeight() / frames : 0; };
    CControl* control = nullptr;

    switch (place.kind) {
        case ControlKind::kLatencyMs:
        case ControlKind::kLatencySamples: {
            const bool ms = place.kind == ControlKind::kLatencyMs;
            CParamDisplay* display = makeReadout(r, bitmap(backdropBitmap), kLatencyTextColor,
                                                 ms ? formatMilliseconds : formatSamples);
            display->setValue(ms ? static_cast<float>(ambrel->getLatencyMs())
                                 : static_cast<float>(ambrel->getLatencySamples()));
            latency[ms ? 0 : 1] = display;
            return display;
        }
        case ControlKind::kOversampleButton:
            if (!ed.hasOversampling) return nullptr;
            [[fallthrough]];
        case ControlKind::kOnOffButton:
            control = new CMyOnOffButton(r, this, tag, strip);
            break;
        case ControlKind::kProcessButton:
            control = new CMyOnOffButton(r, this, tag, bitmap(ed.processButtonBitmap));
            break;
        case ControlKind::kFourWayButton:
            control = new CMyLRUDButton(r, this, tag, strip);
            break;
        case ControlKind::kVerticalSwitch:
            control = new CMyVerticalSwitch(r, this, tag, place.frames, frameHeight(place.frames), place.frames, strip);
            break;
        case ControlKind::kKnob:
            control = new CAnimKnob(r, this, tag, place.frames, frameHeight(place.frames), strip);
            break;
        case ControlKind::kFineKnob:
            control = new CAnimKnob2(r, this, tag, place.frames, frameHeight(place.frames), strip);
            break;
        case ControlKind::kGridKnob:
            control = new CAnimKnob3(r, this, tag, place.frames, r.height(), r.width(), strip);
            break;
        case ControlKind::kLeftMeter:
        case ControlKind::kRightMeter: {
            const int side = place.kind == ControlKind::kLeftMeter ? 0 : 1;
            meters[side] = new CMovieMeter(r, this, tag, strip, bitmap(kMeterScaleOneFaceBitmap),
                                           ambrel->parameters().meterScaleWide());
            return meters[side];  // the needle follows the meter values, not the scale parameter
        }
        case ControlKind::kReadout:
            readout = new CCounter(r, this, tags.readout, kReadoutStartValue, kCounterDecibels, r.left, r.top,
                                   kReadoutGlyphWidth, kReadoutGlyphHeight, strip);
            return readout;
        case ControlKind::kLeftLed:
        case ControlKind::kRightLed: {
            const int side = place.kind == ControlKind::kLeftLed ? 0 : 1;
            leds[side] = new CMovieLED(r, this, side == 0 ? tags.leftLed : tags.rightLed, place.frames,
                                       frameHeight(place.frames), strip);
            leds[side]->setValue(0.0f);
            return leds[side];
        }
        case ControlKind::kToSettingsPage:
            return new CViewContainerSwitch(r, this, tags.toSettingsPage);
        case ControlKind::kToMainPage:
            return new CViewContainerSwitch(r, this, tags.toMainPage);
        case ControlKind::kVersionLabel:
        {
            auto* label = new CLabel2(r, kVersionText);
            label->setTag(-1);
            return label;
        }
    }
    if (!control) return nullptr;

    if (place.kind == ControlKind::kKnob || place.kind == ControlKind::kFineKnob ||
        place.kind == ControlKind::kGridKnob) {
        control->setDefaultValue(place.defaultValue);
        control->setWheelInc(place.wheelStep);
    }
    control->setValue(ambrel->getParameter(tag));

    // A settings-page knob's readout goes right after it, on the same backdrop.
    if (place.format && place.readout.width() > 0 && tag >= 0 && tag < kTagSlots) {
        CParamDisplay* display = makeReadout(place.readout, bitmap(backdropBitmap), kSettingsTextColor, place.format);
        display->setValue(ambrel->getDisplayValue(tag));
        valueReadouts[tag] = display;
        addControl(page, control);
        return display;
    }
    return control;
}

void AmbrelEditor::forgetControls() {
    for (CControl*& c : controls) c = nullptr;
    for (CParamDisplay*& d : valueReadouts) d = nullptr;
    latency[0] = latency[1] = nullptr;
    meters[0] = meters[1] = nullptr;
    leds[0] = leds[1] = nullptr;
    readout = nullptr;
    lastHovered = nullptr;
}

void AmbrelEditor::close() {
    if (ambrel) ambrel->engine().editorOpen = 0;
    noTargetCount = 0;
    hoverIdleCount = 0;
    pendingEntry = -1;
    CPresetSystemEditor::close();
    forgetControls();
    if (heldPage) heldPage->forget();  // with its controls
    if (entryField) entryField->forget();
    entryField = nullptr;
    if (CFrame* old = frame) {
        frame = nullptr;
        old->forget();  // with the page it shows
    }
    myFrame = nullptr;
    mainPage = settingsPage = shownPage = heldPage = nullptr;
    AEffGUIEditor::close();
}

CControl* AmbrelEditor::controlOf(int tag) const {
    if (tag < 0 || tag >= kTagSlots) return nullptr;
    if (controls[tag]) return controls[tag];
    if (tag == edition().editorTags.readout) return readout;
    return nullptr;
}

bool AmbrelEditor::beginEdit(VstInt32 index) {
    return index >= 0 && index < edition().numParams ? CPresetSystemEditor::beginEdit(index) : false;
}

bool AmbrelEditor::endEdit(VstInt32 index) {
    return index >= 0 && index < edition().numParams ? CPresetSystemEditor::endEdit(index) : false;
}

// ---- Effect to editor ---------------------------------------------------------

void AmbrelEditor::refreshControl(int index) {
    if (CControl* control = controlOf(index)) control->setValue(ambrel->getParameter(index));
}

void AmbrelEditor::showOnReadout(int index, int mode) {
    if (readout) readout->setValueAndMode(ambrel->getDisplayValue(index), mode);
}

void AmbrelEditor::setParameter(VstInt32 index, float /*value*/) {
    if (!foreignChanges.onOwnerThread()) {
        foreignChanges.noteIndex(index);
        return;
    }
    if (!frame || !ambrel) return;
    const EditorControlTags& tags = edition().editorTags;
    const ParameterRole role = edition().roleOf(index);
    switch (role) {
        case kProcess:
        case kMode:
            refreshControl(index);
            refreshLatency();
            return;
        case kDrive: case kKnee: case kSpeed: case kRelease: case kHighAdjust: case kLowAdjust:
        case kHighFreq: case kLowFreq: case kMix: case kCeiling: case kOutput:
            refreshControl(index);
            showOnReadout(index, readoutModeOf(role));
            if (role == kSpeed) refreshLatency();
            return;
        case kMonoStereo:
        case kLeftRight:
        case kChannelMode:
            refreshControl(indexOf(kChannelMode));
            return;
        case kLowSat: case kMidSat: case kHighSat: case kLowRel: case kMidRel: case kHighRel: case kFineTune:
        case kVuIntegr: case kVuRefer: case kPpmIntegr: case kPpmReturn: case kOverIndic:
            refreshControl(index);
            if (index < kTagSlots && valueReadouts[index]) valueReadouts[index]->setValue(ambrel->getDisplayValue(index));
            return;
        case kMeterScale:
            for (CMovieMeter* m : meters)
                if (m) m->setScale(ambrel->parameters().meterScaleWide());
            return;
        case kLink: case kMeters: case kMeterType: case kFat: case kLong: case kAuto: case kBrickwall: case kKnobMode:
            refreshControl(index);
            return;
        default:
            break;
    }
    if (role == kRoleNone && (index == tags.toSettingsPage || index == tags.toMainPage)) switchPage();
}

void AmbrelEditor::refreshLatency() {
    if (!ambrel) return;
    if (latency[0]) {
        latency[0]->setValue(static_cast<float>(ambrel->getLatencyMs()));
        latency[0]->setDirty(true);
    }
    if (latency[1]) {
        latency[1]->setValue(static_cast<float>(ambrel->getLatencySamples()));
        latency[1]->setDirty(true);
    }
}

void AmbrelEditor::parkMeters() {
    if (!ambrel) return;
    const int metersIndex = indexOf(kMeters);
    const float source = metersIndex >= 0 ? ambrel->getParameter(metersIndex) : 0.0f;
    // Gain reduction rests at full scale; the level meters at the bottom.
    const float rest = static_cast<int>(2.0f * source + 0.5f) == 1 ? 1.0f : 0.0f;
    for (CMovieMeter* m : meters)
        if (m) m->setValue(rest);
    for (CMovieLED* led : leds)
        if (led) led->setValue(0.0f);
}

void AmbrelEditor::switchPage() {
    if (!frame || !shownPage || !heldPage) return;
    CViewContainer* toShow = heldPage;
    frame->addView(toShow);
    toShow->forget();  // the frame now holds the page shown
    heldPage = shownPage;
    shownPage = toShow;
    frame->removeView(heldPage, false);  // the frame's reference becomes the editor's
    pendingEntry = -1;
    toShow->setDirty(true);
}

// ---- Editor to effect ---------------------------------------------------------

void AmbrelEditor::redraw(CControl* control) {
    if (frame && control && control->isDirty()) frame->drawView(control);
}

void AmbrelEditor::valueChanged(CDrawContext* context, CControl* control) {
    CPresetSystemEditor::valueChanged(context, control);
    if (!control || !ambrel) return;
    const Edition& ed = edition();
    const int tag = control->getTag();
    // The preset strip's tags are the base class's alone.
    const int stripRole = tag - ed.presetStripTagOffset;
    if (stripRole >= kProgramNameTag && stripRole <= kStoreMemoBTag) return;
    const float v = control->getValue();

    switch (ed.roleOf(tag)) {
        case kSnap: case kFineTune: case kMeterScale: case kVuIntegr: case kVuRefer: case kPpmIntegr:
        case kPpmReturn: case kOverIndic: case kKnobMode:
            // Settings the host does not automate.
            ambrel->setParameter(tag, v);
            redraw(control);
            return;
        case kChannelMode: {
            // One position of the four-way button is two host parameters,
            // each sent inside its own open edit.
            ambrel->setParameter(tag, v);
            const int monoStereo = indexOf(kMonoStereo);
            const int leftRight = indexOf(kLeftRight);
            if (!frame) return;
            frame->beginEdit(monoStereo);
            frame->beginEdit(leftRight);
            ambrel->setParameterAutomated(monoStereo, ambrel->getParameter(monoStereo));
            ambrel->setParameterAutomated(leftRight, ambrel->getParameter(leftRight));
            frame->endEdit(monoStereo);
            frame->endEdit(leftRight);
            return;
        }
        default:
            break;
    }
    if (tag >= 0 && tag < ed.numParams)
        ambrel->setParameterAutomated(tag, v);
    else
        ambrel->setParameter(tag, v);  // the page switches come back through setParameter
    redraw(control);
}

// ---- Typed value entry ----------------------------------------------------------

// The field opens once the click that asked for it has been handled: the
// frame ends any text edit the click itself did not start inside, which would
// otherwise close the new field at once.
void AmbrelEditor::openValueEntry(int index) {
    if (!mainPageShown() || !entryField || !myFrame || !ambrel) return;
    if (!takesValueEntry(edition().roleOf(index))) return;
    pendingEntry = index;
}

void AmbrelEditor::beginValueEntry(int index) {
    if (!mainPageShown() || !entryField || !myFrame) return;
    const ParameterRole role = edition().roleOf(index);
    char text[64];
    valueEntryText(role, ambrel->getDisplayValue(index), text, sizeof text);
    if (!mainPage->isChild(entryField)) mainPage->addView(entryField);
    entryField->setText(text);
    myFrame->setFocusView(entryField);
    entryField->beginEntry(index);
    myFrame->setEntryView(entryField);
}

void AmbrelEditor::applyValueEntry(int index, const char* text) {
    if (!ambrel) return;
    if (mainPage && entryField && mainPage->isChild(entryField)) mainPage->removeView(entryField, true);
    const ParameterRole role = edition().roleOf(index);
    if (!takesValueEntry(role)) return;
    const int fine = indexOf(kFineTune);
    const double f = fine >= 0 ? ambrel->getDisplayValue(fine) : 1.0;
    ambrel->setParameter(index, valueEntryNormalized(role, valueEntryNumber(text), f));
    if (frame) frame->setDirty(true);
}

// ---- Idle -----------------------------------------------------------------------

void AmbrelEditor::idle() {
    AEffGUIEditor::idle();
    if (!frame || !ambrel) return;
    showForeignChanges();
    if (pendingEntry >= 0) {
        const int index = pendingEntry;
        pendingEntry = -1;
        beginValueEntry(index);
    }
    if (ambrel->parameters().knobModeChanged.exchange(false)) {
        const int knobMode = indexOf(kKnobMode);
        setKnobMode(knobMode >= 0 && ambrel->getParameter(knobMode) >= 0.5f ? 2 : 0);
    }
    if (mainPageShown()) {
        updateMeters();
        if (hoverIdleCount >= 8) {
            hoverIdleCount = 0;
            hoverCheck();
        } else {
            ++hoverIdleCount;
        }
    }
    CPresetSystemEditor::idle();
}

void AmbrelEditor::programNameChanged(const char* name) {
    if (!foreignChanges.onOwnerThread()) {
        foreignChanges.noteName();
        return;
    }
    CPresetSystemEditor::programNameChanged(name);
}

void AmbrelEditor::showForeignChanges() {
    foreignChanges.takeIndices([this](int index) { setParameter(index, 0.0f); });
    if (foreignChanges.takeName()) {
        char name[64] = {};
        ambrel->getProgramName(name);
        CPresetSystemEditor::programNameChanged(name);
    }
}

void AmbrelEditor::updateMeters() {
    Engine& engine = ambrel->engine();
    const float left = engine.meterLeft.load(std::memory_order_relaxed);
    const float right = engine.meterRight.load(std::memory_order_relaxed);
    const float overLeft = engine.takeOverFlagLeft();
    const float overRight = engine.takeOverFlagRight();
    if (meters[0]) meters[0]->setValue(left);
    if (meters[1]) meters[1]->setValue(right);
    if (leds[0]) leds[0]->setValue(overLeft);
    if (leds[1]) leds[1]->setValue(overRight);
}

bool AmbrelEditor::skippedByHover(int tag) const {
    const EditorControlTags& tags = edition().editorTags;
    return tag == indexOf(kMeterScale) || tag == tags.toSettingsPage || tag == tags.toMainPage ||
           tag == tags.leftLed || tag == tags.rightLed;
}

void AmbrelEditor::hoverCheck() {
    CPoint where;
    const bool inWindow = frame->getCurrentMouseLocation(where);
    CView* found = inWindow ? mainPage->getViewAt(where) : nullptr;
    auto* control = dynamic_cast<CControl*>(found);
    if (!control || skippedByHover(control->getTag())) {
        if (++noTargetCount > 10) {
            if (readout) readout->setValueAndMode(0.0f, kCounterBlank);
            noTargetCount = 0;
        }
        lastHovered = found;
        return;
    }
    if (found == lastHovered) return;
    lastHovered = found;
    setParameter(control->getTag(), control->getValue());
}

}  // namespace ambrel
