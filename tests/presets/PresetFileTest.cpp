#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ProductStandIn.h"
#include "presets/PresetFileActions.h"
#include "presets/PresetFileFormat.h"
#include "presets/RememberedFiles.h"
#include "presets/StoredFloat.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

using namespace ambrel;
using testsupport::BankSnapshot;
using testsupport::ProductStandIn;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFileBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes fromHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// Gives every slot its own name and values, so that a load can be told from no load.
void scramble(CPresetSystemEffect& effect, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const std::string name = "Slot " + std::to_string(slot) + " seed " + std::to_string(seed);
        effect.program(slot)->setName(name.c_str());
        for (int i = 0; i < effect.edition().numParams; ++i) effect.program(slot)->setParameterValue(i, unit(random));
    }
}

struct NameListener : CPresetSystemListener {
    void programNameChanged(const char* name) override { names.emplace_back(name); }
    std::vector<std::string> names;
};

class FileTest : public ::testing::TestWithParam<const Edition*> {
protected:
    const Edition& edition() const { return *GetParam(); }
    testsupport::TempFolder folder;
};

}  // namespace

TEST(PresetFiles, DefaultPresetIsByteExact) {
    testsupport::TempFolder folder;
    ProductStandIn effect(nullptr, fullEdition());
    effect.selectProgram(1);
    const FileActionResult result = savePresetFile(effect, folder / "Default.zem");
    EXPECT_EQ(result.outcome, FileActionResult::kDone);
    const Bytes expected = fromHex(
        "514f4c422144656661756c740000000000000000000000000000000000000080"
        "3f000000000000803f0000803f0000003f000000000000803f0000003f000000"
        "3f0000003f0000803f0000003f0000803f0000003f0000003f0000003f000000"
        "3f0000003f0000003f0000003f0000003f0000003f0000000000000000000080"
        "3f000000000000000000000000000000000000803f0000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000"
        "0000000000");
    ASSERT_EQ(expected.size(), 197u);
    EXPECT_EQ(readFileBytes(folder / "Default.zem"), expected);
}

