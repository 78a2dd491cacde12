#include "platform/windows/Win32PopupMenu.h"

namespace VSTGUI::platform::win32 {

int runPopupMenu(HWND owner, const PopupSpec& spec) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    const int count = static_cast<int>(spec.entries.size());
    for (int i = 0; i < count; ++i) {
        UINT flags = 0;
        if (spec.itemsPerColumn > 0 && i > 0 && i % spec.itemsPerColumn == 0) flags |= MF_MENUBARBREAK;
        if (spec.entries[static_cast<std::size_t>(i)] == "-") {
            AppendMenuA(menu, flags | MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (spec.checkCurrent && i == spec.current) flags |= MF_CHECKED;
        // Identifiers start at 1: 0 is what a dismissed menu returns.
        AppendMenuA(menu, flags | MF_STRING, static_cast<UINT_PTR>(i + 1), spec.entries[static_cast<std::size_t>(i)].c_str());
    }
    POINT corner{spec.where.x, spec.where.y};
    ClientToScreen(owner, &corner);
    int chosen = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON,
                                corner.x, corner.y, 0, owner, nullptr);
    DestroyMenu(menu);
    return chosen > 0 && chosen <= count ? chosen - 1 : -1;
}

}  // namespace VSTGUI::platform::win32
