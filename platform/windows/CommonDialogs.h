#pragma once
// The preset strip's dialogs on Windows: the common open and save dialogs and
// the system's message box. openFileNameFor fills the dialog's description
// from a request (filter list, title, default extension, start folder, file
// name and options), so what the dialog is told can be checked without one.

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "presets/FileDialogSeam.h"

namespace ambrel::win32 {

// The dialog's description and the buffers it points into.
struct OpenFileNameFields {
    OPENFILENAMEA dialog{};
    std::string filter;           // "name\0pattern\0...\0"
    char file[260] = {};          // the name filled in; the chosen path on return
};

void openFileNameFor(const FileDialogRequest& request, HWND owner, OpenFileNameFields& fields);

class CommonDialogs : public FileDialogSeam {
public:
    bool chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                    const std::function<void()>& whileWaiting) override;
    void showError(const std::string& caption, const std::string& text,
                   const std::function<void()>& whileWaiting) override;
};

}  // namespace ambrel::win32
