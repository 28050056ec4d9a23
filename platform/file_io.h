#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quiral {

// Reads a whole file. Throws FileError when it cannot be opened or read, and QuiralError when
// it is larger than `maxBytes`.
std::string readWholeFile(const std::string& path, size_t maxBytes);

// Writes `bytes` to a new file in the folder of `path` and renames it to `path`, so readers see
// either the old file or the complete new one. On failure the temporary file is removed, any
// existing file at `path` is untouched, and FileError is thrown.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace quiral
