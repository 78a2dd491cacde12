#pragma once
// What the generator writes for one edition into its output folder:
//  - <id>.bmp for every bitmap (the files the Windows build compiles in),
//  - skin.rc, a resource script naming each file with its id,
//  - the embedding source that defines findSkinImage and skinImages over the
//    same bytes for the Linux plug-in.

#include <cstdint>
#include <string>
#include <vector>

namespace ambrel::skin {

struct EncodedBitmap {
    int id;
    std::vector<std::uint8_t> bytes;
};

// Each returns false when a file cannot be written. Files whose content is
// unchanged are left alone, so the build does not recompile for nothing.
bool writeBitmapFiles(const std::string& folder, const std::vector<EncodedBitmap>& bitmaps);
bool writeResourceScript(const std::string& path, const std::vector<EncodedBitmap>& bitmaps);
bool writeEmbeddingSource(const std::string& path, const char* editionKey, const std::vector<EncodedBitmap>& bitmaps);

}  // namespace ambrel::skin
