#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "RecordingSeams.h"
#include "core/Edition.h"
#include "core/ParameterSet.h"
#include "dsp/Engine.h"

using namespace ambrel;
using ambrel::testing::RecordingSeams;

namespace {

// One effect's worth of parameter set, engine and recording seams.
struct Rig {
    explicit Rig(const Edition& e) : edition(e), engine(std::make_unique<Engine>(e)), params(e, *engine, seams) {}

    int indexOf(ParameterRole role) const { return edition.indexOf(role); }
    void set(ParameterRole role, float v) { params.setParameter(indexOf(role), v); }
    float get(ParameterRole role) const { return params.getParameter(indexOf(role)); }
    std::string display(int index) const {
        char text[13];
        std::fill(std::begin(text), std::end(text), '\x55');
        params.getParameterDisplay(index, text);
        return text;
    }
    std::string display(ParameterRole role) const { return display(indexOf(role)); }

    const Edition& edition;
    RecordingSeams seams;
    std::unique_ptr<Engine> engine;  // large: keep it off the stack
    ParameterSet params;
};

const Edition* const kEditions[] = {&fullEdition(), &siblingEdition()};

std::string nameOf(const Edition& e) { return e.effectName; }

}  // namespace

// ---- Engine quantities of step 1 -------------------------------------------------

TEST(ParameterSet, SetsTheEngineQuantitiesOfEveryRole) {
    struct Row {
        ParameterRole role;
        float value;
        double (*read)(const Engine&);
        double expected;
    };
    using E = const Engine&;
    const Row rows[] = {
        {kProcess, 0.0f, [](E e) { return double(e.processOn); }, 0},
        {kProcess, 0.5f, [](E e) { return double(e.processOn); }, 1},
        {kMode, 0.6f, [](E e) -> double { return e.modeAmount; }, 0.6},
        {kMode, 0.6f, [](E e) { return double(e.multiBand); }, 1},
        {kMode, 0.49f, [](E e) { return double(e.multiBand); }, 0},
        {kLink, 0.3f, [](E e) -> double { return e.linkAmount; }, 0.3},
        {kLink, 0.3f, [](E e) { return double(e.stereoLink); }, 0},
        {kLink, 1.0f, [](E e) { return double(e.stereoLink); }, 1},
        {kDrive, 0.5f, [](E e) -> double { return e.driveGain; }, 1.0},
        {kDrive, 1.0f, [](E e) -> double { return e.driveGain; }, 16.0},
        {kDrive, 0.0f, [](E e) -> double { return e.driveGain; }, 1.0 / 16},
        {kDrive, 0.75f, [](E e) -> double { return e.driveGain; }, 4.0},
        {kKnee, 0.2f, [](E e) { return double(e.kneeShape); }, 0},
        {kKnee, 0.2f, [](E e) -> double { return e.kneeAmount; }, 0.8},
        {kKnee, 0.24f, [](E e) -> double { return e.kneeAmount; }, 0.96},
        {kKnee, 0.25f, [](E e) { return double(e.kneeShape); }, 1},
        {kKnee, 0.25f, [](E e) -> double { return e.kneeAmount; }, 0.0},
        {kKnee, 0.625f, [](E e) -> double { return e.kneeAmount; }, 0.5},
        {kKnee, 1.0f, [](E e) -> double { return e.kneeAmount; }, 1.0},
        {kSpeed, 0.3f, [](E e) -> double { return e.speed; }, 0.3},
        {kRelease, 0.0f, [](E e) -> double { return e.releaseFactor; }, 0.25},
        {kRelease, 1.0f, [](E e) -> double { return e.releaseFactor; }, 4.0},
        {kRelease, 0.3f, [](E e) -> double { return e.releaseValue; }, 0.3},
        {kHighAdjust, 1.0f, [](E e) -> double { return e.highAdjustGain; }, 4.0},
        {kLowAdjust, 0.0f, [](E e) -> double { return e.lowAdjustGain; }, 0.25},
        {kHighFreq, 0.0f, [](E e) -> double { return e.highFreqHz; }, 1000.0},
        {kHighFreq, 1.0f, [](E e) -> double { return e.highFreqHz; }, 16000.0},
        {kLowFreq, 0.0f, [](E e) -> double { return e.lowFreqHz; }, 12.5},
        {kLowFreq, 1.0f, [](E e) -> double { return e.lowFreqHz; }, 200.0},
        {kMix, 0.25f, [](E e) -> double { return e.mixAmount; }, 0.25},
        {kCeiling, 1.0f, [](E e) -> double { return e.ceilingGain; }, 4.0},
        {kOutput, 0.0f, [](E e) -> double { return e.outputGain; }, 0.25},
        {kMeters, 0.0f, [](E e) { return double(e.meterMode); }, 0},
        {kMeters, 0.5f, [](E e) { return double(e.meterMode); }, 1},
        {kMeters, 0.66f, [](E e) { return double(e.meterMode); }, 1},
        {kMeters, 0.67f, [](E e) { return double(e.meterMode); }, 2},
        {kMeters, 1.0f, [](E e) { return double(e.meterMode); }, 2},
        {kMeterType, 0.7f, [](E e) -> double { return e.meterTypeValue; }, 0.7},
        {kLong, 1.0f, [](E e) { return double(e.longRelease); }, 1},
        {kAuto, 1.0f, [](E e) { return double(e.autoRelease); }, 1},
        {kBrickwall, 0.0f, [](E e) { return double(e.brickwall); }, 0},
        {kLeftRight, 0.5f, [](E e) -> double { return e.leftRightValue; }, 0.5},
        {kVuIntegr, 0.0f, [](E e) -> double { return e.vuIntegrationMs; }, 30.0},
        {kVuIntegr, 1.0f, [](E e) -> double { return e.vuIntegrationMs; }, 3000.0},
        {kVuRefer, 0.0f, [](E e) -> double { return e.vuReferenceGain; }, 0.06125},
        {kVuRefer, 0.0f, [](E e) -> double { return e.vuReferenceGainInverse; }, 1.0 / 0.06125},
        {kVuRefer, 1.0f, [](E e) -> double { return e.vuReferenceGain; }, 1.0},
        {kPpmIntegr, 1.0f, [](E e) -> double { return e.ppmIntegrationMs; }, 100.0},
        {kPpmIntegr, 0.0f, [](E e) -> double { return e.ppmIntegrationMs; }, 0.0},
        {kPpmReturn, 0.0f, [](E e) -> double { return e.ppmReturnMs; }, 100.0},
        {kPpmReturn, 1.0f, [](E e) -> double { return e.ppmReturnMs; }, 10000.0},
        {kOverIndic, 0.0f, [](E e) -> double { return e.overCountLimit; }, 1.0},
        {kOverIndic, 0.5f, [](E e) -> double { return e.overCountLimit; }, 6.0},
        {kOverIndic, 1.0f, [](E e) -> double { return e.overCountLimit; }, 10.0},
    };
    for (const Edition* edition : kEditions) {
        for (const Row& r : rows) {
            Rig rig(*edition);
            rig.set(r.role, r.value);
            EXPECT_NEAR(r.read(*rig.engine), r.expected, 1e-6 * std::fabs(r.expected) + 1e-7)
                << nameOf(*edition) << " role " << r.role << " at " << r.value;
            EXPECT_EQ(rig.get(r.role), r.role == kOverIndic ? rig.get(r.role) : r.value);
        }
    }
}

