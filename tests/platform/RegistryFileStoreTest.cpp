#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/RegistryFileStore.h"
#include "presets/AtomicFile.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

using namespace ambrel;

namespace {

std::string readText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int entriesIn(const std::string& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace

TEST(RegistryFileStore, KeysAreFilesOfTheirPath) {
    testsupport::TempFolder root;
    RegistryFileStore store(root.path());
    EXPECT_EQ(store.fileOfKey("SOFTWARE\\Zemtone\\Ambrel20\\MemoA"), root / "SOFTWARE/Zemtone/Ambrel20/MemoA.reg");
    for (const char* bad : {"", "A\\\\B", "A\\..\\B", "..", "A\\.", "A/B", "\\A", "A\\"})
        EXPECT_EQ(store.fileOfKey(bad), "") << bad;
    EXPECT_EQ(store.createKey("A\\..\\..\\etc"), nullptr);
}

TEST(RegistryFileStore, ValuesReachTheFileWhenTheKeyCloses) {
    testsupport::TempFolder root;
    RegistryFileStore store(root.path());
    EXPECT_EQ(store.openKey("SOFTWARE\\Zemtone\\Ambrel20"), nullptr);
    {
        std::unique_ptr<SettingsKey> key = store.createKey("SOFTWARE\\Zemtone\\Ambrel20");
        ASSERT_TRUE(key);
        const std::uint8_t bytes[4] = {0, 0, 0x80, 0x3f};
        EXPECT_TRUE(key->setValue("knobmode", kSettingsBinary, bytes, 4));
        EXPECT_TRUE(key->setValue("name", kSettingsString, "Default", 8));
        EXPECT_FALSE(key->setValue("bad\nname", kSettingsBinary, bytes, 4));
        EXPECT_FALSE(std::filesystem::exists(root / "SOFTWARE/Zemtone/Ambrel20.reg"));
        EXPECT_EQ(key->queryValue("knobmode")->bytes.size(), 4u);
    }
    EXPECT_EQ(readText(root / "SOFTWARE/Zemtone/Ambrel20.reg"),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20]\n\"knobmode\"=hex:00,00,80,3f\n"
              "\"name\"=\"Default\"\n\n");

    // Writing again keeps the values it does not set; a key opened for reading cannot write.
    {
        std::unique_ptr<SettingsKey> key = store.createKey("SOFTWARE\\Zemtone\\Ambrel20");
        const std::uint8_t bytes[4] = {0, 0, 0, 0x3f};
        key->setValue("vureference", kSettingsBinary, bytes, 4);
        EXPECT_TRUE(key->close());
    }
    std::unique_ptr<SettingsKey> reader = store.openKey("SOFTWARE\\Zemtone\\Ambrel20");
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->queryValue("knobmode"));
    EXPECT_TRUE(reader->queryValue("vureference"));
    EXPECT_FALSE(reader->queryValue("missing"));
    EXPECT_FALSE(reader->setValue("x", kSettingsBinary, "x", 1));
    EXPECT_EQ(entriesIn(root / "SOFTWARE/Zemtone"), 1) << "no temporary files left behind";
}

TEST(RegistryFileStore, MachineStoreFollowsTheEnvironment) {
    testsupport::TempFolder root;
    ::setenv("AMBREL_SETTINGS_DIR", (root / "fresh/store").c_str(), 1);
    std::unique_ptr<SettingsKey> key = machineSettingsStore().createKey("K");
    ASSERT_TRUE(key);
    key->setValue("v", kSettingsBinary, "abcd", 4);
    EXPECT_TRUE(key->close());
    EXPECT_TRUE(std::filesystem::exists(root / "fresh/store/K.reg"));
    ::unsetenv("AMBREL_SETTINGS_DIR");
}

TEST(RegistryFileStore, UnwritableStoreDoesNothing) {
    testsupport::TempFolder root;
    { std::ofstream(root / "file") << "x"; }
    RegistryFileStore belowAFile(root / "file/store");  // cannot exist, even for root
    EXPECT_EQ(belowAFile.createKey("K"), nullptr);
    EXPECT_EQ(belowAFile.openKey("K"), nullptr);

    RegistryFileStore store(root / "store");
    {
        std::unique_ptr<SettingsKey> key = store.createKey("K");
        key->setValue("v", kSettingsBinary, "abcd", 4);
    }
    std::filesystem::permissions(root / "store", std::filesystem::perms(0755));
    const std::string before = readText(root / "store/K.reg");
    const std::string folder = root / "store";
    EXPECT_TRUE(testsupport::runUnprivileged([folder] {
        RegistryFileStore other(folder);
        if (other.createKey("K") != nullptr || other.createKey("New") != nullptr) return false;
        std::unique_ptr<SettingsKey> reader = other.openKey("K");
        return reader && reader->queryValue("v").has_value();
    }));
    EXPECT_EQ(readText(root / "store/K.reg"), before);
    EXPECT_EQ(entriesIn(root / "store"), 1);
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    testsupport::TempFolder root;
    const std::string target = root / "file.bin";
    ASSERT_TRUE(replaceFileContents(target, "first", 5));
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    ASSERT_TRUE(replaceFileContents(target, "second", 6));
    EXPECT_EQ(readText(target), "second");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640)) << "permissions kept";

    // Through a link, the file it names is replaced and the link stays.
    std::filesystem::create_symlink(target, root / "link.bin");
    ASSERT_TRUE(replaceFileContents(root / "link.bin", "third", 5));
    EXPECT_TRUE(std::filesystem::is_symlink(root / "link.bin"));
    EXPECT_EQ(readText(target), "third");

    EXPECT_FALSE(replaceFileContents(root / "missing/file.bin", "x", 1));
    EXPECT_FALSE(replaceFileContents(root.path(), "x", 1));  // a folder is not replaced
    EXPECT_FALSE(replaceFileContents("", "x", 1));
    EXPECT_EQ(entriesIn(root.path()), 2);

    EXPECT_TRUE(testsupport::runUnprivileged([target] { return !replaceFileContents(target, "fourth", 6); }));
    EXPECT_EQ(readText(target), "third");
    EXPECT_TRUE(isPathSeparator('/'));
    EXPECT_FALSE(isPathSeparator('\\'));
}
