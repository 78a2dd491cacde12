#pragma once
// The settings store on Linux: one text file per key in the registry's export
// format, below a root folder. Key "A\B\C" lives in <root>/A/B/C.reg. Every
// write replaces the whole file atomically, so a crash or a full disk leaves
// the previous contents; a store that cannot be written does nothing.

#include <string>

#include "presets/SettingsStore.h"

namespace ambrel {

class RegistryFileStore : public SettingsStore {
public:
    // With an empty root the folder is looked up again for every key (see
    // settingsDirectory), so a changed environment takes effect at once.
    explicit RegistryFileStore(std::string root = {});

    std::unique_ptr<SettingsKey> createKey(const std::string& path) override;
    std::unique_ptr<SettingsKey> openKey(const std::string& path) override;

    // The file that holds a key; empty for a path that names no key
    // (empty parts, "." or "..", a slash, or no root folder).
    std::string fileOfKey(const std::string& path) const;

private:
    std::string fixedRoot;
};

}  // namespace ambrel
