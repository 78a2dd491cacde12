#pragma once
// What a parameter does, independent of the number an edition gives it.
// The numbers are the full edition's own parameter indices; the sibling
// edition maps its indices onto these roles (see Edition).

namespace ambrel {

enum ParameterRole : int {
    kRoleNone = -1,
    kProcess = 0,
    kMode = 1,
    kMonoStereo = 2,
    kLink = 3,
    kDrive = 4,
    kKnee = 5,
    kSpeed = 6,
    kRelease = 7,
    kHighAdjust = 8,
    kLowAdjust = 9,
    kHighFreq = 10,
    kLowFreq = 11,
    kMix = 12,
    kCeiling = 13,
    kOutput = 14,
    kLowSat = 15,
    kMidSat = 16,
    kHighSat = 17,
    kLowRel = 18,
    kMidRel = 19,
    kHighRel = 20,
    kMeters = 21,
    kMeterType = 22,
    kSnap = 23,  // the unnamed index the host shows as "-"
    kFineTune = 24,
    kMeterScale = 25,
    kFat = 26,
    kLong = 27,
    kAuto = 28,
    kBrickwall = 29,
    kLeftRight = 30,
    kFirstSpare = 31,
    kLastSpare = 41,
    kVuIntegr = 43,
    kVuRefer = 44,
    kPpmIntegr = 45,
    kPpmReturn = 46,
    kOverIndic = 47,
    kKnobMode = 48,
    kChannelMode = 57,
    kRoleCount = 58
};

}  // namespace ambrel
