#include "core/Edition.h"

#include "presets/FullFactoryBank.h"

namespace ambrel {
namespace {

constexpr std::array<ParameterRole, kMaxParameterIndices> fullRoles() {
    std::array<ParameterRole, kMaxParameterIndices> roles{};
    for (auto& r : roles) r = kRoleNone;
    for (int i = 0; i <= kLeftRight; ++i) roles[static_cast<unsigned>(i)] = static_cast<ParameterRole>(i);
    for (int i = kFirstSpare; i <= kLastSpare; ++i) roles[static_cast<unsigned>(i)] = kRoleNone;
    for (int i = kVuIntegr; i <= kKnobMode; ++i) roles[static_cast<unsigned>(i)] = static_cast<ParameterRole>(i);
    roles[kChannelMode] = kChannelMode;
    return roles;
}

constexpr Edition kFull{
    .effectName = "ZEM Ambrel2",
    .productString = "ZEM Ambrel2 - analog saturation & compression emulator",
    .vendorString = "https://www.zemtone.com",
    .uniqueId = fourCharCode('B', 'L', 'O', 'Q'),
    .vendorVersion = 2310,
    .numParams = 42,
    .numIndices = 58,
    .roleOfIndex = fullRoles(),
    .globalIndices = {0, 2, 21, 22, 23, 25, 26},
    .hasOversampling = true,
    .reportsFatAtConstruction = true,
    .satMapping = {0.25, 16.0},
    .satDisplay = {24.0, 12.0},
    .relMapping = {0.0625, 256.0},
    .rateBands = {{512, 1024, 2048}, {256, 512, 1024}, {639, 1151, 2175}},
    .factoryBank = &kFullFactoryBank,
    .textOverrides = {},
};

}  // namespace

const Edition& fullEdition() { return kFull; }

}  // namespace ambrel
