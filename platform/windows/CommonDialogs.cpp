#include "platform/windows/CommonDialogs.h"

#include <cstring>

#include "platform/windows/Win32Window.h"

namespace ambrel {

FileDialogSeam& platformFileDialogs() {
    static win32::CommonDialogs dialogs;
    return dialogs;
}

namespace win32 {

void openFileNameFor(const FileDialogRequest& request, HWND owner, OpenFileNameFields& fields) {
    fields.filter.clear();
    for (const FileDialogFilter& f : request.filters) {
        fields.filter += f.name;
        fields.filter.push_back('\0');
        fields.filter += f.pattern;
        fields.filter.push_back('\0');
    }
    fields.filter.push_back('\0');
    std::memset(fields.file, 0, sizeof fields.file);
    std::strncpy(fields.file, request.fileName.c_str(), sizeof fields.file - 1);

    OPENFILENAMEA& d = fields.dialog;
    d = OPENFILENAMEA{};
    d.lStructSize = sizeof d;
    d.hwndOwner = owner;
    d.lpstrFilter = fields.filter.c_str();
    d.nFilterIndex = static_cast<DWORD>(request.selectedFilter + 1);  // counted from 1
    d.lpstrFile = fields.file;
    d.nMaxFile = sizeof fields.file;
    d.lpstrInitialDir = request.directory.empty() ? nullptr : request.directory.c_str();
    d.lpstrTitle = request.title.c_str();
    d.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    d.Flags = OFN_HIDEREADONLY;
    if (request.fileMustExist) d.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (request.confirmOverwrite) d.Flags |= OFN_OVERWRITEPROMPT;
}

bool CommonDialogs::chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                               const std::function<void()>&) {
    // The dialog runs its own message loop, which keeps the editor's window painted.
    OpenFileNameFields fields;
    openFileNameFor(request, VSTGUI::platform::win32::lastClickedFrameWindow(), fields);
    const BOOL chosen = request.kind == FileDialogRequest::kSave ? GetSaveFileNameA(&fields.dialog)
                                                                 : GetOpenFileNameA(&fields.dialog);
    if (!chosen) return false;
    chosenPath = fields.file;
    return true;
}

void CommonDialogs::showError(const std::string& caption, const std::string& text, const std::function<void()>&) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace win32
}  // namespace ambrel
