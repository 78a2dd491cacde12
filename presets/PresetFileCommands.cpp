#include "presets/PresetFileCommands.h"

#include "presets/PresetFileFormat.h"

namespace ambrel {
namespace {

bool isBankCommand(FileCommand command) {
    return command == FileCommand::kLoadBank || command == FileCommand::kSaveBank;
}

bool isLoadCommand(FileCommand command) {
    return command == FileCommand::kLoadBank || command == FileCommand::kLoadPreset;
}

const char* titleOf(FileCommand command) {
    switch (command) {
        case FileCommand::kLoadBank: return "Select bank to load...";
        case FileCommand::kSaveBank: return "Save bank as...";
        case FileCommand::kLoadPreset: return "Select preset to load...";
        case FileCommand::kSavePreset: return "Save preset as...";
    }
    return "";
}

}  // namespace

FileDialogRequest fileDialogRequest(FileCommand command, const RememberedFiles& remembered) {
    const bool bank = isBankCommand(command);
    FileDialogRequest request;
    request.kind = isLoadCommand(command) ? FileDialogRequest::kOpen : FileDialogRequest::kSave;
    request.title = titleOf(command);
    request.filters = {{"All Files", "*.*"}, bank ? FileDialogFilter{"ZEM Banks", "*.zmb"}
                                                  : FileDialogFilter{"ZEM Presets", "*.zem"}};
    request.selectedFilter = 1;
    request.defaultExtension = bank ? "zmb" : "zem";
    request.fileMustExist = request.kind == FileDialogRequest::kOpen;
    request.confirmOverwrite = request.kind == FileDialogRequest::kSave;
    request.directory = remembered.directory();
    request.fileName = bank ? remembered.bankName() : remembered.presetName();
    return request;
}

FileActionResult PresetFileCommands::run(FileCommand command, CPresetSystemEffect& effect) {
    if (!effect.hasPrograms()) return {};
    std::string path;
    if (!dialogs->chooseFile(fileDialogRequest(command, files), path, whileWaiting)) return {};
    const bool remembered = isBankCommand(command) ? files.rememberBank(path) : files.rememberPreset(path);
    if (!remembered) return {};

    FileActionResult result;
    switch (command) {
        case FileCommand::kLoadBank: result = loadBankFile(effect, path); break;
        case FileCommand::kSaveBank: result = saveBankFile(effect, path); break;
        case FileCommand::kLoadPreset: result = loadPresetFile(effect, path); break;
        case FileCommand::kSavePreset: result = savePresetFile(effect, path); break;
    }
    if (result.outcome == FileActionResult::kError && result.message)
        dialogs->showError(kFileErrorCaption, result.message, whileWaiting);
    return result;
}

}  // namespace ambrel
