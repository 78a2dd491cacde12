#include "presets/RememberedFiles.h"

#include <filesystem>
#include <system_error>

#include "presets/AtomicFile.h"

namespace ambrel {

RememberedFiles::RememberedFiles() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) folder = current.string();
}

bool RememberedFiles::remember(const std::string& chosenPath, std::string& fileName) {
    std::size_t split = std::string::npos;
    for (std::size_t i = chosenPath.size(); i-- > 0;) {
        if (isPathSeparator(chosenPath[i])) {
            split = i;
            break;
        }
    }
    if (split == std::string::npos) return false;
    const std::string before = split == 0 ? chosenPath.substr(0, 1) : chosenPath.substr(0, split);  // the root folder
    const std::string after = chosenPath.substr(split + 1);
    // The names may already hold the new choice when the action then stops, as the dialogs always did.
    if (!after.empty()) fileName = after;
    if (!before.empty()) folder = before;
    return !before.empty() && !after.empty();
}

}  // namespace ambrel
