#include "core/ParameterSet.h"

#include <cmath>

#include "core/ParameterMapping.h"
#include "core/ParameterTexts.h"

namespace ambrel {

namespace {
constexpr double kMaxOversamplingRate = 100000.0;  // FAT is unavailable above this host rate
constexpr auto kRelaxed = std::memory_order_relaxed;
}  // namespace

ParameterSet::ParameterSet(const Edition& edition, Engine& engine, ParameterSeams& seams)
    : edition_(edition), engine_(engine), seams_(seams) {}

bool ParameterSet::holdsValue(int index) const {
    if (index < 0 || index >= edition_.numIndices) return false;
    const ParameterRole role = edition_.roleOf(index);
    if (role == kChannelMode) return false;  // derived from Mono Stereo and L R
    return role != kRoleNone || index < edition_.numParams;  // host-visible spares hold theirs
}

void ParameterSet::store(int index, float v) {
    if (holdsValue(index)) values_[static_cast<unsigned>(index)].store(v, kRelaxed);
}

float ParameterSet::stored(int index) const {
    if (!holdsValue(index)) return 0.0f;
    return values_[static_cast<unsigned>(index)].load(kRelaxed);
}

float ParameterSet::monoStereoValue() const { return storedOf(kMonoStereo); }

void ParameterSet::request(unsigned bits) {
    ChangeRequests& requests = engine_.requests;
    if (requests.deferred())
        requests.raise(bits);
    else
        perform(bits);
}

void ParameterSet::performRequests() {
    if (const unsigned bits = engine_.requests.take()) perform(bits);
}

// In the order the parameters have always run them: the rate and coefficients
// first, the resets that design from them after.
void ParameterSet::perform(unsigned bits) {
    Engine& e = engine_;
    if (bits & kRequestFilters) e.updateFilters();
    if (bits & kRequestTimeConstants) e.updateTimeConstants();
    if (bits & kRequestKneeGains)
        e.updateKneeGains();
    else if (bits & kRequestSmallSignalGain)
        e.updateSmallSignalGain();
    if (bits & kRequestClearDelayLines) {
        e.clearDelayLines();
        seams_.clearAlignmentLines();
    }
    if (bits & kRequestResetDetectors) e.resetDetectors();
    if (bits & kRequestResetResamplers) seams_.resetResamplers();
    if (bits & kRequestRetuneVu) e.retuneVuSections();
}

void ParameterSet::setParameter(int index, float value) {
    if (!std::isfinite(value)) return;  // a stray NaN would reach the gains and stay in the audio
    const float v = value <= 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);  // -0 becomes 0 too

    const float passedOn = apply(index, edition_.roleOf(index), v);

    if (index >= 0 && index < edition_.numParams) seams_.recordInPrograms(index, passedOn);
    if (edition_.isGlobal(index)) seams_.recordInAllPrograms(index, passedOn);
    seams_.forwardToEditor(index, passedOn);
}

