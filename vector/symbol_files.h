#pragma once

#include <string>

#include "platform/display_list.h"

namespace quiral {

// One symbol's picture as a file, fitted to its display list's bounds plus a margin. Each is
// written whole to a temporary file and renamed over `path`; throws FileError or QuiralError.

// SVG at 1:1 (one library unit = 0.0254 mm).
void writeSymbolSvg(const DisplayList& list, const std::string& path);
// PDF at 1:1, one page, real text with embedded font subsets; `title` goes into the document's
// information.
void writeSymbolPdf(const DisplayList& list, const std::string& path, const std::string& title);
// Anti-aliased PNG on white, `scale` times the pixel view's size (4.9 / scale units a pixel).
// Refuses a picture more than kMaxRasterSide pixels wide or high.
void writeSymbolPng(const DisplayList& list, const std::string& path, double scale);
constexpr int kMaxRasterSide = 16384;

// The symbol's PDF and PNG bytes, as the files above hold them.
std::string symbolPdf(const DisplayList& list, const std::string& title);
std::string symbolPng(const DisplayList& list, double scale);

}  // namespace quiral
