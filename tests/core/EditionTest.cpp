#include <gtest/gtest.h>

#include "core/Edition.h"

using namespace ambrel;

TEST(Edition, FullEditionMapsEveryIndexToItsOwnRole) {
    const Edition& e = fullEdition();
    for (int i = 0; i <= 30; ++i) EXPECT_EQ(e.roleOf(i), i) << i;
    for (int i = 31; i <= 42; ++i) EXPECT_EQ(e.roleOf(i), kRoleNone) << i;
    for (int i = 43; i <= 48; ++i) EXPECT_EQ(e.roleOf(i), i) << i;
    EXPECT_EQ(e.roleOf(57), kChannelMode);
    EXPECT_EQ(e.roleOf(-1), kRoleNone);
    EXPECT_EQ(e.roleOf(1 << 30), kRoleNone);
}

TEST(Edition, SiblingNumbering) {
    const Edition& e = siblingEdition();
    struct Row { int index; ParameterRole role; };
    const Row rows[] = {{0, kProcess}, {14, kOutput}, {15, kLowSat}, {20, kHighRel}, {21, kMeters},
                        {22, kMeterType}, {23, kRoleNone}, {26, kRoleNone}, {27, kSnap}, {28, kFineTune},
                        {29, kRoleNone}, {30, kRoleNone}, {31, kFat}, {32, kLong}, {33, kAuto},
                        {34, kBrickwall}, {35, kMeterScale}, {36, kLeftRight}, {37, kRoleNone},
                        {47, kRoleNone}, {49, kVuIntegr}, {54, kKnobMode}, {57, kRoleNone},
                        {65, kChannelMode}, {66, kRoleNone}};
    for (const Row& r : rows) EXPECT_EQ(e.roleOf(r.index), r.role) << r.index;
    EXPECT_EQ(e.indexOf(kFineTune), 28);
    EXPECT_EQ(e.indexOf(kChannelMode), 65);
}

TEST(Edition, RateBandsAndIdentity) {
    const Edition& f = fullEdition();
    const Edition& s = siblingEdition();
    EXPECT_EQ(f.delayLength(44100), 512);
    EXPECT_EQ(f.delayLength(96000), 1024);
    EXPECT_EQ(f.delayLength(192000), 2048);
    EXPECT_EQ(f.latencySamples(49999), 639);
    EXPECT_EQ(f.latencySamples(50000), 1151);
    EXPECT_EQ(f.latencySamples(100000), 2175);
    EXPECT_EQ(s.delayLength(44100), 128);
    EXPECT_EQ(s.lookAheadLength(96000), 128);
    EXPECT_EQ(s.latencySamples(192000), 511);
    EXPECT_EQ(f.uniqueId, 0x424C4F51);  // "BLOQ"
    EXPECT_EQ(s.uniqueId, 0x426C4F51);  // "BlOQ"
    EXPECT_TRUE(f.isGlobal(26));
    EXPECT_FALSE(f.isGlobal(30));
    EXPECT_TRUE(s.isGlobal(31));
    EXPECT_FALSE(s.isGlobal(26));
}