float ParameterSet::apply(int index, ParameterRole role, float value) {
    const double v = value;
    const double f = engine_.fineRange;
    Engine& e = engine_;
    switch (role) {
        case kProcess:
            store(index, value);
            e.processOn = switchOf(v);
            request(kRequestClearDelayLines);
            break;
        case kMode:
            store(index, value);
            e.modeAmount = v;
            e.multiBand = switchOf(v);
            request(kRequestResetDetectors | kRequestFilters | kRequestTimeConstants);
            break;
        case kLink:
            store(index, value);
            e.linkAmount = v;
            e.stereoLink = switchOf(v);
            break;
        case kDrive:
            store(index, value);
            e.driveGain = driveGainOf(v, f);
            request(kRequestSmallSignalGain);
            break;
        case kKnee: {
            store(index, value);
            const KneeSetting knee = kneeOf(v);
            e.kneeShape = knee.shape;
            e.kneeAmount = knee.amount;
            request(kRequestKneeGains);
            break;
        }
        case kSpeed:
            store(index, value);
            e.speed = v;
            request(kRequestTimeConstants);
            break;
        case kRelease:
            store(index, value);
            e.releaseValue = v;
            e.releaseFactor = releaseFactorOf(v);
            request(kRequestTimeConstants);
            break;
        case kHighAdjust:
            store(index, value);
            e.highAdjustGain = adjustGainOf(v, f);
            break;
        case kLowAdjust:
            store(index, value);
            e.lowAdjustGain = adjustGainOf(v, f);
            break;
        case kHighFreq:
            store(index, value);
            e.highFreqHz = highFreqHzOf(v);
            request(kRequestFilters);
            break;
        case kLowFreq:
            store(index, value);
            e.lowFreqHz = lowFreqHzOf(v);
            request(kRequestFilters);
            break;
        case kMix:
            store(index, value);
            e.mixAmount = v;
            break;
        case kCeiling:
            store(index, value);
            e.ceilingGain = levelGainOf(v, f);
            request(kRequestKneeGains);
            break;
        case kOutput:
            store(index, value);
            e.outputGain = levelGainOf(v, f);
            break;
        case kLowSat:
        case kMidSat:
        case kHighSat: {
            store(index, value);
            const double sat = mappedOf(edition_.satMapping, v);
            if (role == kLowSat) {
                e.lowSat = sat;
                e.lowSatInverse = 1.0 / sat;
            } else if (role == kMidSat) {
                e.midSat = sat;
                e.midSatInverse = 1.0 / sat;
            } else {
                e.highSat = sat;
                e.highSatInverse = 1.0 / sat;
            }
            break;
        }
        case kLowRel:
        case kMidRel:
        case kHighRel: {
            store(index, value);
            const double rel = mappedOf(edition_.relMapping, v);
            (role == kLowRel ? e.lowRel : role == kMidRel ? e.midRel : e.highRel) = rel;
            request(kRequestTimeConstants);
            break;
        }
        case kMeters:
            store(index, value);
            e.meterMode = meterModeOf(v);
            break;
        case kMeterType:
            store(index, value);
            e.meterTypeValue = v;
            break;
        case kSnap: {
            // Off below 0.06125 (the program keeps what was set); otherwise at least 0.125.
            const float snapped = static_cast<float>(snapValueOf(v));
            store(index, snapped);
            snapMs_.store(snapMsOf(v), kRelaxed);
            if (v >= kSnapOffBelow && e.hostRate > kMaxOversamplingRate) e.oversample = 0;
            return v < kSnapOffBelow ? value : snapped;
        }
        case kFineTune:
            applyFineTune(index, value);
            break;
        case kMeterScale:
            store(index, value);
            meterScaleWide_.store(switchOf(v), kRelaxed);
            break;
        case kFat:
            if (!edition_.hasOversampling) {
                store(index, 0.0f);
                e.oversample = 0;
                break;
            }
            store(index, value);
            e.oversample = e.hostRate <= kMaxOversamplingRate ? switchOf(v) : 0;
            request(kRequestFilters | kRequestTimeConstants | kRequestClearDelayLines | kRequestResetDetectors |
                    kRequestResetResamplers);
            break;
        case kLong:
            store(index, value);
            e.longRelease = switchOf(v);
            request(kRequestTimeConstants);
            break;
        case kAuto:
            store(index, value);
            e.autoRelease = switchOf(v);
            break;
        case kBrickwall:
            store(index, value);
            e.brickwall = switchOf(v);
            break;
        case kMonoStereo:  // read by the audio callback from the stored value
            store(index, value);
            break;
        case kLeftRight:
            store(index, value);
            e.leftRightValue = v;
            break;
        case kVuIntegr:
            store(index, value);
            e.vuIntegrationMs = vuIntegrationMsOf(v);
            request(kRequestRetuneVu);
            break;
        case kVuRefer: {
            store(index, value);
            const double gain = vuReferenceGainOf(v);
            e.vuReferenceGain = gain;
            e.vuReferenceGainInverse = 1.0 / gain;
            break;
        }
        case kPpmIntegr:
            store(index, value);
            e.ppmIntegrationMs = ppmIntegrationMsOf(v);
            e.ppmRatio = e.ppmIntegrationMs / e.ppmReturnMs;
            break;
        case kPpmReturn:
            store(index, value);
            e.ppmReturnMs = ppmReturnMsOf(v);
            e.ppmRatio = e.ppmIntegrationMs / e.ppmReturnMs;
            break;
        case kOverIndic: {
            const int step = overIndicStepOf(v);
            store(index, static_cast<float>(overIndicValueOf(step)));
            e.overCountLimit = overCountLimitOf(step);
            break;
        }
        case kKnobMode:
            store(index, value);
            knobMode_.store(v, kRelaxed);
            knobModeChanged.store(true, std::memory_order_release);
            break;
        case kChannelMode:
            applyChannelMode(value);
            break;
        default:
            store(index, value);  // host-visible spares keep their value; others are stored nowhere
            break;
    }
    return value;
}

