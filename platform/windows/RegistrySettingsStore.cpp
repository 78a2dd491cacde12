// The settings store on the system registry, below HKEY_LOCAL_MACHINE. A key
// opened for writing collects its values and writes them with RegSetValueExA
// when it is closed; a key opened for reading reads with RegQueryValueExA.

#include <windows.h>

#include <utility>

#include "presets/SettingsStore.h"

namespace ambrel {
namespace {

struct PendingValue {
    std::string name;
    SettingsValue value;
};

class RegistryKey : public SettingsKey {
public:
    RegistryKey(HKEY key, bool writable) : key(key), writable(writable) {}
    ~RegistryKey() override {
        close();
        if (key) RegCloseKey(key);
    }

    bool setValue(const std::string& name, std::uint32_t type, const void* data, std::size_t size) override {
        if (!writable || !key || (size > 0 && !data) || size > 0xFFFFFFFFu) return false;
        SettingsValue value;
        value.type = type;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        value.bytes.assign(bytes, bytes + size);
        for (PendingValue& pending : values) {
            if (pending.name == name) {
                pending.value = std::move(value);
                return true;
            }
        }
        values.push_back({name, std::move(value)});
        return true;
    }

    std::optional<SettingsValue> queryValue(const std::string& name) const override {
        if (!key) return std::nullopt;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
        SettingsValue value;
        value.type = type;
        value.bytes.resize(size);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, size ? value.bytes.data() : nullptr, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        value.bytes.resize(size);
        return value;
    }

    bool close() override {
        bool ok = true;
        for (const PendingValue& pending : values) {
            const LONG result = RegSetValueExA(key, pending.name.c_str(), 0, pending.value.type,
                                               pending.value.bytes.data(),
                                               static_cast<DWORD>(pending.value.bytes.size()));
            ok = ok && result == ERROR_SUCCESS;
        }
        values.clear();
        return ok;
    }

private:
    HKEY key;
    bool writable;
    std::vector<PendingValue> values;
};

class RegistrySettingsStore : public SettingsStore {
public:
    std::unique_ptr<SettingsKey> createKey(const std::string& path) override {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<RegistryKey>(key, true);
    }

    std::unique_ptr<SettingsKey> openKey(const std::string& path) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
        return std::make_unique<RegistryKey>(key, false);
    }
};

}  // namespace

SettingsStore& machineSettingsStore() {
    static RegistrySettingsStore store;
    return store;
}

}  // namespace ambrel