TEST(ParameterSet, PpmRatioFollowsBothTimes) {
    Rig rig(fullEdition());
    rig.set(kPpmIntegr, 1.0f);
    rig.set(kPpmReturn, 0.0f);
    EXPECT_NEAR(rig.engine->ppmRatio, 100.0 / 100.0, 1e-9);
    rig.set(kPpmReturn, 1.0f);
    EXPECT_NEAR(rig.engine->ppmRatio, 100.0 / 10000.0, 1e-12);
}

TEST(ParameterSet, SatAndRelFollowTheEdition) {
    struct Row {
        const Edition* edition;
        float value;
        double sat, rel;
    };
    const Row rows[] = {{&fullEdition(), 0.0f, 0.25, 0.0625},   {&fullEdition(), 0.5f, 1.0, 1.0},
                        {&fullEdition(), 1.0f, 4.0, 16.0},      {&siblingEdition(), 0.0f, 0.5, 0.25},
                        {&siblingEdition(), 0.5f, 1.0, 1.0},    {&siblingEdition(), 1.0f, 2.0, 4.0}};
    for (const Row& r : rows) {
        Rig rig(*r.edition);
        for (ParameterRole role : {kLowSat, kMidSat, kHighSat, kLowRel, kMidRel, kHighRel}) rig.set(role, r.value);
        const Engine& e = *rig.engine;
        for (double sat : {e.lowSat, e.midSat, e.highSat}) EXPECT_NEAR(sat, r.sat, 1e-12) << nameOf(*r.edition);
        for (double rel : {e.lowRel, e.midRel, e.highRel}) EXPECT_NEAR(rel, r.rel, 1e-12) << nameOf(*r.edition);
        EXPECT_NEAR(e.lowSatInverse, 1.0 / r.sat, 1e-12);
        EXPECT_NEAR(e.midSatInverse, 1.0 / r.sat, 1e-12);
        EXPECT_NEAR(e.highSatInverse, 1.0 / r.sat, 1e-12);
        EXPECT_NEAR(rig.params.getDisplayValue(rig.indexOf(kMidSat)), r.sat, 1e-6);
        EXPECT_NEAR(rig.params.getDisplayValue(rig.indexOf(kHighRel)), r.rel, 1e-6);
    }
}