void ParameterSet::applyFineTune(int index, float v) {
    const int step = fineTuneStepOf(v);
    const double q = fineTuneValueOf(step);
    store(index, static_cast<float>(q));
    engine_.fineRange = fineRangeOf(q);
    // The five ranges follow at once, each change recorded and shown as if set anew.
    for (ParameterRole role : {kCeiling, kDrive, kHighAdjust, kLowAdjust, kOutput}) {
        const int target = edition_.indexOf(role);
        setParameter(target, stored(target));
    }
}

void ParameterSet::applyChannelMode(float v) {
    const double position = v;
    const double last = channelModeLast_.load(kRelaxed);
    if (std::trunc(position * 100.0) != std::trunc(last * 100.0))
        request(kRequestClearDelayLines | kRequestResetDetectors | kRequestResetResamplers);
    channelModeLast_.store(v, kRelaxed);
    const ChannelModeSetting mode = channelModeOf(position);
    store(edition_.indexOf(kMonoStereo), mode.monoStereo);
    store(edition_.indexOf(kLeftRight), mode.leftRight);
    engine_.leftRightValue = mode.leftRight;  // what the mono kernels read
}

float ParameterSet::getParameter(int index) const {
    if (edition_.roleOf(index) == kChannelMode)
        return channelModePositionOf(storedOf(kMonoStereo), storedOf(kLeftRight));
    return stored(index);
}

void ParameterSet::getParameterName(int index, char* text) const { parameterName(edition_, index, text); }

void ParameterSet::getParameterLabel(int index, char* text) const { parameterLabel(edition_, index, text); }

void ParameterSet::getParameterDisplay(int index, char* text) const {
    const DisplayInputs in{stored(index), storedOf(kLeftRight), engine_.fineRange};
    parameterDisplay(edition_, index, in, text);
}

bool ParameterSet::getParameterProperties(int index, VstParameterProperties* properties) const {
    return parameterProperties(edition_, index, properties);
}

float ParameterSet::getDisplayValue(int index) const {
    const double v = stored(index);
    const double f = engine_.fineRange;
    const Engine& e = engine_;
    double answer = 0.0;
    switch (edition_.roleOf(index)) {
        case kProcess: answer = e.processOn; break;
        case kMode: answer = e.multiBand; break;
        case kMonoStereo: answer = switchOf(v); break;
        case kLink: answer = e.stereoLink; break;
        case kDrive: answer = (v - 0.5) * 48.0 * f; break;
        case kKnee:
        case kSpeed:
        case kMix: answer = 100.0 * v; break;
        case kRelease: answer = e.releaseFactor; break;
        case kHighAdjust:
        case kLowAdjust: answer = (v - 0.5) * 24.0 * f; break;
        case kHighFreq: answer = e.highFreqHz; break;
        case kLowFreq: answer = 2.0 * e.lowFreqHz; break;
        case kCeiling:
        case kOutput: answer = std::sqrt(f) * (v - 0.5) * 24.0; break;
        case kLowSat: answer = e.lowSat; break;
        case kMidSat: answer = e.midSat; break;
        case kHighSat: answer = e.highSat; break;
        case kLowRel: answer = e.lowRel; break;
        case kMidRel: answer = e.midRel; break;
        case kHighRel: answer = e.highRel; break;
        case kSnap: answer = snapMs(); break;
        case kFineTune: answer = f; break;
        case kFat: answer = e.oversample; break;
        case kLong: answer = e.longRelease; break;
        case kAuto: answer = e.autoRelease; break;
        case kBrickwall: answer = e.brickwall; break;
        case kLeftRight: answer = leftRightStateOf(v); break;
        case kVuIntegr: answer = e.vuIntegrationMs; break;
        case kVuRefer: answer = e.vuReferenceGain; break;
        case kPpmIntegr: answer = e.ppmIntegrationMs; break;
        case kPpmReturn: answer = e.ppmReturnMs; break;
        case kOverIndic: answer = e.overCountLimit; break;
        case kKnobMode: answer = knobMode(); break;
        default: break;  // Meters, MeterType, MeterScale, spares: no engineering value
    }
    return static_cast<float>(answer);
}

}  // namespace ambrel
