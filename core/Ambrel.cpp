#include "core/Ambrel.h"

#include "editor/AmbrelEditor.h"

#include <cstdio>
#include <cstring>

namespace ambrel {

namespace {

constexpr float kLowestRate = 22050.0f;
constexpr float kHighestRate = 192000.0f;
constexpr VstInt32 kFallbackBlockSize = 256;

}  // namespace

Ambrel::Ambrel(audioMasterCallback audioMaster, const Edition& edition)
    : CPresetSystemEffect(audioMaster, edition),
      edition_(edition),
      engine_(edition),
      blocks_(edition),
      params_(edition, engine_, *this) {
    construct();
}

Ambrel::Ambrel(audioMasterCallback audioMaster, const Edition& edition, SettingsStore& store)
    : CPresetSystemEffect(audioMaster, edition, store),
      edition_(edition),
      engine_(edition),
      blocks_(edition),
      params_(edition, engine_, *this) {
    construct();
}

void Ambrel::construct() {
    // Engine quantities start neutral (the engine's own construction); the
    // persisted meter preferences come first, in index order.
    applyMeterPreferences();

    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing(true);
    canDoubleReplacing(true);
    setUniqueID(edition_.uniqueId);
    setInitialDelay(getLatencySamples());

    askHostForLatencyAndBlockSize();
    takeSampleRate(false);

    engine_.resetRingGeometry();
    blocks_.startAlignment(engine_.delayLength);
    engine_.clearMeters();
    clearAll();
    blocks_.clearBlocks();

    // FAT starts off; the full edition tells the host, the sibling has no FAT.
    const int fat = edition_.indexOf(kFat);
    if (edition_.reportsFatAtConstruction && fat >= 0)
        setParameterAutomated(fat, 0.0f);
    else
        engine_.oversample = 0;
    initFactoryPrograms();
    selectProgram(0);
    engine_.updateFilters();
    engine_.updateTimeConstants();

    suspend();
    resume();
    new AmbrelEditor(this, edition_);  // registers itself as the effect's editor
    suspend();
    resume();
    suspend();
}

Ambrel::~Ambrel() {
    // A window the host left open goes while the state it shows still exists.
    if (AmbrelEditor* e = productEditor(); e && e->getFrame()) e->close();
    saveMeterPreferences();
}

AmbrelEditor* Ambrel::productEditor() const { return dynamic_cast<AmbrelEditor*>(getEditor()); }

void Ambrel::askHostForLatencyAndBlockSize() {
    getOutputLatency();
    updateBlockSize();
    if (blockSize < 1) blockSize = kFallbackBlockSize;
}

// The construction and suspend clamp a rate out of range; resume replaces it by 44100.
void Ambrel::takeSampleRate(bool resetOutOfRange) {
    float rate = sampleRate;
    if (!(rate >= kLowestRate && rate <= kHighestRate)) {
        if (resetOutOfRange || !(rate == rate))
            rate = 44100.0f;
        else
            rate = rate < kLowestRate ? kLowestRate : kHighestRate;
    }
    sampleRate = rate;
    engine_.setHostRate(rate);
}

void Ambrel::clearAll() {
    engine_.clearDelayLines();
    blocks_.clearAlignmentLines();
    engine_.resetDetectors();
    blocks_.resetResamplers();
}

void Ambrel::resume() {
    if (!suspendedState) suspend();
    askHostForLatencyAndBlockSize();
    takeSampleRate(true);
    setInitialDelay(getLatencySamples());
    blocks_.startAlignment(engine_.delayLength);
    engine_.resetRingGeometry();
    clearAll();
    engine_.updateFilters();
    engine_.updateTimeConstants();
    if (AmbrelEditor* e = productEditor()) e->refreshLatency();
    isReady();
    markSuspended(false);
}

void Ambrel::suspend() {
    // From here on nothing processes: requests run on the calling thread.
    engine_.requests.setDeferred(false);
    params_.performRequests();
    engine_.retuneVuSections();
    askHostForLatencyAndBlockSize();
    takeSampleRate(false);
    clearAll();
    engine_.clearDelayLines();
    blocks_.clearAlignmentLines();
    engine_.resetDetectors();
    engine_.clearMeters();
    const int knobModeIndex = edition_.indexOf(kKnobMode);
    params_.setParameter(knobModeIndex, static_cast<float>(params_.knobMode()));
    if (AmbrelEditor* e = productEditor()) e->parkMeters();
    // The sibling has no oversampling: its FAT slot always reads off.
    if (!edition_.hasOversampling) engine_.oversample = 0;
    markSuspended(true);
    resume();
    markSuspended(true);
}

// While the effect runs, the requests of parameter changes wait for the audio
// callback; while it is suspended, the thread that changes a parameter
// performs them itself. Whatever is pending at either switch is performed here,
// where nothing processes.
void Ambrel::markSuspended(bool suspended) {
    engine_.requests.setDeferred(false);
    params_.performRequests();
    suspendedState = suspended;
    engine_.requests.setDeferred(!suspended);
}

void Ambrel::setSampleRate(float rate) {
    sampleRate = rate;
    suspend();
    resume();
}

// ---- Audio ---------------------------------------------------------------------

template <typename Sample>
void Ambrel::processHostBuffers(Sample** inputs, Sample** outputs, VstInt32 frames) {
    // A missing second pin, or a null channel pointer, falls back to channel 0.
    const Sample* inLeft = inputs ? inputs[0] : nullptr;
    const Sample* inRight = inputs && isInputConnected(1) ? inputs[1] : nullptr;
    if (!inLeft) inLeft = inRight;
    if (!inRight) inRight = inLeft;
    Sample* outLeft = outputs ? outputs[0] : nullptr;
    Sample* outRight = outputs && isOutputConnected(1) ? outputs[1] : nullptr;
    if (!outLeft) outLeft = outRight;
    if (!outRight) outRight = outLeft;
    if (!inLeft || !outLeft) frames = 0;
    params_.performRequests();
    blocks_.process(engine_, params_.monoStereoValue(), inLeft, inRight, outLeft, outRight, frames);
}

void Ambrel::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processHostBuffers(inputs, outputs, sampleFrames);
}

