#include "platform/linux/SettingsLocation.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace ambrel {
namespace {

bool isSet(const char* text) { return text && *text; }

bool isFolder(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string settingsDirectory(const SettingsEnvironment& environment) {
    if (isSet(environment.overrideDir)) return environment.overrideDir;
    if (isSet(environment.machineDir) && isFolder(environment.machineDir)) return environment.machineDir;
    if (isSet(environment.xdgConfigHome) && environment.xdgConfigHome[0] == '/')
        return std::string(environment.xdgConfigHome) + "/zemtone";
    if (isSet(environment.home)) return std::string(environment.home) + "/.config/zemtone";
    return {};
}

std::string settingsDirectory() {
    SettingsEnvironment environment;
    environment.overrideDir = std::getenv("AMBREL_SETTINGS_DIR");
    environment.machineDir = kMachineSettingsDir;
    environment.xdgConfigHome = std::getenv("XDG_CONFIG_HOME");
    environment.home = std::getenv("HOME");
    std::vector<char> buffer;
    passwd entry{};
    passwd* found = nullptr;
    if (!isSet(environment.home)) {
        long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
        buffer.resize(size > 0 ? static_cast<std::size_t>(size) : 16384);
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
            environment.home = found->pw_dir;
    }
    return settingsDirectory(environment);
}

}  // namespace ambrel
