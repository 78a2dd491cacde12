// Replacing a file on Windows: the new contents go to a temporary file beside
// it, are flushed, and MoveFileExA puts it in the file's place in one step.

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "presets/AtomicFile.h"

namespace ambrel {
namespace {

std::atomic<unsigned> gTemporaryCounter{0};

}  // namespace

bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

bool replaceFileContents(const std::string& path, const void* data, std::size_t size) {
    if (path.empty() || (size > 0 && !data) || size > 0xFFFFFFFFu) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)))
        return false;

    std::size_t cut = path.size();
    while (cut > 0 && !isPathSeparator(path[cut - 1]) && path[cut - 1] != ':') --cut;
    if (cut == path.size()) return false;  // no file name
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".tmp-%lu-%u", GetCurrentProcessId(), gTemporaryCounter.fetch_add(1));
    const std::string temporary = path.substr(0, cut) + "~" + path.substr(cut) + suffix;

    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = size == 0 || (WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size);
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

}  // namespace ambrel
