#pragma once
// The narrow seam between the preset strip's file actions and the desktop:
// a modal file dialog and a modal error message. The platform layer supplies
// the real ones (platform/<system>/Dialog*, Message*); tests script their own.

#include <functional>
#include <string>
#include <vector>

namespace ambrel {

struct FileDialogFilter {
    std::string name;     // "ZEM Banks"
    std::string pattern;  // "*.zmb"
};

struct FileDialogRequest {
    enum Kind { kOpen, kSave };
    Kind kind = kOpen;
    std::string title;
    std::vector<FileDialogFilter> filters;
    int selectedFilter = 0;        // index into filters
    std::string defaultExtension;  // without the dot; added when the user typed none
    bool fileMustExist = false;    // open: only an existing file can be confirmed
    bool confirmOverwrite = false; // save: ask before an existing file is replaced
    std::string directory;         // where the dialog starts
    std::string fileName;          // the name filled in
};

class FileDialogSeam {
public:
    virtual ~FileDialogSeam() = default;
    // Shows the dialog modally; true with the chosen full path, false when cancelled.
    // `whileWaiting` (may be empty) is called repeatedly while the user decides,
    // so the caller's window keeps repainting.
    virtual bool chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                            const std::function<void()>& whileWaiting) = 0;
    // A modal error box with one OK button.
    virtual void showError(const std::string& caption, const std::string& text,
                           const std::function<void()>& whileWaiting) = 0;
};

// The desktop's dialogs on this platform (defined by the platform layer).
FileDialogSeam& platformFileDialogs();

}  // namespace ambrel
