#include "platform/linux/DialogChosenPath.h"

#include <sys/stat.h>

namespace ambrel {
namespace {

bool hasExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    // A leading dot names a hidden file, not an extension.
    return dot != std::string::npos && (slash == std::string::npos ? dot > 0 : dot > slash + 1);
}

}  // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

ChosenPath finishChosenPath(const FileDialogRequest& request, std::string typed) {
    while (!typed.empty() && (typed.back() == '\n' || typed.back() == '\r')) typed.pop_back();
    ChosenPath chosen;
    if (typed.empty() || typed.back() == '/') return chosen;
    if (typed.front() != '/') {
        std::string folder = request.directory;
        if (folder.empty() || folder.back() != '/') folder += '/';
        typed = folder + typed;
    }
    chosen.path = typed;
    if (request.defaultExtension.empty() || hasExtension(typed)) return chosen;
    if (request.kind == FileDialogRequest::kOpen && fileExists(typed)) return chosen;
    chosen.path += "." + request.defaultExtension;
    chosen.extensionAdded = true;
    return chosen;
}

std::string overwriteQuestion(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + " already exists.\nDo you want to replace it?";
}

}  // namespace ambrel
