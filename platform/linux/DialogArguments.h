#pragma once
// The argument vectors of the desktop dialog programs (zenity on GNOME-like
// desktops, kdialog on KDE) for the file dialogs, the error box and the
// overwrite question. Each vector starts with the program's full path.

#include <string>
#include <vector>

#include "presets/FileDialogSeam.h"

namespace ambrel {

enum class DialogProgram { kZenity, kKdialog };

std::vector<std::string> fileDialogArguments(DialogProgram program, const std::string& executable,
                                             const FileDialogRequest& request);
std::vector<std::string> errorMessageArguments(DialogProgram program, const std::string& executable,
                                               const std::string& caption, const std::string& text);
// A yes/no question; the program exits with 0 for yes.
std::vector<std::string> questionArguments(DialogProgram program, const std::string& executable,
                                           const std::string& caption, const std::string& text);

// Where the dialog starts: the folder and the remembered name joined.
std::string dialogStartPath(const FileDialogRequest& request);
// A "*.*" filter means every file; desktop toolkits spell that "*".
std::string desktopPattern(const std::string& pattern);

}  // namespace ambrel