TEST(ParameterSet, RecomputationsRunWithTheirParameters) {
    Rig rig(fullEdition());
    Engine& e = *rig.engine;

    e.dryRing[0][7] = 0.5;
    rig.set(kProcess, 1.0f);
    EXPECT_EQ(e.dryRing[0][7], 0.0) << "Process clears the delay lines";
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 1) << "and the alignment lines";

    e.envelope[0][0] = 0.5;
    rig.set(kMode, 0.0f);
    EXPECT_EQ(e.envelope[0][0], 1e-4) << "Mode resets the detectors";

    rig.set(kSpeed, 0.0f);
    EXPECT_EQ(e.attackSamples, 3) << "Speed recomputes the time constants";
    rig.set(kSpeed, 1.0f);
    EXPECT_GT(e.attackSamples, 3);

    rig.set(kCeiling, 1.0f);  // +12 dB: above full scale the knee input scale follows the curve
    const double kneeScale = e.kneeInputScale;
    rig.set(kCeiling, 0.5f);
    EXPECT_NE(e.kneeInputScale, kneeScale) << "Ceiling updates the knee gains";

    const double small = e.smallSignalGain;
    rig.set(kDrive, 1.0f);
    EXPECT_NEAR(e.smallSignalGain, small * 16.0, 1e-9 * small) << "Drive updates the small-signal gain";

    rig.seams.calls.clear();
    rig.set(kFat, 1.0f);
    EXPECT_EQ(e.oversample, 1);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 1);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 1);
}

// ---- FineTune ------------------------------------------------------------------

TEST(ParameterSet, FineTuneAtZeroNarrowsTheFiveRanges) {
    for (const Edition* edition : kEditions) {
        Rig rig(*edition);
        for (ParameterRole role : {kDrive, kHighAdjust, kLowAdjust, kCeiling, kOutput}) rig.set(role, 1.0f);
        rig.set(kFineTune, 0.0f);
        const Engine& e = *rig.engine;
        EXPECT_EQ(e.fineRange, 0.125);
        EXPECT_EQ(rig.get(kFineTune), 0.0f);
        EXPECT_EQ(rig.display(kFineTune), "13");
        EXPECT_EQ(rig.display(kDrive), "3.00");
        EXPECT_EQ(rig.display(kHighAdjust), "1.50");
        EXPECT_EQ(rig.display(kLowAdjust), "1.50");
        EXPECT_EQ(rig.display(kCeiling), "4.24");
        EXPECT_EQ(rig.display(kOutput), "4.24");
        EXPECT_NEAR(e.driveGain, std::pow(16.0, 0.125), 1e-12);  // +3.01 dB
        EXPECT_NEAR(e.highAdjustGain, std::pow(4.0, 0.125), 1e-12);
        EXPECT_NEAR(e.ceilingGain, std::pow(4.0, std::sqrt(0.125)), 1e-12);
        EXPECT_NEAR(e.outputGain, std::pow(4.0, std::sqrt(0.125)), 1e-12);
        EXPECT_NEAR(rig.params.getDisplayValue(rig.indexOf(kDrive)), 3.0, 1e-6);
        EXPECT_NEAR(rig.params.getDisplayValue(rig.indexOf(kCeiling)), 12.0 * std::sqrt(0.125), 1e-5);
        EXPECT_EQ(rig.params.getDisplayValue(rig.indexOf(kFineTune)), 0.125f);
        rig.set(kDrive, 0.0f);
        EXPECT_EQ(rig.display(kDrive), "-3.00");
    }
}

TEST(ParameterSet, FineTuneSnapsToQuarters) {
    struct Row {
        float value;
        float stored;
        double range;
        const char* text;
    };
    const Row rows[] = {{0.16f, 0.0f, 0.125, "13"},     {0.17f, 1.0f / 3, 0.25, "25"}, {0.4f, 1.0f / 3, 0.25, "25"},
                        {0.6f, 2.0f / 3, 0.5, "50"},    {0.84f, 1.0f, 1.0, "100"},     {1.0f, 1.0f, 1.0, "100"}};
    for (const Row& r : rows) {
        Rig rig(siblingEdition());
        rig.set(kFineTune, r.value);
        EXPECT_FLOAT_EQ(rig.get(kFineTune), r.stored) << r.value;
        EXPECT_NEAR(rig.engine->fineRange, r.range, 1e-12) << r.value;
        EXPECT_EQ(rig.display(kFineTune), r.text) << r.value;
    }
}

