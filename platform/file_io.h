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
//
// A symbolic link is followed: the file it points to is replaced and the link stays. An existing
// file keeps its permissions (and, where allowed, its owner); a new file gets the permissions
// that the process's umask leaves. An existing target that may not be written (no write
// permission, or no write bit at all, which even root respects here) is refused before anything
// is written, as is a target that is a folder or any other file that is not a regular one
// (a device, a pipe, a socket), after following links.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Creates or truncates `path` and writes `bytes` to it: for private scratch files that need no
// atomic replacement. Throws FileError.
void writeWholeFile(const std::string& path, std::string_view bytes);

}  // namespace quiral
