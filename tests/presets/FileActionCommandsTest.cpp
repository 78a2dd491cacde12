// The four file actions as the user meets them, through a scripted dialog.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FileActionScriptedDialogs.h"
#include "PresetBarTestEffect.h"
#include "presets/PresetFileCommands.h"
#include "presets/PresetFileFormat.h"

namespace ambrel {
namespace {

using testing::PresetBarTestEffect;
using testing::ScratchFolder;
using testing::ScriptedDialogs;

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class FileActionCommands : public ::testing::TestWithParam<const Edition*> {
protected:
    const Edition& edition() const { return *GetParam(); }
    ScratchFolder settings{"fileaction-settings"};
    ScratchFolder files{"fileaction-files"};
    PresetBarTestEffect effect{edition(), settings.path()};
    ScriptedDialogs dialogs;
    PresetFileCommands commands{dialogs};
};

TEST_P(FileActionCommands, DialogsCarryTitlesFiltersOptionsAndRememberedNames) {
    struct Case {
        FileCommand command;
        const char* title;
        const char* filterName;
        const char* pattern;
        const char* extension;
        FileDialogRequest::Kind kind;
    };
    const Case cases[] = {
        {FileCommand::kLoadBank, "Select bank to load...", "ZEM Banks", "*.zmb", "zmb", FileDialogRequest::kOpen},
        {FileCommand::kSaveBank, "Save bank as...", "ZEM Banks", "*.zmb", "zmb", FileDialogRequest::kSave},
        {FileCommand::kLoadPreset, "Select preset to load...", "ZEM Presets", "*.zem", "zem", FileDialogRequest::kOpen},
        {FileCommand::kSavePreset, "Save preset as...", "ZEM Presets", "*.zem", "zem", FileDialogRequest::kSave},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        dialogs.cancel();
        commands.run(c.command, effect);
        const FileDialogRequest& request = dialogs.requests.back();
        EXPECT_EQ(request.kind, c.kind);
        EXPECT_EQ(request.title, c.title);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0].name, "All Files");
        EXPECT_EQ(request.filters[0].pattern, "*.*");
        EXPECT_EQ(request.filters[1].name, c.filterName);
        EXPECT_EQ(request.filters[1].pattern, c.pattern);
        EXPECT_EQ(request.selectedFilter, 1);
        EXPECT_EQ(request.defaultExtension, c.extension);
        EXPECT_EQ(request.fileMustExist, c.kind == FileDialogRequest::kOpen);
        EXPECT_EQ(request.confirmOverwrite, c.kind == FileDialogRequest::kSave);
        EXPECT_EQ(request.directory, std::filesystem::current_path().string());
        EXPECT_EQ(request.fileName, "");
    }
    EXPECT_TRUE(dialogs.messages.empty());

    // Each kind remembers its own name; the folder is shared.
    dialogs.answer(files.file("mix.zmb"));
    commands.run(FileCommand::kSaveBank, effect);
    dialogs.answer(files.file("lead.zem"));
    commands.run(FileCommand::kSavePreset, effect);
    dialogs.cancel();
    commands.run(FileCommand::kLoadBank, effect);
    EXPECT_EQ(dialogs.requests.back().directory, files.path());
    EXPECT_EQ(dialogs.requests.back().fileName, "mix.zmb");
    dialogs.cancel();
    commands.run(FileCommand::kLoadPreset, effect);
    EXPECT_EQ(dialogs.requests.back().fileName, "lead.zem");
}

