#pragma once

#include <string>
#include <string_view>

#include "library/library_browser.h"
#include "platform/font_engine.h"
#include "vector/symbol_recorder.h"

namespace quiral::cli {

// What a picture file holds: the pixel view, or the vector drawing as SVG or PDF.
enum class PictureFormat { Png, Svg, Pdf };

// The look named by --look ("kicad" or "specified"); throws UsageError for anything else.
LookName parseLookOption(std::string_view text);

// The format a file name asks for by its extension (letter case ignored); PNG for any other.
PictureFormat formatOfPath(std::string_view path);
// "png", "svg" or "pdf"; throws UsageError for anything else.
PictureFormat parseFormat(std::string_view text);
const char* extensionOf(PictureFormat format);

// A component renderer that draws into a display list instead of the canvas: set on a library
// browser, each ShowComponent records the block on show, in the look it was made with.
class VectorPictures final : public ComponentRenderer {
 public:
  explicit VectorPictures(LookName look = LookName::KiCad) : recorder_(fonts_, look) {}
  void RenderComponent(const std::vector<std::string>& memo) override { recorder_.record(memo); }
  // Records the memo directly (for a component already shown on the pixel canvas).
  void record(const std::vector<std::string>& memo, const UnitChoice& choice = UnitChoice{}) {
    recorder_.record(memo, choice);
  }
  const DisplayList& displayList() const { return recorder_.displayList(); }
  // Writes the last recorded symbol as SVG or PDF (`title` names it in a PDF).
  void write(PictureFormat format, const std::string& path, const std::string& title) const;

 private:
  FontEngine fonts_;
  SymbolRecorder recorder_;
};

}  // namespace quiral::cli
