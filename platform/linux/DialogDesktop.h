#pragma once
// The file dialogs and error boxes of a Linux desktop: zenity where it is
// installed, else kdialog, else our own toolkit's boxes. The programs run as
// child processes; the caller's window keeps repainting while they are open.

#include <optional>
#include <string>

#include "platform/linux/DialogArguments.h"
#include "platform/linux/DialogFallback.h"
#include "presets/FileDialogSeam.h"

namespace ambrel {

class DesktopDialogs : public FileDialogSeam {
public:
    // searchPath: the folders searched for the programs; without one, PATH at each call.
    explicit DesktopDialogs(DialogFallback& fallback, std::optional<std::string> searchPath = std::nullopt)
        : fallback(fallback), searchPath(std::move(searchPath)) {}

    bool chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                    const std::function<void()>& whileWaiting) override;
    void showError(const std::string& caption, const std::string& text,
                   const std::function<void()>& whileWaiting) override;

private:
    struct Program {
        DialogProgram kind;
        std::string executable;  // empty: no desktop program, use the fallback
    };
    Program findProgram() const;
    bool chooseWithProgram(const Program& program, FileDialogRequest request, std::string& chosenPath,
                           const std::function<void()>& whileWaiting, bool& started);
    bool chooseWithFallback(FileDialogRequest request, std::string& chosenPath,
                            const std::function<void()>& whileWaiting);

    DialogFallback& fallback;
    std::optional<std::string> searchPath;
};

}  // namespace ambrel
