#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "ProductStandIn.h"
#include "presets/MeterPreferences.h"
#include "presets/SettingsKeys.h"
#include "presets/StoredFloat.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

using namespace ambrel;
using testsupport::countCalls;
using testsupport::HostCall;
using testsupport::hostCalls;
using testsupport::ProductStandIn;
using testsupport::recordingHost;

namespace {

std::string readText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}

const std::string kMemoAFile = "SOFTWARE/Zemtone/Ambrel20/MemoA.reg";
const std::string kProductFile = "SOFTWARE/Zemtone/Ambrel20.reg";

float storedFloat(SettingsKey& key, const std::string& name) {
    const std::optional<SettingsValue> value = key.queryValue(name);
    if (!value || value->bytes.size() != 4) return -100.0f;
    return loadLittleEndianFloat(value->bytes.data());
}

}  // namespace

TEST(Memories, StoreThenRecallRestoresValuesAndNameInCurrentAndSlotZeroOnly) {
    testsupport::TempSettingsStore store;
    ProductStandIn effect(recordingHost, fullEdition());
    effect.selectProgram(9);
    effect.setParameter(4, 0.77f);
    effect.setProgramNameNotifyEditor("Before A");
    const std::vector<float> stored(effect.values, effect.values + 42);
    effect.storeMemoA();

    for (int i : {1, 4, 5, 7, 13, 30, 35}) effect.setParameter(i, 0.123f);
    effect.setProgramNameNotifyEditor("Changed");
    const testsupport::BankSnapshot beforeRecall(effect);

    hostCalls().clear();
    effect.recallMemoA();
    std::vector<HostCall> automates;
    for (const HostCall& call : hostCalls())
        if (call.opcode == audioMasterAutomate) automates.push_back(call);
    ASSERT_EQ(automates.size(), 42u);
    for (int i = 0; i < 42; ++i) {
        EXPECT_EQ(automates[i].index, i);
        EXPECT_EQ(automates[i].opt, stored[i]);
        EXPECT_EQ(effect.values[i], stored[i]) << i;
        EXPECT_EQ(effect.program(0)->getParameterValue(i), stored[i]);
        EXPECT_EQ(effect.program(9)->getParameterValue(i), stored[i]);
    }
    EXPECT_EQ(hostCalls().back(), (HostCall{audioMasterUpdateDisplay, 0, 0.0f}));
    EXPECT_STREQ(effect.program(0)->name(), "Before A");
    EXPECT_STREQ(effect.program(9)->name(), "Before A");
    EXPECT_EQ(effect.getCurrentProgramIndex(), 9);
    const testsupport::BankSnapshot afterRecall(effect);
    for (int slot = 1; slot < kProgramSlots; ++slot) {
        if (slot == 9) continue;
        EXPECT_EQ(afterRecall.names[slot], beforeRecall.names[slot]);
        for (int i = 0; i < 42; ++i)
            EXPECT_EQ(afterRecall.values[slot * 42 + i], beforeRecall.values[slot * 42 + i]) << slot << "/" << i;
    }
}

TEST(Memories, RecallBeforeAnyStoreChangesNothing) {
    testsupport::TempSettingsStore store;
    ProductStandIn effect(recordingHost, fullEdition());
    effect.setParameter(4, 0.6f);
    const testsupport::BankSnapshot before(effect);
    hostCalls().clear();
    effect.recallMemoB();
    EXPECT_TRUE(hostCalls().empty());
    EXPECT_EQ(testsupport::BankSnapshot(effect), before);
    EXPECT_EQ(effect.values[4], 0.6f);
}

