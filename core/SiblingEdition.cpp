#include "core/Edition.h"

#include "presets/FullFactoryBank.h"

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

// The same programs matched by parameter role, except that the finalize and
// tape programs (slots 8 to 13) release the low band slowest and the high band
// fastest: LowRel 1.0 and HighRel 0.0 over this edition's shorter release range.
constexpr FactoryBank siblingFactoryBank() {
    constexpr auto roles = siblingRoles();
    FactoryBank bank = factoryBankByRole(kFullFactoryBank, roles, 48);
    int lowRel = -1, highRel = -1;
    for (int i = 0; i < 48; ++i) {
        if (roles[static_cast<unsigned>(i)] == kLowRel) lowRel = i;
        if (roles[static_cast<unsigned>(i)] == kHighRel) highRel = i;
    }
    for (int slot = 8; slot <= 13; ++slot) {
        bank.programs[static_cast<unsigned>(slot)].values[static_cast<unsigned>(lowRel)] = 1.0;
        bank.programs[static_cast<unsigned>(slot)].values[static_cast<unsigned>(highRel)] = 0.0;
    }
    return bank;
}

constexpr FactoryBank kSiblingFactoryBank = siblingFactoryBank();

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
    .factoryBank = &kSiblingFactoryBank,
    .textOverrides = kSiblingTextOverrides,
};

}  // namespace

const Edition& siblingEdition() { return kSibling; }

}  // namespace ambrel