TEST_P(FileActionCommands, CancelledDialogOrPathWithoutFolderChangesNothing) {
    effect.selectProgram(5);
    dialogs.cancel();
    commands.run(FileCommand::kLoadPreset, effect);
    dialogs.answer("bare-name.zem");  // no folder part
    EXPECT_EQ(commands.run(FileCommand::kSavePreset, effect).outcome, FileActionResult::kNothingDone);
    EXPECT_FALSE(std::filesystem::exists("bare-name.zem"));
    EXPECT_EQ(effect.getCurrentProgramIndex(), 5);
    EXPECT_STREQ(effect.program(0)->name(), "Mix First Aid 3");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(FileActionCommands, PresetSavedAndLoadedBackIntoAnotherSlot) {
    effect.selectProgram(7);
    effect.setProgramNameFromEditor("My Lead");
    effect.setParameter(4, 0.8125f);
    dialogs.answer(files.file("lead.zem"));
    EXPECT_EQ(commands.run(FileCommand::kSavePreset, effect).outcome, FileActionResult::kDone);
    EXPECT_EQ(readBytes(files.file("lead.zem")).size(), presetFileSize(edition()));

    effect.selectProgram(9);
    dialogs.answer(files.file("lead.zem"));
    const FileActionResult loaded = commands.run(FileCommand::kLoadPreset, effect);
    ASSERT_EQ(loaded.outcome, FileActionResult::kDone);
    EXPECT_EQ(loaded.programName, "My Lead");
    EXPECT_EQ(loaded.currentSlot, 9);
    for (int slot : {0, 9}) {
        EXPECT_STREQ(effect.program(slot)->name(), "My Lead");
        for (int i = 0; i < edition().numParams; ++i)
            EXPECT_EQ(effect.program(slot)->getParameterValue(i), effect.program(7)->getParameterValue(i)) << i;
    }
    EXPECT_EQ(effect.getParameter(4), 0.8125f);  // applied to the effect
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(FileActionCommands, BankSavedAndLoadedBackGivesEveryNameForTheMenu) {
    effect.selectProgram(3);
    effect.setProgramNameFromEditor("Renamed Three");
    dialogs.answer(files.file("all.zmb"));
    ASSERT_EQ(commands.run(FileCommand::kSaveBank, effect).outcome, FileActionResult::kDone);
    EXPECT_EQ(readBytes(files.file("all.zmb")).size(), bankFileSize(edition()));

    PresetBarTestEffect other(edition(), settings.path());
    PresetFileCommands otherCommands(dialogs);
    other.selectProgram(12);
    dialogs.answer(files.file("all.zmb"));
    const FileActionResult loaded = otherCommands.run(FileCommand::kLoadBank, other);
    ASSERT_EQ(loaded.outcome, FileActionResult::kDone);
    ASSERT_EQ(loaded.slotNames.size(), static_cast<std::size_t>(kProgramSlots));
    EXPECT_EQ(loaded.slotNames[3], "Renamed Three");
    EXPECT_EQ(loaded.slotNames[0], "Renamed Three");  // slot 0 followed the renamed current slot
    EXPECT_EQ(loaded.slotNames[1], "Default");
    EXPECT_EQ(loaded.programName, "Renamed Three");
    EXPECT_EQ(other.getCurrentProgramIndex(), 0);
}

TEST_P(FileActionCommands, RefusedFilesShowTheirMessageAndChangeNothing) {
    // A valid preset and bank to bend into bad ones.
    dialogs.answer(files.file("good.zem"));
    commands.run(FileCommand::kSavePreset, effect);
    dialogs.answer(files.file("good.zmb"));
    commands.run(FileCommand::kSaveBank, effect);
    const std::vector<std::uint8_t> preset = readBytes(files.file("good.zem"));
    const std::vector<std::uint8_t> bank = readBytes(files.file("good.zmb"));
    std::vector<std::uint8_t> badMagic = preset;
    badMagic[0] = 'X';
    writeBytes(files.file("badmagic.zem"), badMagic);
    writeBytes(files.file("short.zem"), std::vector<std::uint8_t>(preset.begin(), preset.begin() + 100));
    writeBytes(files.file("short.zmb"), std::vector<std::uint8_t>(bank.begin(), bank.begin() + 1000));

    struct Case {
        FileCommand command;
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        {FileCommand::kLoadPreset, "badmagic.zem", "Error #01: Invalid preset file!"},
        {FileCommand::kLoadBank, "badmagic.zem", "Error #01: Invalid preset file!"},
        {FileCommand::kLoadPreset, "good.zmb", "Error #02: Not a preset file!"},
        {FileCommand::kLoadBank, "good.zem", "Not a bank file!"},
        {FileCommand::kLoadPreset, "short.zem", kTooShortMessage},
        {FileCommand::kLoadBank, "short.zmb", kTooShortMessage},
    };
    effect.selectProgram(6);
    effect.setProgramNameFromEditor("Untouched");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs.messages.clear();
        dialogs.answer(files.file(c.file));
        EXPECT_EQ(commands.run(c.command, effect).outcome, FileActionResult::kError);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "Error...");
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_STREQ(effect.program(6)->name(), "Untouched");
        EXPECT_EQ(effect.getCurrentProgramIndex(), 6);
    }
}

TEST_P(FileActionCommands, SaveThatCannotWriteSaysSo) {
    // A folder where the file should go cannot be replaced by a file.
    const std::string inTheWay = files.file("taken.zem");
    std::filesystem::create_directory(inTheWay);
    dialogs.answer(inTheWay);
    EXPECT_EQ(commands.run(FileCommand::kSavePreset, effect).outcome, FileActionResult::kError);
    EXPECT_TRUE(std::filesystem::is_directory(inTheWay));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Error...");
    EXPECT_EQ(dialogs.messages[0].text, kWriteFailedMessage);
}

TEST_P(FileActionCommands, MissingFileLoadsNothingSilently) {
    dialogs.answer(files.file("absent.zem"));
    EXPECT_EQ(commands.run(FileCommand::kLoadPreset, effect).outcome, FileActionResult::kNothingDone);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Editions, FileActionCommands, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const auto& info) { return info.index == 0 ? std::string("Full") : std::string("Sibling"); });

}  // namespace
}  // namespace ambrel
