#pragma once
// The four file actions of the preset strip as the user meets them: the file
// dialog of each (title, filters, default extension, options, starting in the
// remembered folder with the remembered name), the load or save itself, and
// the "Error..." message when the file is refused. What the program menu and
// the name field must show afterwards is returned to the editor.

#include <functional>
#include <string>

#include "presets/CPresetSystemEffect.h"
#include "presets/FileDialogSeam.h"
#include "presets/PresetFileActions.h"
#include "presets/RememberedFiles.h"

namespace ambrel {

enum class FileCommand { kLoadBank, kSaveBank, kLoadPreset, kSavePreset };

// The dialog a command opens, filled with what was remembered.
FileDialogRequest fileDialogRequest(FileCommand command, const RememberedFiles& remembered);

class PresetFileCommands {
public:
    explicit PresetFileCommands(FileDialogSeam& dialogs) : dialogs(&dialogs) {}

    // Runs the command on the effect. Nothing happens without a program bank,
    // after a cancelled dialog, or when the chosen path lacks a folder or a name.
    FileActionResult run(FileCommand command, CPresetSystemEffect& effect);

    void setDialogs(FileDialogSeam& newDialogs) { dialogs = &newDialogs; }
    // Called while a dialog or message waits for the user.
    void setWhileWaiting(std::function<void()> callback) { whileWaiting = std::move(callback); }
    const RememberedFiles& remembered() const { return files; }

private:
    FileDialogSeam* dialogs;
    RememberedFiles files;
    std::function<void()> whileWaiting;
};

}  // namespace ambrel
