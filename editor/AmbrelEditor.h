#pragma once
// The product's editor: a 450 by 460 window painted from the skin, with two
// pages that share it. The main page carries the everyday knobs and buttons,
// the two needle meters, the over LEDs and the numeric readout; the settings
// page the per-band saturation and release knobs, the meter preferences, the
// fine-adjust range and the knob-mode switch. The preset strip along the
// bottom belongs to the base class.
//
// Every parameter change of the effect, whatever its origin, comes back here
// through setParameter, and each control re-reads its value from the effect;
// a control the user moves becomes a parameter change of the effect.

#include <span>

#include "core/ParameterRole.h"
#include "editor/CValueEntryHost.h"
#include "editor/ForeignThreadChanges.h"
#include "presets/CPresetSystemEditor.h"

namespace VSTGUI {
class CAnimKnob;
class CBitmap;
class CControl;
class CParamDisplay;
class CViewContainer;
}  // namespace VSTGUI

namespace ambrel {

class Ambrel;
class CCounter;
class CMovieLED;
class CMovieMeter;
class CMyFrame;
class CMyTextEdit;
struct ControlPlace;

class AmbrelEditor : public CPresetSystemEditor, public CValueEntryHost {
public:
    AmbrelEditor(Ambrel* effect, const Edition& edition);
    ~AmbrelEditor() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    // Refreshes what shows parameter index (the value passed is not used); on
    // a thread other than the window's, the next idle does.
    void setParameter(VstInt32 index, float value) override;
    // The name field and menu, on the window's thread; from another, the next idle.
    void programNameChanged(const char* name) override;
    // The host hears of edits only for the parameters it knows.
    bool beginEdit(VstInt32 index) override;
    bool endEdit(VstInt32 index) override;

    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;
    void openValueEntry(int index) override;
    void applyValueEntry(int index, const char* text) override;

    // Shows the page held aside and holds the one shown.
    void switchPage();
    // Re-reads both latency readouts (the effect calls it on resume).
    void refreshLatency();
    // Needles at rest and LEDs dark (the effect calls it on suspend).
    void parkMeters();

    // For tests and the effect: what is open and shown.
    bool mainPageShown() const { return shownPage != nullptr && shownPage == mainPage; }
    VSTGUI::CViewContainer* getMainPage() const { return mainPage; }
    VSTGUI::CViewContainer* getSettingsPage() const { return settingsPage; }
    // The control whose tag is tag, on either page (null while closed or absent).
    VSTGUI::CControl* controlOf(int tag) const;
    CCounter* numericReadout() const { return readout; }
    CMyTextEdit* valueEntryField() const { return entryField; }
    bool valueEntryPending() const { return pendingEntry >= 0; }
    CMovieMeter* meter(int side) const { return meters[side]; }
    CMovieLED* overLed(int side) const { return leds[side]; }
    VSTGUI::CParamDisplay* latencyReadout(int which) const { return latency[which]; }  // 0 ms, 1 samples
    VSTGUI::CParamDisplay* valueReadoutOf(int tag) const {
        return tag >= 0 && tag < kTagSlots ? valueReadouts[tag] : nullptr;
    }

private:
    void buildPage(VSTGUI::CViewContainer* page, std::span<const ControlPlace> layout, int backdropBitmap);
    VSTGUI::CControl* makeControl(VSTGUI::CViewContainer* page, const ControlPlace& place, int backdropBitmap);
    VSTGUI::CBitmap* bitmap(int id);
    void releaseBitmaps();
    void addControl(VSTGUI::CViewContainer* page, VSTGUI::CControl* control);
    void refreshControl(int index);
    void showOnReadout(int index, int mode);
    void beginValueEntry(int index);
    void updateMeters();
    void showForeignChanges();
    void hoverCheck();
    bool skippedByHover(int tag) const;
    void redraw(VSTGUI::CControl* control);
    void forgetControls();
    int indexOf(ParameterRole role) const { return edition().indexOf(role); }

    Ambrel* ambrel;
    CMyFrame* myFrame = nullptr;
    VSTGUI::CViewContainer* mainPage = nullptr;
    VSTGUI::CViewContainer* settingsPage = nullptr;
    VSTGUI::CViewContainer* shownPage = nullptr;
    VSTGUI::CViewContainer* heldPage = nullptr;  // the editor holds one reference to it

    // Per tag while the window is open (tags are below kMaxParameterIndices + a few).
    static constexpr int kTagSlots = 96;
    VSTGUI::CControl* controls[kTagSlots] = {};
    VSTGUI::CParamDisplay* valueReadouts[kTagSlots] = {};
    VSTGUI::CParamDisplay* latency[2] = {};
    CMovieMeter* meters[2] = {};
    CMovieLED* leds[2] = {};
    CCounter* readout = nullptr;
    CMyTextEdit* entryField = nullptr;  // kept aside; the editor holds one reference
    int pendingEntry = -1;              // the index whose entry opens on the next idle
    ForeignThreadChanges foreignChanges;

    // Hover readout: one check per 9 idle calls; the readout goes blank after
    // 11 checks without a value control under the mouse.
    int hoverIdleCount = 0;
    int noTargetCount = 0;
    VSTGUI::CView* lastHovered = nullptr;

    // Bitmaps loaded during open, released once the controls hold them.
    static constexpr int kBitmapSlots = 32;  // the skin has 24 distinct pictures for the pages
    VSTGUI::CBitmap* loaded[kBitmapSlots] = {};
};

}  // namespace ambrel
