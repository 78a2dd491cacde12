#pragma once
// The system's loader for plug-in modules, the one place that differs between
// a Linux host (dlopen of a shared object) and a Windows host (LoadLibraryA of
// a DLL). Header only, so test programs use it without the tools library.

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <string>

namespace ambrel::module {

#ifdef _WIN32
inline bool hasFolder(const std::string& path) { return path.find_first_of("/\\:") != std::string::npos; }
// A bare name would make the loader search the system folders first.
inline void* open(const std::string& path) {
    const std::string openPath = hasFolder(path) ? path : ".\\" + path;
    return reinterpret_cast<void*>(LoadLibraryA(openPath.c_str()));
}
inline void* symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
inline void close(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
// Why the last open failed, in the system's words.
inline std::string lastError() {
    const DWORD code = GetLastError();
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' '))
        text[--length] = 0;
    return (length ? std::string(text) : std::string("error")) + " (" + std::to_string(code) + ")";
}
#else
inline bool hasFolder(const std::string& path) { return path.find('/') != std::string::npos; }
// A bare name would make dlopen search the library path.
inline void* open(const std::string& path) {
    const std::string openPath = hasFolder(path) ? path : "./" + path;
    return dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}
inline void* symbol(void* handle, const char* name) { return dlsym(handle, name); }
inline void close(void* handle) { dlclose(handle); }
inline std::string lastError() {
    const char* why = dlerror();
    return why ? why : "unknown error";
}
#endif

}  // namespace ambrel::module
