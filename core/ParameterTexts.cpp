#include "core/ParameterTexts.h"

#include <cstring>

#include "core/ParameterMapping.h"
#include "core/ParameterNumber.h"

namespace ambrel {

namespace {

struct RoleTexts {
    const char* name;
    const char* label;
    int decimals;  // numeric displays
    int steps;     // 0: no properties; 1: switch; n > 1: steps 0..n
};

constexpr int kSwitch = 1;

// Indexed by role.
constexpr RoleTexts kRoleTexts[kRoleCount] = {
    /* 0 Process */ {" Process ", "", 0, kSwitch},
    /* 1 Mode */ {" Mode", "", 0, kSwitch},
    /* 2 Mono Stereo */ {" Mono Stereo", "", 0, kSwitch},
    /* 3 Link */ {" Link", "", 0, kSwitch},
    /* 4 Drive */ {" Drive ", " dB ", 2, 0},
    /* 5 Knee */ {" Knee ", " % ", 1, 0},
    /* 6 Speed */ {" Speed ", " % ", 1, 0},
    /* 7 Release */ {" Release ", " * ", 2, 0},
    /* 8 HighAdjust */ {" HighAdjust ", " dB ", 2, 0},
    /* 9 LowAdjust */ {" LowAdjust ", " dB ", 2, 0},
    /* 10 HighFreq */ {" HighFreq ", " Hz ", 0, 0},
    /* 11 LowFreq */ {" LowFreq ", " Hz ", 1, 0},
    /* 12 Mix */ {" Mix ", " % ", 1, 0},
    /* 13 Ceiling */ {" Ceiling ", " dB ", 2, 0},
    /* 14 Output */ {" Output ", " dB ", 2, 0},
    /* 15 LowSat */ {" LowSat", " dB ", 2, 0},
    /* 16 MidSat */ {" MidSat ", " dB ", 2, 0},
    /* 17 HighSat */ {" HighSat ", " dB ", 2, 0},
    /* 18 LowRel */ {" LowRel ", " * ", 2, 0},
    /* 19 MidRel */ {" MidRel ", " * ", 2, 0},
    /* 20 HighRel */ {" HighRel ", " * ", 2, 0},
    /* 21 Meters */ {" Meters ", "", 0, 2},
    /* 22 MeterType */ {" MeterType ", "", 0, kSwitch},
    /* 23 unnamed */ {"-", " ms ", 0, 0},
    /* 24 FineTune */ {" FineTune ", " % ", 0, 3},
    /* 25 MeterScale */ {" MeterScale ", " dB ", 0, kSwitch},
    /* 26 FAT */ {" FAT ", "", 0, kSwitch},
    /* 27 Long */ {" Long ", "", 0, kSwitch},
    /* 28 Auto */ {" Auto ", "", 0, kSwitch},
    /* 29 Brickwall */ {" Brickwall ", "", 0, kSwitch},
    /* 30 L R */ {" L R ", "", 0, 0},
    /* 31..42: no role of this number */
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
    /* 43 VU Integr */ {" VU Integr ", " ms ", 0, 0},
    /* 44 VU Refer */ {" VU Refer ", " dBFS ", 1, 0},
    /* 45 PPM Integr */ {" PPM Integr ", " ms ", 0, 0},
    /* 46 PPM Return */ {" PPM Return ", " ms ", 0, 0},
    /* 47 OverIndic */ {" OverIndic ", " samples ", 0, 0},
    /* 48 Knob Mode */ {" Knob Mode ", " ", 0, 0},
    /* 49..56: no role of this number */
    {}, {}, {}, {}, {}, {}, {}, {},
    /* 57 channel mode: editor only, shown as a spare */ {},
};

// Indices without a parameter of their own.
constexpr RoleTexts kSpareTexts{"-", "-", 0, 0};

const RoleTexts& textsOf(ParameterRole role) {
    if (role < 0 || role >= kRoleCount || kRoleTexts[role].name == nullptr) return kSpareTexts;
    return kRoleTexts[role];
}

void put(char* text, const char* s) {
    if (text == nullptr) return;
    std::strcpy(text, s);
}

const char* onOff(double v, const char* on) { return v >= 0.5 ? on : " Off "; }

}  // namespace

void parameterName(const Edition& edition, int index, char* text) {
    if (const ParameterTextOverride* o = edition.textOverrideFor(index)) return put(text, o->name);
    put(text, textsOf(edition.roleOf(index)).name);
}

void parameterLabel(const Edition& edition, int index, char* text) {
    if (const ParameterTextOverride* o = edition.textOverrideFor(index)) return put(text, o->label);
    put(text, textsOf(edition.roleOf(index)).label);
}

void parameterDisplay(const Edition& edition, int index, const DisplayInputs& in, char* text) {
    if (text == nullptr) return;
    if (const ParameterTextOverride* o = edition.textOverrideFor(index)) return put(text, o->display);
    text[0] = 0;  // a number too large to write leaves an empty text, never the host's old bytes

    const ParameterRole role = edition.roleOf(index);
    const double v = in.value;
    const double f = in.fineRange;
    const int decimals = textsOf(role).decimals;
    switch (role) {
        case kProcess: return put(text, v >= 0.5 ? " On " : " Off ");
        case kMode: return put(text, v >= 0.5 ? " MultiBand " : " SingleBnd ");
        case kMonoStereo:
            if (in.leftRightValue < 0.333) return put(text, v >= 0.5 ? " Stereo " : " Mono ");
            return put(text, " L-R ");
        case kLink: return put(text, v >= 0.5 ? " Linked " : " Unlinked ");
        case kDrive: return formatParameterNumber(driveDbOf(v, f), decimals, text);
        case kKnee:
        case kSpeed:
        case kMix: return formatParameterNumber(100.0 * v, decimals, text);
        case kRelease: return formatParameterNumber(releaseFactorOf(v), decimals, text);
        case kHighAdjust:
        case kLowAdjust: return formatParameterNumber(adjustDbOf(v, f), decimals, text);
        case kHighFreq: return formatParameterNumber(highFreqHzOf(v), decimals, text);
        case kLowFreq: return formatParameterNumber(2.0 * lowFreqHzOf(v), decimals, text);
        case kCeiling:
        case kOutput: return formatParameterNumber(levelDbOf(v, f), decimals, text);
        case kLowSat:
        case kMidSat:
        case kHighSat: return formatParameterNumber(satDbOf(edition.satDisplay, v), decimals, text);
        case kLowRel:
        case kMidRel:
        case kHighRel: return formatParameterNumber(mappedOf(edition.relMapping, v), decimals, text);
        case kMeters: {
            static constexpr const char* kModes[] = {" Pre ", " GainRed ", " Post "};
            return put(text, v < 0.3333333 ? kModes[0] : (v < 0.6666667 ? kModes[1] : kModes[2]));
        }
        case kMeterType: return put(text, v >= 0.5 ? " PPM " : " VU ");
        case kSnap: return put(text, "-");
        case kFineTune: return formatParameterNumber(100.0 * f, decimals, text);
        case kMeterScale: return put(text, switchOf(v) ? "-40..+6" : "-20..+3");
        case kFat: return put(text, onOff(v, " FAT "));
        case kLong: return put(text, onOff(v, " Long "));
        case kAuto: return put(text, onOff(v, " Auto "));
        case kBrickwall: return put(text, onOff(v, " BrickWall "));
        case kLeftRight: return put(text, v < 0.333 ? " OO-O" : (v < 0.66 ? " L " : " R "));
        case kVuIntegr: return formatParameterNumber(vuIntegrationMsOf(v), decimals, text);
        case kVuRefer: return formatParameterNumber(vuReferenceGainOf(v), decimals, text);
        case kPpmIntegr: return formatParameterNumber(ppmIntegrationMsOf(v), decimals, text);
        case kPpmReturn: return formatParameterNumber(ppmReturnMsOf(v), decimals, text);
        case kOverIndic: return formatFloatText(overCountLimitOf(overIndicStepOf(v)), text);
        case kKnobMode: return put(text, v >= 0.5 ? " Linear " : " Circular ");
        default: return;  // spares, channel mode and indices without a parameter
    }
}

bool parameterProperties(const Edition& edition, int index, VstParameterProperties* properties) {
    const int steps = textsOf(edition.roleOf(index)).steps;
    if (steps == 0 || properties == nullptr) return false;
    *properties = VstParameterProperties{};
    properties->flags = kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep;
    if (steps == kSwitch) properties->flags |= kVstParameterIsSwitch;
    properties->minInteger = 0;
    properties->maxInteger = steps;
    properties->stepInteger = 1;
    properties->largeStepInteger = 1;
    return true;
}

}  // namespace ambrel
