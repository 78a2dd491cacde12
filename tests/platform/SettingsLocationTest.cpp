#include <gtest/gtest.h>

#include "platform/linux/SettingsLocation.h"
#include "support/TempFolder.h"

using namespace ambrel;

TEST(SettingsLocation, FirstAvailableOfOverrideMachineUserFolder) {
    testsupport::TempFolder machine;
    const std::string missing = machine / "missing";
    struct Case {
        const char* overrideDir;
        const char* machineDir;
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/custom", machine.path().c_str(), "/xdg", "/home/u", "/custom"},
        {"", machine.path().c_str(), "/xdg", "/home/u", machine.path()},
        {nullptr, missing.c_str(), "/xdg", "/home/u", "/xdg/zemtone"},
        {nullptr, missing.c_str(), "relative", "/home/u", "/home/u/.config/zemtone"},
        {nullptr, missing.c_str(), "", "/home/u", "/home/u/.config/zemtone"},
        {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        SettingsEnvironment environment;
        environment.overrideDir = c.overrideDir;
        environment.machineDir = c.machineDir;
        environment.xdgConfigHome = c.xdg;
        environment.home = c.home;
        EXPECT_EQ(settingsDirectory(environment), c.expected);
    }
}

TEST(SettingsLocation, ProcessEnvironmentOverrideWins) {
    ::setenv("AMBREL_SETTINGS_DIR", "/somewhere/else", 1);
    EXPECT_EQ(settingsDirectory(), "/somewhere/else");
    ::unsetenv("AMBREL_SETTINGS_DIR");
    EXPECT_FALSE(settingsDirectory().empty());
}
