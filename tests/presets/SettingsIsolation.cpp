// No test of this folder may touch the user's or the machine's real settings:
// the whole run gets its own store folder (single tests may point elsewhere).

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

class IsolatedSettings : public ::testing::Environment {
public:
    void SetUp() override { ::setenv("AMBREL_SETTINGS_DIR", folder.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("AMBREL_SETTINGS_DIR"); }

private:
    testsupport::TempFolder folder;
};

[[maybe_unused]] ::testing::Environment* const gIsolation = ::testing::AddGlobalTestEnvironment(new IsolatedSettings);

}  // namespace