TEST(ParameterSet, FineTuneResendsCeilingDriveAdjustsAndOutputInOrder) {
    for (const Edition* edition : kEditions) {
        Rig rig(*edition);
        const float values[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.6f};  // Ceiling, Drive, HighAdjust, LowAdjust, Output
        const ParameterRole order[] = {kCeiling, kDrive, kHighAdjust, kLowAdjust, kOutput};
        for (int i = 0; i < 5; ++i) rig.set(order[i], values[i]);
        rig.seams.calls.clear();

        rig.set(kFineTune, 0.7f);

        const int fine = rig.indexOf(kFineTune);
        std::vector<RecordingSeams::Call> expected;
        for (int i = 0; i < 5; ++i) {
            const int index = rig.indexOf(order[i]);
            expected.push_back({RecordingSeams::kPrograms, index, values[i]});
            expected.push_back({RecordingSeams::kEditor, index, values[i]});
        }
        expected.push_back({RecordingSeams::kPrograms, fine, 0.7f});
        expected.push_back({RecordingSeams::kEditor, fine, 0.7f});
        EXPECT_EQ(rig.seams.calls, expected) << nameOf(*edition);
        EXPECT_NEAR(rig.engine->driveGain, std::pow(16.0, 0.5 * (2.0 * double(values[1]) - 1.0)), 1e-12);
    }
}

// ---- Index 23 ----------------------------------------------------------------------

TEST(ParameterSet, SnapIndexStoresTheRaisedValueOrOff) {
    struct Row {
        float value;
        float stored;
        float passedOn;
        double ms;
    };
    const Row rows[] = {{0.1f, 0.125f, 0.125f, 0.0},         {0.05f, 0.0f, 0.05f, -1.0},
                        {0.0f, 0.0f, 0.0f, -1.0},            {0.06125f, 0.125f, 0.125f, 0.0},
                        {0.5f, 0.5f, 0.5f, 375.0 / 0.875},   {1.0f, 1.0f, 1.0f, 1000.0}};
    for (const Edition* edition : kEditions) {
        for (const Row& r : rows) {
            Rig rig(*edition);
            const int index = rig.indexOf(kSnap);
            rig.params.setParameter(index, r.value);
            EXPECT_EQ(rig.params.getParameter(index), r.stored) << r.value;
            EXPECT_NEAR(rig.params.snapMs(), r.ms, 1e-9) << r.value;
            EXPECT_NEAR(rig.params.getDisplayValue(index), r.ms, 1e-4) << r.value;
            EXPECT_EQ(rig.display(index), "-");
            const std::vector<RecordingSeams::Call> expected = {{RecordingSeams::kPrograms, index, r.passedOn},
                                                                {RecordingSeams::kAllPrograms, index, r.passedOn},
                                                                {RecordingSeams::kEditor, index, r.passedOn}};
            EXPECT_EQ(rig.seams.calls, expected) << nameOf(*edition) << " at " << r.value;
        }
    }
}

TEST(ParameterSet, SnapIndexClearsOversamplingAboveTheLimitRate) {
    Rig rig(fullEdition());
    rig.engine->setHostRate(176400.0);
    rig.engine->oversample = 1;  // as if left on by another path
    rig.set(kSnap, 0.05f);
    EXPECT_EQ(rig.engine->oversample, 1) << "off: nothing else happens";
    rig.set(kSnap, 0.5f);
    EXPECT_EQ(rig.engine->oversample, 0);

    Rig low(fullEdition());
    low.set(kFat, 1.0f);
    low.set(kSnap, 0.5f);
    EXPECT_EQ(low.engine->oversample, 1) << "at 44100 Hz oversampling stays";
}

// ---- FAT -------------------------------------------------------------------------

TEST(ParameterSet, FatFollowsTheHostRate) {
    struct Row {
        double rate;
        int oversample;
    };
    for (const Row& r : {Row{44100.0, 1}, Row{96000.0, 1}, Row{100000.0, 1}, Row{176400.0, 0}}) {
        Rig rig(fullEdition());
        rig.engine->setHostRate(r.rate);
        rig.set(kFat, 1.0f);
        EXPECT_EQ(rig.engine->oversample, r.oversample) << r.rate;
        EXPECT_EQ(rig.get(kFat), 1.0f) << "the stored value reads back " << r.rate;
        EXPECT_EQ(rig.params.getDisplayValue(rig.indexOf(kFat)), float(r.oversample));
        EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 1);
        rig.set(kFat, 0.0f);
        EXPECT_EQ(rig.engine->oversample, 0);
    }
}

