#pragma once
// The effect the host talks to: the parameter set, the engine and the audio
// callback's block loop on top of the program bank. It builds itself in a fixed
// order (preferences, descriptor, host queries, factory programs, program 0,
// the suspend/resume sequence around the editor object), recomputes every
// rate-dependent state on suspend and resume, and reports a latency that does
// not depend on oversampling.

#include "core/BlockProcessor.h"
#include "core/Edition.h"
#include "core/ParameterSeams.h"
#include "core/ParameterSet.h"
#include "dsp/Engine.h"
#include "presets/CPresetSystemEffect.h"

namespace ambrel {

class AmbrelEditor;

class Ambrel : public CPresetSystemEffect, private ParameterSeams {
public:
    Ambrel(audioMasterCallback audioMaster, const Edition& edition);
    Ambrel(audioMasterCallback audioMaster, const Edition& edition, SettingsStore& store);
    ~Ambrel() override;

    // Lifecycle.
    void suspend() override;
    void resume() override;
    void setSampleRate(float rate) override;

    // Audio.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Parameters.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;
    bool canParameterBeAutomated(VstInt32 index) override;
    bool string2parameter(VstInt32 index, char* text) override;

    // Identity and pins.
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 getPlugCategory() override;
    VstInt32 canDo(char* text) override;
    VstInt32 getTailSize() override { return 0; }
    bool setProcessPrecision(VstInt32 /*precision*/) override { return true; }  // both are processed

    // The effect's own queries, used by the editor.
    virtual float getDisplayValue(VstInt32 index);
    virtual double kneeInverse(double u);
    virtual double smallSignalGain();
    virtual double getLatencyMs();
    virtual VstInt32 getLatencySamples();
    virtual VstInt32 lookAheadLength();
    virtual VstInt32 delayLength();
    virtual bool isReady() { return true; }

    Engine& engine() { return engine_; }
    ParameterSet& parameters() { return params_; }
    bool isSuspended() const { return suspendedState; }
    VstInt32 hostOutputLatency() const { return outputLatency; }
    // The product editor, when there is one (its window may be closed).
    AmbrelEditor* productEditor() const;

private:
    void construct();
    void clearAll();                  // every delay line, detector and resampler history
    void takeSampleRate(bool resetOutOfRange);
    void askHostForLatencyAndBlockSize();
    void markSuspended(bool suspended);

    // ParameterSeams
    void clearAlignmentLines() override;
    void resetResamplers() override;
    void recordInPrograms(int index, float value) override;
    void recordInAllPrograms(int index, float value) override;
    void forwardToEditor(int index, float value) override;

    template <typename Sample>
    void processHostBuffers(Sample** inputs, Sample** outputs, VstInt32 frames);

    const Edition& edition_;
    Engine engine_;
    BlockProcessor blocks_;
    ParameterSet params_;
    bool suspendedState = false;
};

}  // namespace ambrel