TEST(Memories, KeyHoldsParamValuesWithRightAlignedIndicesAndTheName) {
    testsupport::TempSettingsStore store;
    ProductStandIn effect(nullptr, fullEdition());
    effect.selectProgram(7);
    effect.storeMemoB();
    const std::string text = readText(store.keyFile("SOFTWARE/Zemtone/Ambrel20/MemoB.reg"));
    EXPECT_EQ(text.rfind("REGEDIT4\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20\\MemoB]\n"), std::string::npos);
    EXPECT_NE(text.find("\"param  0\"=hex:00,00,80,3f\n"), std::string::npos);
    EXPECT_NE(text.find("\"param  4\"=hex:9a,99,19,3f\n"), std::string::npos);  // Drive 0.6
    EXPECT_NE(text.find("\"param 10\"="), std::string::npos);
    EXPECT_NE(text.find("\"param 41\"="), std::string::npos);
    EXPECT_EQ(text.find("\"param 42\""), std::string::npos);
    EXPECT_NE(text.find("\"name\"=\"Mix Extra Pressure\"\n"), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = text.find("\"=", pos)) != std::string::npos; ++pos) ++lines;
    EXPECT_EQ(lines, 43u);

    std::unique_ptr<SettingsKey> key = machineSettingsStore().openKey(kMemoBKey);
    ASSERT_TRUE(key);
    const std::optional<SettingsValue> name = key->queryValue("name");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->type, static_cast<std::uint32_t>(kSettingsString));
    EXPECT_EQ(name->bytes.size(), std::strlen("Mix Extra Pressure") + 1);  // NUL included
    EXPECT_EQ(key->queryValue("param  7")->type, static_cast<std::uint32_t>(kSettingsBinary));
}

TEST(Memories, SiblingMemoriesHold48Values) {
    testsupport::TempSettingsStore store;
    ProductStandIn effect(nullptr, siblingEdition());
    effect.setParameter(47, 0.25f);
    effect.storeMemoA();
    std::unique_ptr<SettingsKey> key = machineSettingsStore().openKey(kMemoAKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(storedFloat(*key, "param 47"), 0.25f);
    effect.setParameter(47, 0.0f);
    effect.recallMemoA();
    EXPECT_EQ(effect.values[47], 0.25f);
}

TEST(Memories, DamagedKeyAppliesOnlyIntactValues) {
    struct Case {
        const char* what;
        std::string text;
        float drive;       // parameter 4 after the recall (0.5 when untouched)
        const char* name;  // slot 0's name after the recall
    };
    const std::string head = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20\\MemoA]\n";
    const Case cases[] = {
        {"intact", head + "\"param  4\"=hex:00,00,40,3f\n\"name\"=\"Kept\"\n", 0.75f, "Kept"},
        {"cut in a value", head + "\"param  4\"=hex:00,00,40", 0.5f, "Current"},
        {"cut in the name", head + "\"param  4\"=hex:00,00,40,3f\n\"name\"=\"Ke", 0.75f, "Current"},
        {"three bytes", head + "\"param  4\"=hex:00,00,40\n", 0.5f, "Current"},
        {"five bytes", head + "\"param  4\"=hex:00,00,40,3f,00\n", 0.5f, "Current"},
        {"string value", head + "\"param  4\"=\"abc\"\n", 0.5f, "Current"},
        {"dword value", head + "\"param  4\"=dword:3f400000\n", 0.5f, "Current"},
        {"not a number", head + "\"param  4\"=hex:00,00,c0,7f\n", 0.5f, "Current"},
        {"infinite", head + "\"param  4\"=hex:00,00,80,7f\n", 0.5f, "Current"},
        {"above one", head + "\"param  4\"=hex:00,00,00,40\n", 1.0f, "Current"},
        {"binary name", head + "\"name\"=hex:41,42\n", 0.5f, "Current"},
        {"name without terminator", head + "\"name\"=hex(1):41,42\n", 0.5f, "AB"},
        {"long name", head + "\"name\"=\"" + std::string(80, 'n') + "\"\n", 0.5f, "nnnnnnnnnnnnnnnnnnnnnnnn"},
        {"garbage", "\x01\xff garbage\n[[[\n\"param\n=hex:zz\n", 0.5f, "Current"},
        {"empty", "", 0.5f, "Current"},
        {"other key's section", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n\"param  4\"=hex:00,00,40,3f\n",
         0.5f, "Current"},
    };
    for (const Case& c : cases) {
        testsupport::TempSettingsStore store;
        std::filesystem::create_directories(store.keyFile("SOFTWARE/Zemtone/Ambrel20"));
        writeText(store.keyFile(kMemoAFile), c.text);
        ProductStandIn effect(nullptr, fullEdition());
        effect.recallMemoA();
        EXPECT_EQ(effect.values[4], c.drive) << c.what;
        EXPECT_EQ(effect.values[5], 0.0f) << c.what;  // never in the file
        EXPECT_STREQ(effect.program(0)->name(), c.name) << c.what;
    }
}

