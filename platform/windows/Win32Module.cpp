#include "platform/windows/Win32Module.h"

#include <cstdio>

namespace VSTGUI::platform::win32 {

HMODULE thisModule() {
    static HMODULE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&thisModule), &found);
        return found ? found : GetModuleHandleA(nullptr);
    }();
    return module;
}

std::string frameWindowClassName() {
    char name[64];
    std::snprintf(name, sizeof name, "Plugin%p", static_cast<void*>(thisModule()));
    return name;
}

}  // namespace VSTGUI::platform::win32