void Ambrel::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processHostBuffers(inputs, outputs, sampleFrames);
}

// ---- Parameters ----------------------------------------------------------------

void Ambrel::setParameter(VstInt32 index, float value) { params_.setParameter(index, value); }
float Ambrel::getParameter(VstInt32 index) { return params_.getParameter(index); }
void Ambrel::getParameterLabel(VstInt32 index, char* label) { params_.getParameterLabel(index, label); }
void Ambrel::getParameterDisplay(VstInt32 index, char* text) { params_.getParameterDisplay(index, text); }
void Ambrel::getParameterName(VstInt32 index, char* text) { params_.getParameterName(index, text); }
bool Ambrel::getParameterProperties(VstInt32 index, VstParameterProperties* properties) {
    return params_.getParameterProperties(index, properties);
}
bool Ambrel::canParameterBeAutomated(VstInt32 index) { return params_.canParameterBeAutomated(index); }
bool Ambrel::string2parameter(VstInt32 index, char* text) { return params_.string2parameter(index, text); }
float Ambrel::getDisplayValue(VstInt32 index) { return params_.getDisplayValue(index); }

void Ambrel::clearAlignmentLines() { blocks_.clearAlignmentLines(); }
void Ambrel::resetResamplers() { blocks_.resetResamplers(); }
void Ambrel::recordInPrograms(int index, float value) { CPresetSystemEffect::setParameter(index, value); }
void Ambrel::recordInAllPrograms(int index, float value) { recordGlobalParameter(index, value); }
void Ambrel::forwardToEditor(int index, float value) {
    if (AmbrelEditor* e = productEditor()) e->setParameter(index, value);
}

// ---- Identity ------------------------------------------------------------------

namespace {

bool fillPin(VstInt32 index, VstPinProperties* properties, const char* format) {
    if (index < 0 || index > 1) return false;
    std::snprintf(properties->label, sizeof properties->label, format, static_cast<int>(index + 1));
    properties->flags = kVstPinIsActive | (index == 0 ? kVstPinIsStereo : 0);
    return true;
}

bool copyText(char* out, const char* text, std::size_t limit) {
    std::strncpy(out, text, limit);
    out[limit] = 0;
    return true;
}

}  // namespace

bool Ambrel::getInputProperties(VstInt32 index, VstPinProperties* properties) {
    return fillPin(index, properties, "My %1d In");
}

bool Ambrel::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
    return fillPin(index, properties, "My %1d Out");
}

bool Ambrel::getEffectName(char* name) { return copyText(name, edition_.effectName, kVstMaxEffectNameLen); }
bool Ambrel::getVendorString(char* text) { return copyText(text, edition_.vendorString, kVstMaxVendorStrLen); }
bool Ambrel::getProductString(char* text) {
    return copyText(text, edition_.productString, kVstMaxProductStrLen);
}
VstInt32 Ambrel::getVendorVersion() { return edition_.vendorVersion; }
VstInt32 Ambrel::getPlugCategory() { return kPlugCategMastering; }
VstInt32 Ambrel::canDo(char* /*text*/) { return 0; }

// ---- Queries -------------------------------------------------------------------

double Ambrel::kneeInverse(double u) { return engine_.kneeInverse(u); }
double Ambrel::smallSignalGain() { return engine_.smallSignalGain; }

VstInt32 Ambrel::getLatencySamples() { return edition_.latencySamples(sampleRate); }
VstInt32 Ambrel::lookAheadLength() { return edition_.lookAheadLength(sampleRate); }
VstInt32 Ambrel::delayLength() { return edition_.delayLength(sampleRate); }

double Ambrel::getLatencyMs() {
    double rate = sampleRate;
    if (!(rate >= 20000.0 && rate <= 200000.0)) rate = 44100.0;
    return getLatencySamples() * 1000.0 / rate;
}

}  // namespace ambrel
