#pragma once

#include <string>

#include "platform/bitmap.h"

namespace quiral {

struct PngOptions {
  // Lowest zlib effort: for pictures written often (tests, previews), not for keeping.
  bool fast = false;
};

// Writes the picture as a PNG file. An RGB picture with at most 256 distinct colours is written
// with a palette (1, 2, 4 or 8 bits per pixel), others as 24-bit RGB; an indexed picture keeps
// its palette. Throws FileError when the file cannot be written.
void writePng(const Bitmap& bitmap, const std::string& path, PngOptions options = {});

// Reads a PNG file as a 24-bit RGB picture. Throws FileError when the file cannot be read and
// QuiralError when it is not a PNG picture.
Bitmap readPng(const std::string& path);

}  // namespace quiral
