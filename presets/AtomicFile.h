#pragma once
// Replacing a file's contents so that readers see either the old or the new
// file, never a part of it (defined by the platform layer).

#include <cstddef>
#include <string>

namespace ambrel {

// Writes the bytes to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`. False, with any existing file left as it was,
// when the folder or an existing write-protected file does not allow it.
bool replaceFileContents(const std::string& path, const void* data, std::size_t size);

// Whether the character separates the folders of a path on this platform.
bool isPathSeparator(char c);

}  // namespace ambrel
