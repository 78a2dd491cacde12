#pragma once
// The parameters of the effect: the stored normalized value of every index,
// what a new value does to the engine, and the texts and properties the host
// and the editor see. Numbering, texts and mappings come from the edition.
//
// setParameter may arrive on the audio thread (automation) or the GUI thread;
// stored values and engine quantities are relaxed atomics. What a change asks
// to be recomputed or reset waits, while processing runs, for the audio
// callback (performRequests); while it is suspended it runs at once.

#include <array>
#include <atomic>

#include "core/Edition.h"
#include "core/ParameterSeams.h"
#include "core/vst/VstInterface.h"
#include "dsp/Engine.h"

namespace ambrel {

class ParameterSet {
public:
    ParameterSet(const Edition& edition, Engine& engine, ParameterSeams& seams);
    ParameterSet(const ParameterSet&) = delete;
    ParameterSet& operator=(const ParameterSet&) = delete;

    // Stores the value, sets the engine quantities and requests what they need
    // recomputed, then records it in the programs and tells the editor.
    // A value that is not finite is ignored; others are clamped to 0..1.
    void setParameter(int index, float value);
    // The stored value (channel mode derived from Mono Stereo and L R); 0 for
    // indices without a parameter.
    float getParameter(int index) const;

    void getParameterName(int index, char* text) const;
    void getParameterLabel(int index, char* text) const;
    void getParameterDisplay(int index, char* text) const;
    bool getParameterProperties(int index, VstParameterProperties* properties) const;
    bool canParameterBeAutomated(int /*index*/) const { return true; }
    bool string2parameter(int /*index*/, const char* /*text*/) const { return false; }

    // The value in the units of the editor's readouts; 0 for indices without one.
    float getDisplayValue(int index) const;

    // The audio callback, before its first block: the recomputations and resets
    // that parameter changes requested since the last call.
    void performRequests();

    // The stored Mono Stereo value; the audio callback picks the stereo kernels above 0.5.
    float monoStereoValue() const;
    // MeterScale: 1 for the wide meter scale (-40..+6 dB).
    int meterScaleWide() const { return meterScaleWide_.load(std::memory_order_relaxed); }
    // Knob Mode: below 0.5 circular, otherwise linear.
    double knobMode() const { return knobMode_.load(std::memory_order_relaxed); }
    // Raised by every Knob Mode change; the editor clears it once applied.
    std::atomic<bool> knobModeChanged{false};
    // The millisecond figure of the unnamed snap index (-1 when off, else 0..1000).
    double snapMs() const { return snapMs_.load(std::memory_order_relaxed); }

    const Edition& edition() const { return edition_; }

private:
    // Step 1: stores and derives; answers the value the later steps pass on.
    float apply(int index, ParameterRole role, float v);
    void applyFineTune(int index, float v);
    void applyChannelMode(float v);
    // Raises the requests while processing runs, else performs them here.
    void request(unsigned bits);
    void perform(unsigned bits);
    void store(int index, float v);
    float stored(int index) const;
    float storedOf(ParameterRole role) const { return stored(edition_.indexOf(role)); }
    bool holdsValue(int index) const;

    const Edition& edition_;
    Engine& engine_;
    ParameterSeams& seams_;
    std::array<std::atomic<float>, kMaxParameterIndices> values_{};
    std::atomic<float> channelModeLast_{0.0f};
    std::atomic<double> knobMode_{0.0};
    std::atomic<double> snapMs_{-1.0};
    std::atomic<int> meterScaleWide_{0};
};

}  // namespace ambrel