TEST(ParameterSet, SiblingFatSlotStoresZeroAndClearsOversampling) {
    Rig rig(siblingEdition());
    rig.engine->oversample = 1;
    rig.params.setParameter(31, 1.0f);
    EXPECT_EQ(rig.params.getParameter(31), 0.0f);
    EXPECT_EQ(rig.engine->oversample, 0);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 0);
    EXPECT_EQ(rig.display(31), "-");
    EXPECT_EQ(rig.seams.count(RecordingSeams::kAllPrograms), 1) << "31 is one of its globals";
}

// ---- channelMode -----------------------------------------------------------------

TEST(ParameterSet, ChannelModeSplitsIntoMonoStereoAndLeftRight) {
    struct Row {
        float value;
        float monoStereo, leftRight, position;
        const char* monoStereoText;
        const char* leftRightText;
    };
    const Row rows[] = {{0.0f, 0.0f, 0.0f, 0.0f, " Mono ", " OO-O"},
                        {0.2f, 0.0f, 0.0f, 0.0f, " Mono ", " OO-O"},
                        {0.333f, 0.0f, 0.5f, 0.333f, " L-R ", " L "},
                        {0.4f, 0.0f, 0.5f, 0.333f, " L-R ", " L "},
                        {0.667f, 0.0f, 1.0f, 0.667f, " L-R ", " R "},
                        {0.75f, 1.0f, 0.0f, 1.0f, " Stereo ", " OO-O"},
                        {1.0f, 1.0f, 0.0f, 1.0f, " Stereo ", " OO-O"}};
    for (const Edition* edition : kEditions) {
        for (const Row& r : rows) {
            Rig rig(*edition);
            const int channelMode = rig.indexOf(kChannelMode);
            rig.params.setParameter(channelMode, r.value);
            EXPECT_EQ(rig.get(kMonoStereo), r.monoStereo) << r.value;
            EXPECT_EQ(rig.get(kLeftRight), r.leftRight) << r.value;
            EXPECT_EQ(rig.params.monoStereoValue(), r.monoStereo);
            EXPECT_EQ(rig.engine->leftRightValue, r.leftRight) << "the mono kernels follow";
            EXPECT_EQ(rig.params.getParameter(channelMode), r.position) << r.value;
            EXPECT_EQ(rig.display(kMonoStereo), r.monoStereoText);
            EXPECT_EQ(rig.display(kLeftRight), r.leftRightText);
            // Writing back what was read keeps the position.
            rig.params.setParameter(channelMode, rig.params.getParameter(channelMode));
            EXPECT_EQ(rig.params.getParameter(channelMode), r.position);
            // Only the editor hears of it: the index is editor-only and not global.
            EXPECT_EQ(rig.seams.count(RecordingSeams::kPrograms), 0);
            EXPECT_EQ(rig.seams.count(RecordingSeams::kAllPrograms), 0);
            EXPECT_EQ(rig.seams.of(RecordingSeams::kEditor).front(),
                      (RecordingSeams::Call{RecordingSeams::kEditor, channelMode, r.value}));
        }
    }
}

TEST(ParameterSet, ChannelModeResetsOnlyWhenItChanges) {
    Rig rig(fullEdition());
    Engine& e = *rig.engine;
    auto resets = [&] { return rig.seams.count(RecordingSeams::kResetResamplers); };

    rig.params.setParameter(57, 0.0f);  // the same as before the first setting
    EXPECT_EQ(resets(), 0);

    e.dryRing[1][3] = 0.25;
    e.envelope[1][1] = 0.5;
    rig.params.setParameter(57, 0.4f);
    EXPECT_EQ(resets(), 1);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 1);
    EXPECT_EQ(e.dryRing[1][3], 0.0);
    EXPECT_EQ(e.envelope[1][1], 1e-4);

    rig.params.setParameter(57, 0.4f);
    EXPECT_EQ(resets(), 1) << "the same value again: no reset";
    rig.params.setParameter(57, 1.0f);
    EXPECT_EQ(resets(), 2);
}

TEST(ParameterSet, ChannelModeReadsTheTwoStoredValues) {
    struct Row {
        float monoStereo, leftRight, position;
    };
    const Row rows[] = {{0.0f, 0.0f, 0.0f},   {1.0f, 0.0f, 1.0f},    {0.6f, 0.2f, 1.0f},   {0.0f, 0.5f, 0.333f},
                        {1.0f, 0.5f, 0.333f}, {0.0f, 0.7f, 0.667f},  {1.0f, 1.0f, 0.667f}, {0.49f, 0.332f, 0.0f}};
    for (const Row& r : rows) {
        Rig rig(siblingEdition());
        rig.set(kMonoStereo, r.monoStereo);
        rig.set(kLeftRight, r.leftRight);
        EXPECT_EQ(rig.params.getParameter(65), r.position) << r.monoStereo << " " << r.leftRight;
        EXPECT_EQ(rig.params.getParameter(57), 0.0f) << "57 is a spare of the sibling";
    }
}

