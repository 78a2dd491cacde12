#include "presets/MeterPreferences.h"

#include <cmath>

#include "presets/SettingsKeys.h"
#include "presets/StoredFloat.h"

namespace ambrel {

int meterPreferenceOf(const Edition& edition, int index) {
    const int role = edition.roleOf(index);
    const int preference = role - kVuIntegr;
    return role != kRoleNone && preference >= 0 && preference < kMeterPreferenceCount ? preference : -1;
}

float readMeterPreference(SettingsStore& store, const Edition& edition, int index) {
    const int preference = meterPreferenceOf(edition, index);
    if (preference < 0) return 0.5f;
    std::unique_ptr<SettingsKey> key = store.openKey(kProductKey);
    if (!key) return 0.5f;
    const std::optional<SettingsValue> stored = key->queryValue(kMeterPreferenceNames[preference]);
    if (!stored || stored->type != kSettingsBinary || stored->bytes.size() != 4) return kMeterPreferenceDefaults[preference];
    const float value = loadLittleEndianFloat(stored->bytes.data());
    if (!std::isfinite(value)) return kMeterPreferenceDefaults[preference];
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

bool setMeterPreferenceValue(SettingsKey& productKey, const Edition& edition, int index, float value) {
    const int preference = meterPreferenceOf(edition, index);
    if (preference < 0) return false;
    std::uint8_t bytes[4];
    storeLittleEndianFloat(value, bytes);
    return productKey.setValue(kMeterPreferenceNames[preference], kSettingsBinary, bytes, sizeof bytes);
}

void writeMeterPreference(SettingsStore& store, const Edition& edition, int index, float value) {
    if (meterPreferenceOf(edition, index) < 0) return;
    std::unique_ptr<SettingsKey> key = store.createKey(kProductKey);
    if (!key) return;
    setMeterPreferenceValue(*key, edition, index, value);
    key->close();
}

}  // namespace ambrel
