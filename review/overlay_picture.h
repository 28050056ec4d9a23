#pragma once

#include <string>
#include <vector>

#include "platform/display_list.h"
#include "review/library_review.h"

namespace quiral {

class SymbolRecorder;

// Colours of an overlay: what only the old version draws, what only the new one draws, and what
// both draw alike.
namespace overlay {
constexpr Color kRemoved = 0xD01010;
constexpr Color kAdded = 0x109010;
constexpr Color kSame = 0xA0A0A0;
}  // namespace overlay

// One unit and body style of a symbol, old and new drawn on one another.
struct OverlayPicture {
  int unit = 1;
  int style = 1;
  std::string caption;  // "unit A", "unit B, De Morgan body", ...
  DisplayList list;
};

// The overlays of an entry: for a changed or renamed symbol each unit and body style whose
// drawing differs (the first unit when none does), for an added or removed one its first unit in
// one colour. At most kMaxOverlayPictures; none for a library or an alias.
std::vector<OverlayPicture> overlayPictures(SymbolRecorder& recorder, const ReviewEntry& entry);
constexpr size_t kMaxOverlayPictures = 26;

// A block kept as one text, as the recorder reads it: one line each.
std::vector<std::string> blockLines(const std::string& block);

}  // namespace quiral
