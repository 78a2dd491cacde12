#include "platform/linux/DialogDesktop.h"

namespace ambrel {

FileDialogSeam& platformFileDialogs() {
    static DesktopDialogs dialogs(toolkitDialogFallback());
    return dialogs;
}

}  // namespace ambrel
