// Where the resets of a parameter change run: while the effect is resumed the
// audio callback performs them at the start of its next call, so they never
// rewrite state under a running kernel; while it is suspended (as built, or
// offline) the call that changes the parameter performs them itself. Either
// way the host reads the new value at once.

#include <gtest/gtest.h>

#include "core/Ambrel.h"
#include "tests/support/TempFolder.h"

using namespace ambrel;

namespace {

VstIntPtr silentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void processOneFrame(Ambrel& effect) {
    float l = 0.0f, r = 0.0f, ol = 0.0f, orr = 0.0f;
    float* in[2] = {&l, &r};
    float* out[2] = {&ol, &orr};
    effect.processReplacing(in, out, 1);
}

class ParameterRequests : public ::testing::Test {
protected:
    testsupport::TempSettingsStore settings;
};

TEST_F(ParameterRequests, ResumedTheNextProcessingCallPerformsThem) {
    Ambrel effect(silentHost, fullEdition());
    effect.setSampleRate(44100.0f);
    effect.resume();
    const int speed = fullEdition().indexOf(kSpeed);
    effect.setParameter(speed, 1.0f);
    processOneFrame(effect);
    const int slow = effect.engine().attackSamples;

    effect.engine().dryRing[0][3] = 0.25;
    effect.setParameter(fullEdition().indexOf(kProcess), 1.0f);
    effect.setParameter(speed, 0.0f);
    EXPECT_EQ(effect.getParameter(speed), 0.0f) << "the host reads the new value at once";
    EXPECT_EQ(effect.engine().attackSamples, slow) << "no recomputation under a running kernel";
    EXPECT_EQ(effect.engine().dryRing[0][3], 0.25) << "no reset under a running kernel";

    processOneFrame(effect);
    EXPECT_EQ(effect.engine().attackSamples, 3);
    EXPECT_EQ(effect.engine().dryRing[0][3], 0.0);
}

TEST_F(ParameterRequests, SuspendedTheCallerPerformsThemAndSuspendPerformsWhatWasLeft) {
    Ambrel effect(silentHost, fullEdition());  // built suspended
    ASSERT_TRUE(effect.isSuspended());
    const int speed = fullEdition().indexOf(kSpeed);
    effect.setParameter(speed, 0.0f);
    EXPECT_EQ(effect.engine().attackSamples, 3);

    effect.resume();
    effect.setParameter(speed, 1.0f);
    EXPECT_NE(effect.engine().requests.pending(), 0u);
    effect.suspend();
    EXPECT_EQ(effect.engine().requests.pending(), 0u);
    EXPECT_GT(effect.engine().attackSamples, 3);
    effect.setParameter(speed, 0.0f);
    EXPECT_EQ(effect.engine().attackSamples, 3);
}

}  // namespace