// ---- Meter preferences -------------------------------------------------------------

TEST(ParameterSet, OverIndicQuantizesToNinths) {
    Rig rig(fullEdition());
    rig.params.setParameter(47, 0.5f);
    EXPECT_EQ(rig.engine->overCountLimit, 6.0);
    EXPECT_EQ(rig.params.getParameter(47), float(5.0 / 9.0));
    EXPECT_EQ(rig.display(47), "6.000000");
    EXPECT_EQ(rig.params.getDisplayValue(47), 6.0f);
    EXPECT_EQ(rig.seams.of(RecordingSeams::kEditor).front().value, 0.5f);

    Rig sibling(siblingEdition());
    sibling.params.setParameter(53, 0.5f);
    EXPECT_EQ(sibling.engine->overCountLimit, 6.0);
    EXPECT_EQ(sibling.display(53), "6.000000");
}

TEST(ParameterSet, KnobModeRaisesItsFlag) {
    Rig rig(fullEdition());
    EXPECT_FALSE(rig.params.knobModeChanged.load());
    rig.params.setParameter(48, 0.7f);
    EXPECT_TRUE(rig.params.knobModeChanged.exchange(false));
    EXPECT_EQ(rig.params.knobMode(), double(0.7f));
    EXPECT_EQ(rig.params.getDisplayValue(48), 0.7f);
    EXPECT_EQ(rig.display(48), " Linear ");
    rig.params.setParameter(48, 0.2f);
    EXPECT_TRUE(rig.params.knobModeChanged.load());
    EXPECT_EQ(rig.display(48), " Circular ");
}

TEST(ParameterSet, VuIntegrationRetunesTheVuSections) {
    Rig rig(fullEdition());
    rig.params.setParameter(43, 0.5f);  // 300 ms: 700 / 300 Hz
    EXPECT_NEAR(rig.engine->vuIntegrationMs, 300.0, 1e-6);
    EXPECT_NEAR(rig.engine->vuSection[0].frequency, 700.0 / rig.engine->vuIntegrationMs, 1e-9);
    EXPECT_EQ(rig.display(43), "300");
}

// ---- Program slots and editor --------------------------------------------------

TEST(ParameterSet, GlobalsReachEveryProgramSlot) {
    for (const Edition* edition : kEditions) {
        for (int index = -1; index < edition->numIndices + 2; ++index) {
            if (edition->roleOf(index) == kFineTune) continue;  // re-sends others, below
            Rig rig(*edition);
            rig.params.setParameter(index, 0.8f);
            const bool hostVisible = index >= 0 && index < edition->numParams;
            EXPECT_EQ(rig.seams.indicesOf(RecordingSeams::kPrograms), hostVisible ? std::vector<int>{index}
                                                                                    : std::vector<int>{})
                << nameOf(*edition) << " " << index;
            EXPECT_EQ(rig.seams.indicesOf(RecordingSeams::kAllPrograms),
                      edition->isGlobal(index) ? std::vector<int>{index} : std::vector<int>{})
                << nameOf(*edition) << " " << index;
            EXPECT_EQ(rig.seams.indicesOf(RecordingSeams::kEditor), std::vector<int>{index});
        }
    }
    // The Mono Stereo, Meters, MeterType, snap and MeterScale settings are shared; L R is not.
    for (int index : {0, 2, 21, 22, 23, 25, 26}) EXPECT_TRUE(fullEdition().isGlobal(index)) << index;
    for (int index : {0, 2, 21, 22, 27, 31, 35}) EXPECT_TRUE(siblingEdition().isGlobal(index)) << index;
    EXPECT_FALSE(fullEdition().isGlobal(30));
    EXPECT_FALSE(siblingEdition().isGlobal(36));
}

// ---- Texts through the stored values ---------------------------------------------

