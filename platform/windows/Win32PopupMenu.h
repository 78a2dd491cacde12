#pragma once
// The menu control's pop-up list on Windows: a system pop-up menu at the
// list's corner, entries in columns of itemsPerColumn, separators, a check mark
// on the current entry when asked for. It runs modally until an entry is
// picked or the menu is dismissed.

#include <windows.h>

#include "toolkit/PlatformSeam.h"

namespace VSTGUI::platform::win32 {

// The index of the chosen entry, -1 when dismissed.
int runPopupMenu(HWND owner, const PopupSpec& spec);

}  // namespace VSTGUI::platform::win32
