#pragma once
// The file dialogs' memory for the life of the editor: the folder of the last
// chosen file of either kind and the bare names of the last bank and preset.
// Only remembered for the next dialog; files are always opened by full path.

#include <string>

namespace ambrel {

class RememberedFiles {
public:
    RememberedFiles();  // the folder starts as the process's current directory

    // Splits the chosen path at its last folder separator and remembers both
    // parts; false (the action then stops silently) when either part is empty.
    bool rememberBank(const std::string& chosenPath) { return remember(chosenPath, bankFileName); }
    bool rememberPreset(const std::string& chosenPath) { return remember(chosenPath, presetFileName); }

    const std::string& directory() const { return folder; }
    const std::string& bankName() const { return bankFileName; }
    const std::string& presetName() const { return presetFileName; }

private:
    bool remember(const std::string& chosenPath, std::string& fileName);

    std::string folder;
    std::string bankFileName;
    std::string presetFileName;
};

}  // namespace ambrel
