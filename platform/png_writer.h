#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace quiral {

struct PngOptions {
  // Lowest zlib effort: for pictures written often (tests, previews), not for keeping.
  bool fast = false;
};

// A picture made ready for PNG encoding: its rows as they go into the file, packed, with the
// palette when indexed. Preparing (palette indexing and packing) and encoding can thus run on
// different threads, and only the packed rows change hands. Move-only in practice: it owns them.
struct PreparedPng {
  struct PaletteEntry {
    uint8_t red, green, blue;
  };
  int width = 0;
  int height = 0;
  bool indexed = false;  // palette colours; otherwise 8-bit RGB
  int bitDepth = 8;
  size_t rowBytes = 0;
  std::vector<PaletteEntry> palette;
  std::vector<uint8_t, UninitializedAllocator<uint8_t>> rows;  // height rows of rowBytes each
};

// Prepares the picture as writePng stores it. Throws QuiralError for an empty picture.
PreparedPng preparePng(const Bitmap& bitmap);
// Encodes a prepared picture into a PNG file. Throws FileError when it cannot be written.
void writePng(const PreparedPng& picture, const std::string& path, PngOptions options = {});

// Writes the picture as a PNG file. An RGB picture with at most 256 distinct colours is written
// with a palette (1, 2, 4 or 8 bits per pixel), others as 24-bit RGB; an indexed picture keeps
// its palette. Throws FileError when the file cannot be written.
void writePng(const Bitmap& bitmap, const std::string& path, PngOptions options = {});

// Reads a PNG file as a 24-bit RGB picture. Throws FileError when the file cannot be read and
// QuiralError when it is not a PNG picture.
Bitmap readPng(const std::string& path);

}  // namespace quiral