TEST(ParameterSet, DisplaysReadTheStoredValues) {
    Rig rig(fullEdition());
    rig.set(kMonoStereo, 1.0f);
    EXPECT_EQ(rig.display(2), " Stereo ");
    rig.set(kLeftRight, 0.5f);
    EXPECT_EQ(rig.display(2), " L-R ");
    rig.set(kMonoStereo, 0.0f);
    rig.set(kLeftRight, 0.0f);
    EXPECT_EQ(rig.display(2), " Mono ");

    rig.set(kDrive, 0.428f);  // -3.456 dB
    EXPECT_EQ(rig.display(4), "-3.46");
    rig.set(kDrive, 0.5f);
    EXPECT_EQ(rig.display(4), "0.00");
    rig.set(kHighFreq, 1.0f);
    EXPECT_EQ(rig.display(10), "16000");
    rig.set(kFineTune, 0.0f);
    EXPECT_EQ(rig.display(24), "13");
    rig.set(kBrickwall, 1.0f);
    EXPECT_EQ(rig.display(29), " BrickWall ");
    char name[13];
    rig.params.getParameterName(29, name);
    EXPECT_STREQ(name, " Brickwall ");
    rig.params.getParameterLabel(23, name);
    EXPECT_STREQ(name, " ms ");
    rig.set(kOverIndic, 0.5f);
    EXPECT_EQ(rig.display(47), "6.000000");
    rig.set(kMeterScale, 1.0f);
    EXPECT_EQ(rig.display(25), "-40..+6");
    EXPECT_EQ(rig.params.meterScaleWide(), 1);
}

TEST(ParameterSet, DisplayValuesInEngineeringUnits) {
    Rig rig(fullEdition());
    struct Row {
        int index;
        float value;
        float expected;
    };
    const Row rows[] = {
        {0, 0.0f, 0.0f},     {1, 1.0f, 1.0f},     {2, 0.6f, 1.0f},     {3, 0.0f, 0.0f},   {4, 0.75f, 12.0f},
        {5, 0.5f, 50.0f},    {6, 0.25f, 25.0f},   {7, 1.0f, 4.0f},     {8, 0.0f, -12.0f}, {9, 1.0f, 12.0f},
        {10, 0.5f, 4000.0f}, {11, 0.5f, 100.0f},  {12, 1.0f, 100.0f},  {13, 1.0f, 12.0f}, {14, 0.0f, -12.0f},
        {15, 1.0f, 4.0f},    {18, 1.0f, 16.0f},   {21, 1.0f, 0.0f},    {22, 1.0f, 0.0f},  {25, 1.0f, 0.0f},
        {27, 1.0f, 1.0f},    {28, 1.0f, 1.0f},    {29, 0.0f, 0.0f},    {30, 0.5f, 0.5f},  {30, 0.7f, 1.0f},
        {30, 0.2f, 0.0f},    {31, 0.9f, 0.0f},    {44, 1.0f, 1.0f},    {45, 1.0f, 100.0f}, {46, 0.0f, 100.0f},
        {42, 0.9f, 0.0f},    {57, 1.0f, 0.0f},
    };
    for (const Row& r : rows) {
        rig.params.setParameter(r.index, r.value);
        EXPECT_NEAR(rig.params.getDisplayValue(r.index), r.expected, 1e-4 * std::fabs(r.expected) + 1e-6)
            << r.index << " at " << r.value;
    }
}

// ---- Decided mends ----------------------------------------------------------------

TEST(ParameterSet, IgnoresValuesThatAreNotFinite) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Edition* edition : kEditions) {
        Rig rig(*edition);
        rig.set(kDrive, 0.75f);
        rig.set(kFineTune, 1.0f);
        rig.seams.calls.clear();
        for (float bad : {nan, inf, -inf}) {
            for (int index = 0; index < edition->numIndices; ++index) rig.params.setParameter(index, bad);
        }
        EXPECT_TRUE(rig.seams.calls.empty());
        EXPECT_EQ(rig.get(kDrive), 0.75f);
        EXPECT_EQ(rig.engine->driveGain, 4.0);
        EXPECT_EQ(rig.engine->fineRange, 1.0);
        EXPECT_TRUE(std::isfinite(rig.engine->ceilingGain));
        for (int index = 0; index < edition->numIndices; ++index)
            EXPECT_TRUE(std::isfinite(rig.params.getParameter(index))) << index;
    }
}

TEST(ParameterSet, ClampsValuesOutsideTheUnitRange) {
    for (const Edition* edition : kEditions) {
        Rig rig(*edition);
        rig.set(kDrive, 2.0f);
        EXPECT_EQ(rig.get(kDrive), 1.0f);
        EXPECT_EQ(rig.engine->driveGain, 16.0);
        EXPECT_EQ(rig.seams.of(RecordingSeams::kPrograms).back().value, 1.0f) << "programs get the clamped value";
        rig.set(kCeiling, -1e30f);
        EXPECT_EQ(rig.get(kCeiling), 0.0f);
        EXPECT_EQ(rig.engine->ceilingGain, 0.25);
        rig.set(kHighFreq, 7.0f);
        EXPECT_EQ(rig.engine->highFreqHz, 16000.0);
        rig.set(kOverIndic, 100.0f);
        EXPECT_EQ(rig.engine->overCountLimit, 10.0);
        rig.set(kFineTune, -3.0f);
        EXPECT_EQ(rig.engine->fineRange, 0.125);
        rig.set(kMeters, 5.0f);
        EXPECT_EQ(rig.engine->meterMode, 2);
        rig.set(kMix, -0.0f);
        EXPECT_FALSE(std::signbit(rig.get(kMix)));
    }
}

