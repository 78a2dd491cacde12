// TEMPORARY: keeps the Windows build linking until the common file dialogs and
// message boxes are in place; it is then deleted. Every dialog is cancelled and
// no message is shown.

#include "presets/FileDialogSeam.h"

namespace ambrel {
namespace {

class CancellingDialogs : public FileDialogSeam {
public:
    bool chooseFile(const FileDialogRequest&, std::string&, const std::function<void()>&) override { return false; }
    void showError(const std::string&, const std::string&, const std::function<void()>&) override {}
};

}  // namespace

FileDialogSeam& platformFileDialogs() {
    static CancellingDialogs dialogs;
    return dialogs;
}

}  // namespace ambrel
