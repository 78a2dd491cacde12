// The edition's skin on Windows: the bitmaps are resources of the module
// (compiled in from skin.rc), read through FindResource and handed out as
// whole .bmp files, the form the toolkit's decoder reads. A resource holds the
// info header and the pixels; the 14-byte file header is put in front once.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/windows/Win32Module.h"
#include "resources/SkinImages.h"

namespace ambrel {
namespace {

struct Loaded {
    std::vector<unsigned char> file;
    SkinImage image{};
};

void put32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

bool loadResource(int id, Loaded& out) {
    HMODULE module = VSTGUI::platform::win32::thisModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found) return false;
    DWORD size = SizeofResource(module, found);
    HGLOBAL handle = LoadResource(module, found);
    const auto* data = handle ? static_cast<const unsigned char*>(LockResource(handle)) : nullptr;
    if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER header;
    std::copy(data, data + sizeof header, reinterpret_cast<unsigned char*>(&header));
    std::uint32_t colours = header.biBitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount)
                                                  : header.biClrUsed;
    std::uint32_t pixelOffset = 14 + header.biSize + colours * 4;
    out.file.assign(14, 0);
    out.file[0] = 'B';
    out.file[1] = 'M';
    put32(&out.file[2], 14 + size);
    put32(&out.file[10], pixelOffset);
    out.file.insert(out.file.end(), data, data + size);
    out.image = SkinImage{id, out.file.data(), out.file.size()};
    return true;
}

std::map<int, Loaded>& cache() {
    static std::map<int, Loaded> loaded;
    return loaded;
}

BOOL CALLBACK collectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(list)->push_back(static_cast<int>(reinterpret_cast<std::uintptr_t>(name)));
    return TRUE;
}

}  // namespace

const SkinImage* findSkinImage(int id) {
    auto it = cache().find(id);
    if (it == cache().end()) {
        Loaded loaded;
        if (!loadResource(id, loaded)) return nullptr;
        it = cache().emplace(id, std::move(loaded)).first;
        it->second.image.data = it->second.file.data();
    }
    return &it->second.image;
}

const SkinImage* skinImages(std::size_t* count) {
    static const std::vector<SkinImage> all = [] {
        std::vector<int> ids;
        EnumResourceNamesA(VSTGUI::platform::win32::thisModule(), MAKEINTRESOURCEA(2), collectId,
                           reinterpret_cast<LONG_PTR>(&ids));
        std::sort(ids.begin(), ids.end());
        std::vector<SkinImage> images;
        for (int id : ids) {
            if (const SkinImage* image = findSkinImage(id)) images.push_back(*image);
        }
        return images;
    }();
    if (count) *count = all.size();
    return all.data();
}

}  // namespace ambrel
