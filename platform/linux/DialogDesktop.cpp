#include "platform/linux/DialogDesktop.h"

#include <cstdlib>

#include "platform/linux/DialogChildProcess.h"
#include "platform/linux/DialogChosenPath.h"

namespace ambrel {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : (slash == 0 ? std::string("/") : path.substr(0, slash));
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The next round of a dialog starts where the user left it.
void startAgainAt(FileDialogRequest& request, const std::string& path) {
    request.directory = folderOf(path);
    request.fileName = nameOf(path);
}

bool answered(const DialogProgramResult& result) {
    return result.started && (result.exitCode == 0 || result.exitCode == 1);
}

}  // namespace

DesktopDialogs::Program DesktopDialogs::findProgram() const {
    std::string folders;
    if (searchPath) {
        folders = *searchPath;
    } else if (const char* path = std::getenv("PATH")) {
        folders = path;
    }
    std::string found = findDialogProgram("zenity", folders);
    if (!found.empty()) return {DialogProgram::kZenity, found};
    found = findDialogProgram("kdialog", folders);
    if (!found.empty()) return {DialogProgram::kKdialog, found};
    return {DialogProgram::kZenity, {}};
}

bool DesktopDialogs::chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                                const std::function<void()>& whileWaiting) {
    const Program program = findProgram();
    if (!program.executable.empty()) {
        bool started = false;
        const bool chosen = chooseWithProgram(program, request, chosenPath, whileWaiting, started);
        if (started) return chosen;
    }
    return chooseWithFallback(request, chosenPath, whileWaiting);
}

bool DesktopDialogs::chooseWithProgram(const Program& program, FileDialogRequest request, std::string& chosenPath,
                                       const std::function<void()>& whileWaiting, bool& started) {
    for (;;) {
        const DialogProgramResult result =
            runDialogProgram(fileDialogArguments(program.kind, program.executable, request), whileWaiting);
        // OK is 0 and Cancel 1; anything else means the program could not show itself.
        started = answered(result);
        if (!started || result.exitCode != 0) return false;
        const ChosenPath chosen = finishChosenPath(request, result.output);
        if (chosen.path.empty()) return false;
        // The dialog asked about the name as typed; the name with the extension added may exist too.
        if (request.kind == FileDialogRequest::kSave && request.confirmOverwrite && chosen.extensionAdded &&
            fileExists(chosen.path)) {
            const DialogProgramResult answer = runDialogProgram(
                questionArguments(program.kind, program.executable, request.title, overwriteQuestion(chosen.path)),
                whileWaiting);
            if (answer.exitCode != 0) {
                startAgainAt(request, chosen.path);
                continue;
            }
        }
        chosenPath = chosen.path;
        return true;
    }
}

bool DesktopDialogs::chooseWithFallback(FileDialogRequest request, std::string& chosenPath,
                                        const std::function<void()>& whileWaiting) {
    std::string text = dialogStartPath(request);
    for (;;) {
        std::string typed;
        if (!fallback.askPath(request, text, typed, whileWaiting)) return false;
        const ChosenPath chosen = finishChosenPath(request, typed);
        if (chosen.path.empty()) continue;  // nothing usable typed: ask again
        text = chosen.path;
        if (request.kind == FileDialogRequest::kOpen && request.fileMustExist && !fileExists(chosen.path)) {
            fallback.showMessage(request.title,
                                 nameOf(chosen.path) + "\nFile not found.\nCheck the file name and try again.",
                                 false, whileWaiting);
            continue;
        }
        if (request.kind == FileDialogRequest::kSave && request.confirmOverwrite && fileExists(chosen.path) &&
            !fallback.showMessage(request.title, overwriteQuestion(chosen.path), true, whileWaiting))
            continue;
        chosenPath = chosen.path;
        return true;
    }
}

void DesktopDialogs::showError(const std::string& caption, const std::string& text,
                               const std::function<void()>& whileWaiting) {
    const Program program = findProgram();
    if (!program.executable.empty()) {
        const DialogProgramResult result =
            runDialogProgram(errorMessageArguments(program.kind, program.executable, caption, text), whileWaiting);
        if (answered(result)) return;
    }
    fallback.showMessage(caption, text, false, whileWaiting);
}

}  // namespace ambrel
