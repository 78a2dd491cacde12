// The settings store's key reader on any text: parsing never fails unsafely,
// what it takes is written back and read again unchanged, and a memory or
// product key holding it applies only normalized values and a name of at most
// 24 characters, as both editions.

#include <string>

#include "FuzzPresetEffect.h"
#include "platform/linux/RegistryExportFormat.h"
#include "presets/MeterPreferences.h"
#include "presets/SettingsKeys.h"

using namespace ambrel;

namespace {

const std::string kMemoAName = std::string(kMachineRootName) + "\\" + kMemoAKey;

bool sameValues(const SettingsValueList& a, const SettingsValueList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].value.type != b[i].value.type || a[i].value.bytes != b[i].value.bytes)
            return false;
    return true;
}

void checkRoundTrip(const SettingsValueList& parsed) {
    SettingsValueList writable;
    for (const NamedSettingsValue& entry : parsed) {
        std::size_t same = 0;
        for (const NamedSettingsValue& other : parsed) same += other.name == entry.name;
        FUZZ_CHECK(same == 1);  // a name given twice keeps one value
        if (isWritableValueName(entry.name)) writable.push_back(entry);
    }
    const std::string text = formatRegistryExport(kMemoAName, writable);
    FUZZ_CHECK(sameValues(parseRegistryExport(text, kMemoAName), writable));
}

void recallAs(const Edition& edition, const SettingsValueList& parsed) {
    fuzzing::MemorySettingsStore store;
    for (const std::string& key : {kMemoAKey, kProductKey})
        for (const NamedSettingsValue& entry : parsed) store.keys[key][entry.name] = entry.value;
    fuzzing::FuzzPresetEffect effect(edition, store);  // reads the meter preferences
    for (int index = 0; index < edition.numIndices; ++index) {
        if (meterPreferenceOf(edition, index) < 0) continue;
        const float preference = readMeterPreference(store, edition, index);
        FUZZ_CHECK(preference >= 0.0f && preference <= 1.0f);
    }
    effect.selectProgram(static_cast<int>(parsed.size() % kProgramSlots));
    effect.recallMemoA();
    effect.checkBank();
    effect.recallMemoB();  // never stored: nothing happens
    effect.checkBank();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SettingsValueList parsed = parseRegistryExport(text, kMemoAName);
    checkRoundTrip(parsed);
    recallAs(fullEdition(), parsed);
    recallAs(siblingEdition(), parsed);
    return 0;
}
