#pragma once
// A fresh folder under /tmp for one test, removed with everything in it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/ambrel-test-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        folder = made ? made : "";
        // Readable by everyone, so a child running as another user can look but not write.
        if (made) std::filesystem::permissions(folder, std::filesystem::perms(0755));
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return folder; }
    std::string operator/(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

// Points the machine-wide settings store at a fresh folder for one test.
class TempSettingsStore {
public:
    TempSettingsStore() { ::setenv("AMBREL_SETTINGS_DIR", root.path().c_str(), 1); }
    ~TempSettingsStore() { ::unsetenv("AMBREL_SETTINGS_DIR"); }
    const TempFolder& folder() const { return root; }
    std::string keyFile(const std::string& relative) const { return root / relative; }

private:
    TempFolder root;
};

}  // namespace testsupport
