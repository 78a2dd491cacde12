#include "core/Edition.h"

namespace ambrel {
namespace {

constexpr std::array<ParameterRole, kMaxParameterIndices> siblingRoles() {
    std::array<ParameterRole, kMaxParameterIndices> roles{};
    for (auto& r : roles) r = kRoleNone;
    for (int i = 0; i <= 22; ++i) roles[static_cast<unsigned>(i)] = static_cast<ParameterRole>(i);
    roles[27] = kSnap;
    roles[28] = kFineTune;
    roles[31] = kFat;  // shown as a spare switch; always held at off
    roles[32] = kLong;
    roles[33] = kAuto;
    roles[34] = kBrickwall;
    roles[35] = kMeterScale;
    roles[36] = kLeftRight;
    for (int i = 0; i < 6; ++i) roles[static_cast<unsigned>(49 + i)] = static_cast<ParameterRole>(kVuIntegr + i);
    roles[65] = kChannelMode;
    return roles;
}

// The FAT role has no effect here; its index is shown to the host as a spare switch.
constexpr ParameterTextOverride kSiblingTextOverrides[] = {{31, "-", "", "-"}};

constexpr Edition kSibling{
    .effectName = "ZEM Ambrel",
    .productString = "ZEM Ambrel - analog saturation & compression emulator",
    .vendorString = "https://www.zemtone.com",
    .uniqueId = fourCharCode('B', 'l', 'O', 'Q'),
    .vendorVersion = 2310,
    .numParams = 48,
    .numIndices = 66,
    .roleOfIndex = siblingRoles(),
    .globalIndices = {0, 2, 21, 22, 27, 31, 35},
    .hasOversampling = false,
    .reportsFatAtConstruction = false,
    .satMapping = {0.5, 4.0},
    .satDisplay = {12.0, 6.0},
    .relMapping = {0.25, 16.0},
    .rateBands = {{128, 256, 512}, {64, 128, 256}, {127, 255, 511}},
    .textOverrides = kSiblingTextOverrides,
};

}  // namespace

const Edition& siblingEdition() { return kSibling; }

}  // namespace ambrel
