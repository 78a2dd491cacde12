#pragma once
// The six meter preferences every instance reads when it is built and writes
// back when it is destroyed, kept under the product key of the settings store.

#include "core/Edition.h"
#include "presets/SettingsStore.h"

namespace ambrel {

inline constexpr int kMeterPreferenceCount = 6;

// The value names, in the order of the preference parameters (VU Integr first).
inline constexpr const char* kMeterPreferenceNames[kMeterPreferenceCount] = {
    "vuintegration", "vureference", "ppmintegration", "ppmreturn", "overcounter", "knobmode"};

// What a preference reads when the product key exists but lacks the value.
inline constexpr float kMeterPreferenceDefaults[kMeterPreferenceCount] = {0.5f, 0.41f, 0.5f, 0.5f, 2.0f / 9.0f, 1.0f};

// Which preference an edition's parameter index is, or -1.
int meterPreferenceOf(const Edition& edition, int index);

// 0.5 for an index that is no preference or when the product key is missing;
// the default above for a missing or unusable value (not 4 bytes, not finite);
// otherwise the stored value, held to 0..1.
float readMeterPreference(SettingsStore& store, const Edition& edition, int index);

// Stores one preference; any other index, or a store that cannot be written, does nothing.
void writeMeterPreference(SettingsStore& store, const Edition& edition, int index, float value);

// Puts one preference into an open product key (for writing several at once).
bool setMeterPreferenceValue(SettingsKey& productKey, const Edition& edition, int index, float value);

}  // namespace ambrel
