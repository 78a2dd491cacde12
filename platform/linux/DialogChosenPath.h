#pragma once
// What becomes of the path a dialog hands back: a path relative to the
// dialog's folder is taken from there, and the default extension is added
// when the user typed a name without one (a load keeps a name that exists).

#include <string>

#include "presets/FileDialogSeam.h"

namespace ambrel {

struct ChosenPath {
    std::string path;           // empty: nothing usable was chosen
    bool extensionAdded = false;
};

// `typed` may end in the line break the dialog programs print.
ChosenPath finishChosenPath(const FileDialogRequest& request, std::string typed);

bool fileExists(const std::string& path);

// The question asked before a save replaces an existing file.
std::string overwriteQuestion(const std::string& path);

}  // namespace ambrel
