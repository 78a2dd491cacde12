#pragma once
// The machine-wide settings store, modelled on the system registry: keys named
// by backslash-separated paths below the machine-wide root, each holding named
// values with a type and exact bytes. Failures are silent: a key that cannot be
// created or opened is simply not there.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ambrel {

// Value types, numbered as the registry numbers them.
enum SettingsValueType : std::uint32_t {
    kSettingsString = 1,  // REG_SZ: text, the terminating NUL included in the bytes
    kSettingsBinary = 3,  // REG_BINARY
    kSettingsDword = 4,   // REG_DWORD, little-endian
};

struct SettingsValue {
    std::uint32_t type = kSettingsBinary;
    std::vector<std::uint8_t> bytes;
};

// An open key. Values set on a writable key reach the store when it is closed
// (all of them at once); destroying the key closes it.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    // False on a key opened for reading or for a name the store cannot hold.
    virtual bool setValue(const std::string& name, std::uint32_t type, const void* data, std::size_t size) = 0;
    virtual std::optional<SettingsValue> queryValue(const std::string& name) const = 0;
    // Writes the pending values; false when the store could not take them.
    virtual bool close() = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Creates the key (and its parents) or opens it for writing; null on failure.
    virtual std::unique_ptr<SettingsKey> createKey(const std::string& path) = 0;
    // Opens an existing key for reading; null when it is missing or unreadable.
    virtual std::unique_ptr<SettingsKey> openKey(const std::string& path) = 0;
};

// The platform's machine-wide store (defined by the platform layer).
SettingsStore& machineSettingsStore();

}  // namespace ambrel
