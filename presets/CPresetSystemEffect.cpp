#include "presets/CPresetSystemEffect.h"

#include <cmath>
#include <cstring>
#include <new>

#include "presets/MeterPreferences.h"
#include "presets/SettingsKeys.h"
#include "presets/StoredFloat.h"

namespace ambrel {
namespace {

// The bank is built in place so that every slot is constructed with the
// edition's value count and "Default" values; allocation failure leaves no bank.
CProgram* allocatePrograms(const Edition& edition) {
    void* storage = ::operator new[](sizeof(CProgram) * kProgramSlots, std::nothrow);
    if (!storage) return nullptr;
    auto* programs = static_cast<CProgram*>(storage);
    const FactoryProgram& defaults = edition.factoryBank->programs[1];
    for (int slot = 0; slot < kProgramSlots; ++slot) new (&programs[slot]) CProgram(defaults, edition.numParams);
    return programs;
}

void freePrograms(CProgram* programs) {
    if (!programs) return;
    for (int slot = kProgramSlots - 1; slot >= 0; --slot) programs[slot].~CProgram();
    ::operator delete[](programs);
}

// A zeroed 25-byte copy of a name, cut to 24 characters.
struct NameBuffer {
    explicit NameBuffer(const char* name) {
        if (!name) return;
        std::size_t length = 0;
        while (length < static_cast<std::size_t>(kNameLength) && name[length] != 0) ++length;
        std::memcpy(text, name, length);
    }
    char text[kNameLength + 1] = {};
};

}  // namespace

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, const Edition& edition)
    : CPresetSystemEffect(audioMaster, edition, machineSettingsStore()) {}

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, const Edition& edition,
                                         SettingsStore& store)
    : AudioEffectX(audioMaster, 1, edition.numParams), editionInfo(edition), store(store) {
    curProgram = 0;
    programs = allocatePrograms(edition);
    initFactoryPrograms();
    loadingProgram = false;
}

CPresetSystemEffect::~CPresetSystemEffect() {
    freePrograms(programs);
    programs = nullptr;
}

CProgram* CPresetSystemEffect::program(int slot) {
    return programs && static_cast<unsigned>(slot) < static_cast<unsigned>(kProgramSlots) ? &programs[slot] : nullptr;
}

const CProgram* CPresetSystemEffect::program(int slot) const {
    return programs && static_cast<unsigned>(slot) < static_cast<unsigned>(kProgramSlots) ? &programs[slot] : nullptr;
}

void CPresetSystemEffect::setParameter(VstInt32 index, float value) {
    if (!programs || loadingProgram || static_cast<unsigned>(index) >= static_cast<unsigned>(editionInfo.numParams))
        return;
    programs[currentProgram].setParameterValue(index, value);
    programs[0].setParameterValue(index, value);
}

void CPresetSystemEffect::recordGlobalParameter(VstInt32 index, float value) {
    if (!programs || !editionInfo.isGlobal(index)) return;
    for (int slot = 0; slot < kProgramSlots; ++slot) programs[slot].setParameterValue(index, value);
}

void CPresetSystemEffect::setProgramName(char* name) { setProgramNameNotifyEditor(name); }

void CPresetSystemEffect::getProgramName(char* name) {
    if (!name) return;
    if (programs)
        programs[0].getName(name);
    else
        *name = 0;
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (index != 0 || !text) return false;
    getProgramName(text);
    return true;
}

VstInt32 CPresetSystemEffect::getChunk(void** data, bool /*isPreset*/) {
    if (data) *data = nullptr;
    return 0;
}

VstInt32 CPresetSystemEffect::setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/) { return 0; }

int CPresetSystemEffect::getCurrentProgramIndex() { return currentProgram; }

void CPresetSystemEffect::setProgramNameNotifyEditor(const char* name) {
    if (!programs) return;
    const NameBuffer buffer(name);
    programs[currentProgram].setName(buffer.text);
    programs[0].setName(buffer.text);
    if (listener) listener->programNameChanged(buffer.text);
}

void CPresetSystemEffect::setProgramNameFromEditor(const char* name) {
    if (!programs) return;
    programs[currentProgram].setName(name);
    programs[0].setName(name);
    updateDisplay();
}

