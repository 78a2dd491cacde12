#include "platform/linux/DialogArguments.h"

namespace ambrel {
namespace {

// The desktop dialogs make their first filter the current one, so the
// selected filter goes first and the others follow in their order.
std::vector<FileDialogFilter> filtersSelectedFirst(const FileDialogRequest& request) {
    std::vector<FileDialogFilter> ordered;
    const int count = static_cast<int>(request.filters.size());
    if (request.selectedFilter >= 0 && request.selectedFilter < count)
        ordered.push_back(request.filters[static_cast<std::size_t>(request.selectedFilter)]);
    for (int i = 0; i < count; ++i)
        if (i != request.selectedFilter) ordered.push_back(request.filters[static_cast<std::size_t>(i)]);
    return ordered;
}

std::vector<std::string> zenityFileArguments(const std::string& executable, const FileDialogRequest& request) {
    std::vector<std::string> arguments = {executable, "--file-selection", "--title=" + request.title,
                                          "--filename=" + dialogStartPath(request)};
    if (request.kind == FileDialogRequest::kSave) {
        arguments.emplace_back("--save");
        if (request.confirmOverwrite) arguments.emplace_back("--confirm-overwrite");
    }
    for (const FileDialogFilter& filter : filtersSelectedFirst(request))
        arguments.push_back("--file-filter=" + filter.name + " | " + desktopPattern(filter.pattern));
    return arguments;
}

std::vector<std::string> kdialogFileArguments(const std::string& executable, const FileDialogRequest& request) {
    std::string filters;
    for (const FileDialogFilter& filter : filtersSelectedFirst(request)) {
        if (!filters.empty()) filters += "\n";
        filters += desktopPattern(filter.pattern) + "|" + filter.name;
    }
    // Its save dialog always asks before replacing a file, its open dialog takes existing files only.
    return {executable,
            "--title",
            request.title,
            request.kind == FileDialogRequest::kSave ? "--getsavefilename" : "--getopenfilename",
            dialogStartPath(request),
            filters};
}

}  // namespace

std::string desktopPattern(const std::string& pattern) { return pattern == "*.*" ? "*" : pattern; }

std::string dialogStartPath(const FileDialogRequest& request) {
    std::string start = request.directory;
    if (start.empty() || start.back() != '/') start += '/';
    return start + request.fileName;
}

std::vector<std::string> fileDialogArguments(DialogProgram program, const std::string& executable,
                                             const FileDialogRequest& request) {
    return program == DialogProgram::kZenity ? zenityFileArguments(executable, request)
                                             : kdialogFileArguments(executable, request);
}

std::vector<std::string> errorMessageArguments(DialogProgram program, const std::string& executable,
                                               const std::string& caption, const std::string& text) {
    if (program == DialogProgram::kZenity)
        return {executable, "--error", "--title=" + caption, "--text=" + text, "--no-markup"};
    return {executable, "--title", caption, "--error", text};
}

std::vector<std::string> questionArguments(DialogProgram program, const std::string& executable,
                                           const std::string& caption, const std::string& text) {
    if (program == DialogProgram::kZenity)
        return {executable, "--question", "--title=" + caption, "--text=" + text, "--no-markup"};
    return {executable, "--title", caption, "--warningyesno", text};
}

}  // namespace ambrel
