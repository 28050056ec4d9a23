#pragma once

// Shared between the prepared-report writer and reader.

#include <cstdint>
#include <variant>

#include "report_engine/prepared_page.h"
#include "report_engine/report_types.h"

namespace quiral::qrp {

constexpr char kMagic[8] = {'Q', 'R', 'P', 'Q', 'r', 'l', '\x1A', '\n'};

enum class ItemKind : uint8_t { Fill = 1, Frame = 2, Text = 3, Picture = 4 };

// Limits a file must keep to; a value outside them marks the file as damaged.
constexpr int32_t kMaxCoordinate = 1 << 24;  // tenths of a millimetre: 1.6 km
constexpr int32_t kMaxPointSize = 2000;
constexpr int32_t kMaxPenWidth = 1000;
constexpr uint32_t kMaxPictureSide = 1 << 15;
constexpr uint32_t kMaxColor = 0xFFFFFF;
// Font face names are short ("Arial"); a longer one is not a name.
constexpr uint32_t kMaxFaceLength = 255;
// Painting a page costs at least a little for every item. Catalog pages hold a few hundred; this
// keeps a crafted page from taking many seconds to paint at every scroll.
constexpr uint32_t kMaxItemsPerPage = 5000;
// Fills, frames and pictures cost painting time by the area they cover: together they may cover
// a page this many times over (catalog pages cover theirs less than twice).
constexpr int64_t kMaxPageCoverage = 32;

// Picture pixels are stored as runs: a byte with the run's length less one, then R, G, B. Runs are
// short enough that the pictures of a file never hold more than 8 pixels for each byte of it, so
// what a file makes in memory is bounded by its size (24 bytes of picture per byte of file).
constexpr uint32_t kRunBytes = 4;
constexpr int kMaxRun = 32;

// The fewest bytes one picture, one page and one item take, for checking counts.
constexpr uint64_t kMinPictureBytes = 4 + 4 + 4 + kRunBytes;
constexpr uint64_t kMinPageBytes = 4;
constexpr uint64_t kMinItemBytes = 1 + 16 + 4;  // kind, a box, a colour

// The area of the page that an item's painting may touch, in square tenths of a millimetre
// (texts are bounded by their length instead).
inline int64_t coveredArea(const PageItem& item, const TenthsRect& page) {
  TenthsRect box;
  if (auto* fill = std::get_if<PageFill>(&item))
    box = fill->box;
  else if (auto* frame = std::get_if<PageFrame>(&item))
    box = frame->box;
  else if (auto* picture = std::get_if<PagePicture>(&item))
    box = picture->box;
  box = box.intersected(page);
  return box.empty() ? 0 : int64_t(box.width()) * box.height();
}

// True when the items together cover the page no more than kMaxPageCoverage times over.
inline bool coverageWithinLimit(const PreparedPage& page, int32_t width, int32_t height) {
  const TenthsRect whole{0, 0, width, height};
  const int64_t limit = kMaxPageCoverage * int64_t(width) * height;
  int64_t covered = 0;
  for (const PageItem& item : page.items)
    if ((covered += coveredArea(item, whole)) > limit) return false;
  return true;
}

}  // namespace quiral::qrp