TEST_P(FileTest, SavedSizesFollowTheEdition) {
    ProductStandIn effect(nullptr, edition());
    ASSERT_EQ(savePresetFile(effect, folder / "p.zem").outcome, FileActionResult::kDone);
    ASSERT_EQ(saveBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    const bool full = edition().numParams == 42;
    EXPECT_EQ(readFileBytes(folder / "p.zem").size(), full ? 197u : 221u);
    EXPECT_EQ(readFileBytes(folder / "b.zmb").size(), full ? 5957u : 6701u);
    EXPECT_EQ(presetFileSize(edition()), full ? 197u : 221u);
    EXPECT_EQ(bankFileSize(edition()), full ? 5957u : 6701u);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST_P(FileTest, BankRoundTripRestoresEverySlotAndNamesTheMenu) {
    ProductStandIn effect(nullptr, edition());
    scramble(effect, 1);
    effect.program(7)->setName("abcdefghijklmnopqrstuvwx");  // 24 characters: no terminator in the file
    effect.program(8)->setName("");
    const BankSnapshot saved(effect);
    ASSERT_EQ(saveBankFile(effect, folder / "bank.zmb").outcome, FileActionResult::kDone);
    const Bytes bytes = readFileBytes(folder / "bank.zmb");
    const std::size_t record = 24 + 4 * static_cast<std::size_t>(edition().numParams);
    EXPECT_EQ(bytes[5 + 7 * record + 23], 'x');
    EXPECT_EQ(loadLittleEndianFloat(&bytes[5 + 7 * record + 24]), saved.values[7 * edition().numParams]);
    EXPECT_EQ(bytes[5 + 8 * record], 0);  // the empty name

    effect.initFactoryPrograms();
    const FileActionResult result = loadBankFile(effect, folder / "bank.zmb");
    ASSERT_EQ(result.outcome, FileActionResult::kDone);
    EXPECT_EQ(BankSnapshot(effect).names, saved.names);
    // Selecting slot 0 afterwards carries its global values into every slot.
    for (int slot = 1; slot < kProgramSlots; ++slot)
        for (int i = 0; i < edition().numParams; ++i)
            EXPECT_EQ(effect.program(slot)->getParameterValue(i),
                      saved.values[(edition().isGlobal(i) ? 0 : slot) * edition().numParams + i]);
    ASSERT_EQ(result.slotNames.size(), 31u);
    EXPECT_EQ(result.slotNames[7], "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(result.slotNames[30], saved.names[30]);
    EXPECT_EQ(result.programName, saved.names[0]);
    EXPECT_EQ(result.currentSlot, 0);
    EXPECT_EQ(menuEntryOfSlot(0), 0);
    EXPECT_EQ(menuEntryOfSlot(1), 2);
    // Slot 0 of the bank was applied to the engine (globals then reach every slot).
    for (int i = 0; i < edition().numParams; ++i)
        if (!edition().isGlobal(i)) { EXPECT_EQ(effect.values[i], saved.values[i]) << i; }
}

TEST_P(FileTest, PresetRoundTripIntoSlotNine) {
    ProductStandIn effect(nullptr, edition());
    NameListener editor;
    effect.setPresetSystemListener(&editor);
    effect.selectProgram(4);
    for (int i = 0; i < edition().numParams; ++i)
        if (!edition().isGlobal(i)) effect.setParameter(i, static_cast<float>(i) / 64.0f);
    effect.setProgramNameNotifyEditor("My Preset");
    ASSERT_EQ(savePresetFile(effect, folder / "mine.zem").outcome, FileActionResult::kDone);

    effect.selectProgram(9);
    editor.names.clear();
    const FileActionResult result = loadPresetFile(effect, folder / "mine.zem");
    ASSERT_EQ(result.outcome, FileActionResult::kDone);
    EXPECT_EQ(result.programName, "My Preset");
    EXPECT_EQ(result.currentSlot, 9);
    EXPECT_EQ(editor.names, std::vector<std::string>{"My Preset"});
    EXPECT_EQ(effect.getCurrentProgramIndex(), 9);
    for (int slot : {0, 9}) {
        EXPECT_STREQ(effect.program(slot)->name(), "My Preset");
        for (int i = 0; i < edition().numParams; ++i)
            if (!edition().isGlobal(i)) {
                EXPECT_EQ(effect.program(slot)->getParameterValue(i), static_cast<float>(i) / 64.0f) << slot << "/" << i;
            }
    }
    EXPECT_STREQ(effect.program(4)->name(), "My Preset");  // saved from 4, untouched since
    EXPECT_STREQ(effect.program(10)->name(), "Mix Finalize 3");
    EXPECT_EQ(effect.values[5], 5.0f / 64.0f);
}

TEST_P(FileTest, WrongMagicOrKindIsRejectedWithItsMessageAndChangesNothing) {
    ProductStandIn effect(nullptr, edition());
    ASSERT_EQ(savePresetFile(effect, folder / "p.zem").outcome, FileActionResult::kDone);
    ASSERT_EQ(saveBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    Bytes other = readFileBytes(folder / "p.zem");
    other[0] = 'X';
    writeFileBytes(folder / "other.zem", other);
    scramble(effect, 2);
    const BankSnapshot before(effect);
    struct Case {
        bool bank;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {false, "b.zmb", "Error #02: Not a preset file!"},
        {true, "p.zem", "Not a bank file!"},
        {false, "other.zem", "Error #01: Invalid preset file!"},
        {true, "other.zem", "Error #01: Invalid preset file!"},
    };
    for (const Case& c : cases) {
        const FileActionResult result = c.bank ? loadBankFile(effect, folder / c.file) : loadPresetFile(effect, folder / c.file);
        EXPECT_EQ(result.outcome, FileActionResult::kError) << c.file;
        EXPECT_STREQ(result.message, c.message) << c.file;
        EXPECT_EQ(BankSnapshot(effect), before) << c.file;
    }
    EXPECT_STREQ(kFileErrorCaption, "Error...");
}

TEST_P(FileTest, ReversedMagicLoadsTheSame) {
    ProductStandIn effect(nullptr, edition());
    scramble(effect, 3);
    ASSERT_EQ(saveBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    const BankSnapshot saved(effect);
    Bytes bytes = readFileBytes(folder / "b.zmb");
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "QOLB");
    std::reverse(bytes.begin(), bytes.begin() + 4);
    writeFileBytes(folder / "reversed.zmb", bytes);
    effect.initFactoryPrograms();
    ASSERT_EQ(loadBankFile(effect, folder / "reversed.zmb").outcome, FileActionResult::kDone);
    EXPECT_EQ(BankSnapshot(effect).names, saved.names);
    EXPECT_EQ(effect.program(17)->getParameterValue(3), saved.values[17 * edition().numParams + 3]);
}

TEST_P(FileTest, LegacyPresetSetsThirtyValues) {
    ProductStandIn effect(nullptr, edition());
    Bytes legacy = {'Q', 'O', 'L', 'B', '!'};
    const char name[24] = "Old Preset";
    legacy.insert(legacy.end(), name, name + 24);
    for (int i = 0; i < 30; ++i) {
        std::uint8_t bytes[4];
        storeLittleEndianFloat(0.25f, bytes);
        legacy.insert(legacy.end(), bytes, bytes + 4);
    }
    ASSERT_EQ(legacy.size(), 149u);
    writeFileBytes(folder / "old.zem", legacy);
    effect.selectProgram(3);
    const BankSnapshot before(effect);
    ASSERT_EQ(loadPresetFile(effect, folder / "old.zem").outcome, FileActionResult::kDone);
    for (int i = 0; i < edition().numParams; ++i) {
        const float expected = i < 30 ? 0.25f : before.values[3 * edition().numParams + i];
        if (!edition().isGlobal(i)) { EXPECT_EQ(effect.program(3)->getParameterValue(i), expected) << i; }
    }
    EXPECT_STREQ(effect.program(0)->name(), "Old Preset");
}

TEST_P(FileTest, LegacyBankSetsThirtySlotsOfThirtyValues) {
    ProductStandIn effect(nullptr, edition());
    Bytes legacy = {'Q', 'O', 'L', 'B', '7'};
    for (int slot = 0; slot < 30; ++slot) {
        char name[24] = {};
        std::snprintf(name, sizeof name, "Legacy %d", slot);
        legacy.insert(legacy.end(), name, name + 24);
        for (int i = 0; i < 30; ++i) {
            std::uint8_t bytes[4];
            storeLittleEndianFloat(static_cast<float>(slot) / 32.0f, bytes);
            legacy.insert(legacy.end(), bytes, bytes + 4);
        }
    }
    ASSERT_EQ(legacy.size(), 4325u);
    writeFileBytes(folder / "old.zmb", legacy);
    scramble(effect, 4);
    const BankSnapshot before(effect);
    const FileActionResult result = loadBankFile(effect, folder / "old.zmb");
    ASSERT_EQ(result.outcome, FileActionResult::kDone);
    const int n = edition().numParams;
    for (int slot = 1; slot < 30; ++slot) {
        EXPECT_EQ(result.slotNames[slot], "Legacy " + std::to_string(slot));
        for (int i = 0; i < n; ++i)
            if (!edition().isGlobal(i)) {
                EXPECT_EQ(effect.program(slot)->getParameterValue(i),
                          i < 30 ? static_cast<float>(slot) / 32.0f : before.values[slot * n + i])
                    << slot << "/" << i;
            }
    }
    EXPECT_EQ(result.slotNames[30], before.names[30]);
    for (int i = 0; i < n; ++i)
        if (!edition().isGlobal(i)) { EXPECT_EQ(effect.program(30)->getParameterValue(i), before.values[30 * n + i]); }
    EXPECT_EQ(result.programName, "Legacy 0");
    EXPECT_EQ(effect.values[4], 0.0f);  // slot 0 applied
}

TEST_P(FileTest, ShortFilesAreRejectedWhole) {
    ProductStandIn effect(nullptr, edition());
    ASSERT_EQ(saveBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    ASSERT_EQ(savePresetFile(effect, folder / "p.zem").outcome, FileActionResult::kDone);
    scramble(effect, 5);
    const BankSnapshot before(effect);
    const Bytes bank = readFileBytes(folder / "b.zmb");
    const Bytes preset = readFileBytes(folder / "p.zem");
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{5}, std::size_t{4324}, std::size_t{4326},
                             bank.size() - 1}) {
        writeFileBytes(folder / "short.zmb", Bytes(bank.begin(), bank.begin() + static_cast<long>(size)));
        const FileActionResult result = loadBankFile(effect, folder / "short.zmb");
        EXPECT_EQ(result.outcome, FileActionResult::kError) << size;
        EXPECT_STREQ(result.message, "Error #03: File is too short!") << size;
    }
    for (std::size_t size : {std::size_t{4}, std::size_t{148}, std::size_t{150}, preset.size() - 1}) {
        writeFileBytes(folder / "short.zem", Bytes(preset.begin(), preset.begin() + static_cast<long>(size)));
        const FileActionResult result = loadPresetFile(effect, folder / "short.zem");
        EXPECT_STREQ(result.message, "Error #03: File is too short!") << size;
    }
    EXPECT_EQ(BankSnapshot(effect), before);
    // Bytes past the layout's end are ignored.
    Bytes longer = preset;
    longer.resize(preset.size() + 100, 0xAB);
    writeFileBytes(folder / "long.zem", longer);
    EXPECT_EQ(loadPresetFile(effect, folder / "long.zem").outcome, FileActionResult::kDone);
}

TEST_P(FileTest, ValuesOutsideTheRangeAreClampedOnLoad) {
    ProductStandIn effect(nullptr, edition());
    ASSERT_EQ(savePresetFile(effect, folder / "p.zem").outcome, FileActionResult::kDone);
    Bytes bytes = readFileBytes(folder / "p.zem");
    storeLittleEndianFloat(1.5f, &bytes[29 + 4 * 4]);
    storeLittleEndianFloat(-2.0f, &bytes[29 + 4 * 5]);
    storeLittleEndianFloat(std::nanf(""), &bytes[29 + 4 * 6]);
    writeFileBytes(folder / "wild.zem", bytes);
    ASSERT_EQ(loadPresetFile(effect, folder / "wild.zem").outcome, FileActionResult::kDone);
    EXPECT_EQ(effect.program(0)->getParameterValue(4), 1.0f);
    EXPECT_EQ(effect.program(0)->getParameterValue(5), 0.0f);
    EXPECT_EQ(effect.program(0)->getParameterValue(6), 0.0f);
    EXPECT_EQ(effect.values[4], 1.0f);
}

TEST_P(FileTest, NameFieldFullOfTextNeverLeaks) {
    ProductStandIn effect(nullptr, edition());
    ASSERT_EQ(savePresetFile(effect, folder / "p.zem").outcome, FileActionResult::kDone);
    Bytes bytes = readFileBytes(folder / "p.zem");
    for (int i = 0; i < 24; ++i) bytes[5 + i] = static_cast<std::uint8_t>('A' + i);
    bytes[29] = 'Z';  // the first value's low byte looks like more text
    writeFileBytes(folder / "full.zem", bytes);
    const FileActionResult result = loadPresetFile(effect, folder / "full.zem");
    ASSERT_EQ(result.outcome, FileActionResult::kDone);
    EXPECT_EQ(result.programName, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_STREQ(effect.program(0)->name(), "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST_P(FileTest, UnreadableFilesDoNothingAndTheCurrentDirectoryStays) {
    ProductStandIn effect(nullptr, edition());
    const std::filesystem::path before = std::filesystem::current_path();
    const BankSnapshot bank(effect);
    EXPECT_EQ(loadBankFile(effect, folder / "missing.zmb").outcome, FileActionResult::kNothingDone);
    EXPECT_EQ(loadPresetFile(effect, folder.path()).outcome, FileActionResult::kNothingDone);  // a folder
    ASSERT_EQ(saveBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    ASSERT_EQ(loadBankFile(effect, folder / "b.zmb").outcome, FileActionResult::kDone);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(BankSnapshot(effect).names, bank.names);
}

TEST_P(FileTest, FailedSaveReportsAndLeavesTheOldFile) {
    ProductStandIn effect(nullptr, edition());
    const FileActionResult missingFolder = saveBankFile(effect, folder / "no/such/folder/b.zmb");
    EXPECT_EQ(missingFolder.outcome, FileActionResult::kError);
    EXPECT_STREQ(missingFolder.message, "Error #04: Could not write the file!");
    EXPECT_STREQ(savePresetFile(effect, folder.path()).message, "Error #04: Could not write the file!");

    ASSERT_EQ(savePresetFile(effect, folder / "kept.zem").outcome, FileActionResult::kDone);
    const Bytes before = readFileBytes(folder / "kept.zem");
    const std::string target = folder / "kept.zem";
    const Edition* e = &edition();
    // The folder belongs to another user: nothing can be written into it.
    EXPECT_TRUE(testsupport::runUnprivileged([target, e] {
        ProductStandIn other(nullptr, *e);
        other.setProgramNameNotifyEditor("would replace");
        const FileActionResult result = savePresetFile(other, target);
        return result.outcome == FileActionResult::kError && result.message == std::string(kWriteFailedMessage);
    }));
    EXPECT_EQ(readFileBytes(folder / "kept.zem"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_P(FileTest, WriteProtectedFilesLoadButAreNotOverwritten) {
    ProductStandIn effect(nullptr, edition());
    effect.setProgramNameNotifyEditor("Protected");
    ASSERT_EQ(savePresetFile(effect, folder / "ro.zem").outcome, FileActionResult::kDone);
    std::filesystem::permissions(folder / "ro.zem", std::filesystem::perms(0444));
    const std::string target = folder / "ro.zem";
    const Edition* e = &edition();
    EXPECT_TRUE(testsupport::runUnprivileged([target, e] {
        ProductStandIn other(nullptr, *e);
        return loadPresetFile(other, target).programName == "Protected";
    }));
    if (::geteuid() != 0) {  // root may write anything; an ordinary user keeps protected files
        effect.setProgramNameNotifyEditor("Changed");
        EXPECT_EQ(savePresetFile(effect, target).outcome, FileActionResult::kError);
    }
}

TEST(RememberedFiles, SplitsAtTheLastSeparatorAndRefusesEmptyParts) {
    RememberedFiles files;
    EXPECT_EQ(files.directory(), std::filesystem::current_path().string());
    EXPECT_TRUE(files.rememberBank("/home/user/banks/My Bank.zmb"));
    EXPECT_EQ(files.directory(), "/home/user/banks");
    EXPECT_EQ(files.bankName(), "My Bank.zmb");
    EXPECT_EQ(files.presetName(), "");
    EXPECT_TRUE(files.rememberPreset("/p.zem"));
    EXPECT_EQ(files.directory(), "/");
    EXPECT_EQ(files.presetName(), "p.zem");
    EXPECT_FALSE(files.rememberPreset("/home/user/"));
    EXPECT_FALSE(files.rememberPreset("no-folder.zem"));
    EXPECT_EQ(files.bankName(), "My Bank.zmb");
}

INSTANTIATE_TEST_SUITE_P(Editions, FileTest, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const ::testing::TestParamInfo<const Edition*>& info) {
                             return info.param == &fullEdition() ? std::string("Full") : std::string("Sibling");
                         });
