#pragma once
// The review sheet: each edition's pages assembled from its bitmaps as the
// editor shows them, then every bitmap with its id, size and frame count
// (film strips by a sample of their frames), read back from the written
// .bmp files so the sheet shows exactly the bytes that ship.

#include <string>
#include <vector>

namespace ambrel::skin {

struct SheetEdition {
    std::string key;     // "full" or "sibling"
    std::string folder;  // where the generator wrote that edition's files
};

// Returns false (with a message on stderr) if a file is missing or unreadable.
bool writeContactSheet(const std::string& pngPath, const std::vector<SheetEdition>& editions);

}  // namespace ambrel::skin