void CPresetSystemEffect::selectProgram(int index) {
    // Only the editor selects, with 0..30; anything else would address memory outside the bank.
    if (!programs || static_cast<unsigned>(index) >= static_cast<unsigned>(kProgramSlots)) return;
    loadingProgram = true;
    currentProgram = index;
    CProgram& chosen = programs[index];
    for (int i = 0; i < editionInfo.numParams; ++i) {
        const float value = chosen.getParameterValue(i);
        setParameterWithEdit(i, value);
        programs[0].setParameterValue(i, value);
    }
    char name[kNameLength + 1];
    chosen.getName(name);
    programs[0].setName(name);
    loadingProgram = false;
    updateDisplay();
}

void CPresetSystemEffect::setParameterWithEdit(int index, float value) {
    setParameter(index, value);
    if (!hasHost()) return;
    callHost(audioMasterBeginEdit, index);
    callHost(audioMasterAutomate, index, 0, nullptr, getParameter(index));
    callHost(audioMasterAutomate, index, 0, nullptr, value);
    callHost(audioMasterEndEdit, index);
}

void CPresetSystemEffect::initFactoryPrograms() {
    if (!programs) return;
    const FactoryBank& bank = *editionInfo.factoryBank;
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const FactoryProgram& factory = bank.programs[static_cast<unsigned>(slot)];
        programs[slot].setName(factory.name);
        for (int i = 0; i < editionInfo.numParams; ++i)
            programs[slot].setParameterValue(i, static_cast<float>(factory.values[static_cast<unsigned>(i)]));
    }
}

void CPresetSystemEffect::storeMemoA() { storeMemo(kMemoAKey); }
void CPresetSystemEffect::storeMemoB() { storeMemo(kMemoBKey); }
void CPresetSystemEffect::recallMemoA() { recallMemo(kMemoAKey); }
void CPresetSystemEffect::recallMemoB() { recallMemo(kMemoBKey); }

// One memory is one key: every value and the name are written together when the key closes.
void CPresetSystemEffect::storeMemo(const std::string& keyPath) {
    if (!programs) return;
    std::unique_ptr<SettingsKey> key = store.createKey(keyPath);
    if (!key) return;
    for (int i = 0; i < editionInfo.numParams; ++i) {
        std::uint8_t bytes[4];
        storeLittleEndianFloat(getParameter(i), bytes);
        key->setValue(memoValueName(i), kSettingsBinary, bytes, sizeof bytes);
    }
    const char* name = programs[currentProgram].name();
    key->setValue(kMemoNameValue, kSettingsString, name, std::strlen(name) + 1);
    key->close();
}

// A memory written by the other edition, cut or edited by hand applies only
// what it holds intact: 4-byte finite values (held to 0..1) and a text name.
void CPresetSystemEffect::recallMemo(const std::string& keyPath) {
    if (!programs) return;
    std::unique_ptr<SettingsKey> key = store.openKey(keyPath);
    if (!key) return;
    for (int i = 0; i < editionInfo.numParams; ++i) {
        const std::optional<SettingsValue> stored = key->queryValue(memoValueName(i));
        if (!stored || stored->type != kSettingsBinary || stored->bytes.size() != 4) continue;
        float value = loadLittleEndianFloat(stored->bytes.data());
        if (!std::isfinite(value)) continue;
        value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
        setParameterAutomated(i, value);
    }
    const std::optional<SettingsValue> name = key->queryValue(kMemoNameValue);
    if (name && name->type == kSettingsString) {
        char text[64] = {};
        for (std::size_t i = 0; i < name->bytes.size() && i + 1 < sizeof text && name->bytes[i] != 0; ++i)
            text[i] = static_cast<char>(name->bytes[i]);
        setProgramNameNotifyEditor(text);
    }
    updateDisplay();
}

void CPresetSystemEffect::applyMeterPreferences() {
    for (int preference = 0; preference < kMeterPreferenceCount; ++preference) {
        const int index = editionInfo.indexOf(static_cast<ParameterRole>(kVuIntegr + preference));
        if (index >= 0) setParameter(index, readMeterPreference(store, editionInfo, index));
    }
}

// Order of the values as they have always been written: the VU and PPM
// settings, then the knob mode, then the over counter.
void CPresetSystemEffect::saveMeterPreferences() {
    std::unique_ptr<SettingsKey> key = store.createKey(kProductKey);
    if (!key) return;
    static constexpr int kWriteOrder[kMeterPreferenceCount] = {0, 1, 2, 3, 5, 4};
    for (int preference : kWriteOrder) {
        const int index = editionInfo.indexOf(static_cast<ParameterRole>(kVuIntegr + preference));
        if (index >= 0) setMeterPreferenceValue(*key, editionInfo, index, getParameter(index));
    }
    key->close();
}

}  // namespace ambrel
