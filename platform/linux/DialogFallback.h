#pragma once
// The dialogs of last resort, drawn with our own toolkit, for a bare X server
// without a desktop dialog program: a path entry under the dialog's title with
// OK and Cancel, and a message box.

#include <functional>
#include <string>

#include "presets/FileDialogSeam.h"

namespace ambrel {

class DialogFallback {
public:
    virtual ~DialogFallback() = default;
    // The path as typed (maybe relative, maybe without extension); false when cancelled.
    virtual bool askPath(const FileDialogRequest& request, const std::string& initialText, std::string& typed,
                         const std::function<void()>& whileWaiting) = 0;
    // withCancel: OK and Cancel, true for OK; otherwise OK only (and true).
    virtual bool showMessage(const std::string& caption, const std::string& text, bool withCancel,
                             const std::function<void()>& whileWaiting) = 0;
};

// The toolkit's own boxes (platform/linux/DialogToolkitBox.cpp).
DialogFallback& toolkitDialogFallback();

}  // namespace ambrel
