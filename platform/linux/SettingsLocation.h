#pragma once
// Where the settings store keeps its files on Linux.

#include <string>

namespace ambrel {

struct SettingsEnvironment {
    const char* overrideDir = nullptr;    // AMBREL_SETTINGS_DIR
    const char* machineDir = nullptr;     // used when it exists as a folder
    const char* xdgConfigHome = nullptr;  // XDG_CONFIG_HOME
    const char* home = nullptr;           // HOME
};

inline constexpr const char* kMachineSettingsDir = "/var/lib/zemtone";

// The first of: the override, the machine-wide folder if it exists, the user's
// configuration folder + "/zemtone" (XDG_CONFIG_HOME when absolute, else
// HOME/.config). Empty when none can be found.
std::string settingsDirectory(const SettingsEnvironment& environment);

// The same, from the process environment and the password database.
std::string settingsDirectory();

}  // namespace ambrel