TEST(MeterPreferences, EmptyStoreReadsOneHalfAndDestructionWritesAllSix) {
    testsupport::TempSettingsStore store;
    {
        ProductStandIn effect(nullptr, fullEdition());
        for (int i : {43, 44, 45, 46, 48}) EXPECT_EQ(effect.values[i], 0.5f) << i;
        EXPECT_EQ(effect.values[47], 5.0f / 9.0f);  // 0.5 as the over counter quantizes it
        effect.setParameter(47, 0.3f);  // OverIndic
        effect.setParameter(44, 0.8f);
    }
    std::unique_ptr<SettingsKey> key = machineSettingsStore().openKey(kProductKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(storedFloat(*key, "overcounter"), 3.0f / 9.0f);
    EXPECT_EQ(storedFloat(*key, "vureference"), 0.8f);
    for (const char* name : {"vuintegration", "ppmintegration", "ppmreturn", "knobmode"})
        EXPECT_EQ(storedFloat(*key, name), 0.5f) << name;
    // The values were written in their customary order, the knob mode before the over counter.
    const std::string text = readText(store.keyFile(kProductFile));
    EXPECT_LT(text.find("\"ppmreturn\""), text.find("\"knobmode\""));
    EXPECT_LT(text.find("\"knobmode\""), text.find("\"overcounter\""));

    ProductStandIn next(nullptr, fullEdition());
    EXPECT_EQ(next.values[44], 0.8f);
    EXPECT_EQ(next.values[47], 3.0f / 9.0f);
}

TEST(MeterPreferences, MissingValuesOfAnExistingKeyTakeTheirOwnDefaults) {
    testsupport::TempSettingsStore store;
    std::filesystem::create_directories(store.keyFile("SOFTWARE/Zemtone"));
    writeText(store.keyFile(kProductFile),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20]\n\"ppmreturn\"=hex:00,00,40,3f\n"
              "\"ppmintegration\"=hex:00,00\n");
    const Edition& full = fullEdition();
    const float expected[6] = {0.5f, 0.41f, 0.5f, 0.75f, 2.0f / 9.0f, 1.0f};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(readMeterPreference(machineSettingsStore(), full, 43 + k), expected[k]) << 43 + k;
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), full, 42), 0.5f);
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), full, 49), 0.5f);
    // The sibling numbers the same preferences 49..54.
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), siblingEdition(), 52), 0.75f);
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), siblingEdition(), 46), 0.5f);

    writeMeterPreference(machineSettingsStore(), full, 40, 0.9f);  // no preference: nothing written
    writeMeterPreference(machineSettingsStore(), siblingEdition(), 49, 0.9f);
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), full, 43), 0.9f);
    EXPECT_EQ(readMeterPreference(machineSettingsStore(), full, 46), 0.75f);  // the others stay
}

// A store below a regular file can never be created, even by root.
TEST(SettingsStoreUnwritable, StoreBelowAFileDoesNothing) {
    testsupport::TempFolder folder;
    writeText(folder / "file", "x");
    ::setenv("AMBREL_SETTINGS_DIR", (folder / "file/settings").c_str(), 1);
    {
        ProductStandIn effect(recordingHost, fullEdition());
        EXPECT_EQ(effect.values[43], 0.5f);
        effect.storeMemoA();
        hostCalls().clear();
        effect.recallMemoA();
        EXPECT_TRUE(hostCalls().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "file/settings"));
    ::unsetenv("AMBREL_SETTINGS_DIR");
}

// A store folder the user may read but not write: stores do nothing, the
// memory stored earlier stays readable and unchanged.
TEST(SettingsStoreUnwritable, ReadOnlyFolderForAnOrdinaryUser) {
    testsupport::TempSettingsStore store;
    {
        ProductStandIn effect(nullptr, fullEdition());
        effect.setParameter(4, 0.25f);
        effect.storeMemoA();
    }
    for (const char* folder : {"SOFTWARE", "SOFTWARE/Zemtone", "SOFTWARE/Zemtone/Ambrel20"})
        std::filesystem::permissions(store.keyFile(folder), std::filesystem::perms(0755));
    const std::string before = readText(store.keyFile(kMemoAFile));
    const bool ok = testsupport::runUnprivileged([] {
        ProductStandIn effect(nullptr, fullEdition());
        effect.setParameter(4, 0.9f);
        effect.storeMemoA();
        effect.setParameter(4, 0.6f);
        effect.recallMemoA();
        return effect.values[4] == 0.25f;
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(readText(store.keyFile(kMemoAFile)), before);
}