TEST(ParameterSet, AnyIndexIsSafe) {
    for (const Edition* edition : kEditions) {
        Rig rig(*edition);
        for (int index : {INT_MIN, -100, -1, edition->numIndices, edition->numIndices + 1, 1000, INT_MAX}) {
            rig.seams.calls.clear();
            rig.params.setParameter(index, 0.9f);
            EXPECT_EQ(rig.params.getParameter(index), 0.0f) << index;
            EXPECT_EQ(rig.params.getDisplayValue(index), 0.0f) << index;
            EXPECT_EQ(rig.display(index), "") << index;
            char text[13];
            rig.params.getParameterName(index, text);
            EXPECT_STREQ(text, "-");
            rig.params.getParameterLabel(index, text);
            EXPECT_STREQ(text, "-");
            VstParameterProperties p{};
            EXPECT_FALSE(rig.params.getParameterProperties(index, &p));
            EXPECT_TRUE(rig.params.canParameterBeAutomated(index));
            EXPECT_FALSE(rig.params.string2parameter(index, "1"));
            EXPECT_EQ(rig.seams.count(RecordingSeams::kPrograms), 0) << index;
            EXPECT_EQ(rig.seams.indicesOf(RecordingSeams::kEditor), std::vector<int>{index});
        }
    }
}

TEST(ParameterSet, SparesHoldWhatTheHostSetsAndOthersHoldNothing) {
    Rig full(fullEdition());
    for (int index : {31, 36, 41}) {
        full.params.setParameter(index, 0.7f);
        EXPECT_EQ(full.params.getParameter(index), 0.7f) << index;
        EXPECT_EQ(full.display(index), "");
    }
    for (int index : {42, 49, 56}) {
        full.params.setParameter(index, 0.7f);
        EXPECT_EQ(full.params.getParameter(index), 0.0f) << index;
    }
    Rig sibling(siblingEdition());
    for (int index : {23, 26, 29, 30, 37, 47}) {
        sibling.params.setParameter(index, 0.7f);
        EXPECT_EQ(sibling.params.getParameter(index), 0.7f) << index;
    }
    for (int index : {48, 55, 64}) {
        sibling.params.setParameter(index, 0.7f);
        EXPECT_EQ(sibling.params.getParameter(index), 0.0f) << index;
    }
}

// ---- Requests while processing runs ------------------------------------------------

TEST(ParameterSet, WhileDeferredTheResetsWaitForTheAudioCallbackAndTheValuesDoNot) {
    Rig rig(fullEdition());
    Engine& e = *rig.engine;
    e.requests.setDeferred(true);
    const int attackBefore = e.attackSamples;

    e.dryRing[0][7] = 0.5;
    e.envelope[0][0] = 0.5;
    rig.set(kProcess, 1.0f);
    rig.set(kSpeed, 0.0f);
    rig.set(kFat, 1.0f);
    EXPECT_EQ(e.dryRing[0][7], 0.5) << "the delay lines wait";
    EXPECT_EQ(e.envelope[0][0], 0.5) << "the detectors wait";
    EXPECT_EQ(e.attackSamples, attackBefore) << "the time constants wait";
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 0);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 0);
    // What the host and the editor read follows at once.
    EXPECT_EQ(rig.get(kSpeed), 0.0f);
    EXPECT_EQ(e.speed, 0.0);
    EXPECT_EQ(e.oversample, 1);
    EXPECT_EQ(rig.params.getDisplayValue(rig.indexOf(kFat)), 1.0f);

    rig.params.performRequests();
    EXPECT_EQ(e.dryRing[0][7], 0.0);
    EXPECT_EQ(e.envelope[0][0], 1e-4);
    EXPECT_EQ(e.processRate, 88200.0) << "FAT's filters follow with their requests";
    EXPECT_EQ(e.attackSamples, 6) << "Speed 0 at the doubled rate";
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 1);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 1);

    rig.params.performRequests();  // each request runs once
    EXPECT_EQ(rig.seams.count(RecordingSeams::kClearAlignment), 1);
    EXPECT_EQ(rig.seams.count(RecordingSeams::kResetResamplers), 1);
}

TEST(ParameterSet, NotDeferredTheCallerPerformsTheRequestsAtOnce) {
    Rig rig(fullEdition());
    Engine& e = *rig.engine;
    e.dryRing[0][7] = 0.5;
    rig.set(kProcess, 1.0f);
    EXPECT_EQ(e.dryRing[0][7], 0.0);
    EXPECT_EQ(e.requests.pending(), 0u);
}
