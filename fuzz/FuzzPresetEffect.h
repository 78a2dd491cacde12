#pragma once
// The program bank with a minimal product on top, for the preset-system fuzz
// targets: it keeps the values it is given as the product's table does, and
// checks that everything the preset system applies is a normalized value.

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "presets/CPresetSystemEffect.h"

namespace fuzzing {

inline VstIntPtr silentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class FuzzPresetEffect : public ambrel::CPresetSystemEffect {
public:
    FuzzPresetEffect(const ambrel::Edition& edition, ambrel::SettingsStore& store)
        : CPresetSystemEffect(silentHost, edition, store) {
        applyMeterPreferences();
        initFactoryPrograms();
        selectProgram(0);
    }

    void processReplacing(float**, float**, VstInt32) override {}

    void setParameter(VstInt32 index, float value) override {
        FUZZ_CHECK(index >= 0 && index < edition().numIndices);
        FUZZ_CHECK(value >= 0.0f && value <= 1.0f);  // false for NaN too
        values[index] = value;
        CPresetSystemEffect::setParameter(index, value);
        recordGlobalParameter(index, value);
    }
    float getParameter(VstInt32 index) override {
        return index >= 0 && index < ambrel::kMaxParameterIndices ? values[index] : 0.0f;
    }

    // Every slot holds a name of at most 24 characters and normalized values.
    void checkBank() const {
        for (int slot = 0; slot < ambrel::kProgramSlots; ++slot) {
            const ambrel::CProgram* p = program(slot);
            FUZZ_CHECK(p != nullptr);
            FUZZ_CHECK(std::strlen(p->name()) <= static_cast<std::size_t>(ambrel::kNameLength));
            for (int i = 0; i < p->valueCount(); ++i) {
                const float v = p->getParameterValue(i);
                FUZZ_CHECK(v >= 0.0f && v <= 1.0f);
            }
        }
    }

    float values[ambrel::kMaxParameterIndices] = {};
};

// A settings store in memory: each key is a list of values.
class MemorySettingsStore : public ambrel::SettingsStore {
public:
    std::map<std::string, std::map<std::string, ambrel::SettingsValue>> keys;

    std::unique_ptr<ambrel::SettingsKey> createKey(const std::string& path) override {
        return std::make_unique<Key>(keys[path], true);
    }
    std::unique_ptr<ambrel::SettingsKey> openKey(const std::string& path) override {
        auto found = keys.find(path);
        if (found == keys.end()) return nullptr;
        return std::make_unique<Key>(found->second, false);
    }

private:
    class Key : public ambrel::SettingsKey {
    public:
        Key(std::map<std::string, ambrel::SettingsValue>& values, bool writable) : values(values), writable(writable) {}
        bool setValue(const std::string& name, std::uint32_t type, const void* data, std::size_t size) override {
            if (!writable) return false;
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            values[name] = ambrel::SettingsValue{type, std::vector<std::uint8_t>(bytes, bytes + size)};
            return true;
        }
        std::optional<ambrel::SettingsValue> queryValue(const std::string& name) const override {
            auto found = values.find(name);
            if (found == values.end()) return std::nullopt;
            return found->second;
        }
        bool close() override { return true; }

    private:
        std::map<std::string, ambrel::SettingsValue>& values;
        bool writable;
    };
};

}  // namespace fuzzing
