// Feeds whole component blocks through the line dispatcher and every record drawer: the input is
// split into memo lines and rendered as ShowComponent would. One renderer serves every input, so
// the state carried between components (fonts, the canvas's touched box) is fuzzed as well.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "render/view_crop.h"

namespace {

// Lines end at CR, LF or CR LF, as the library reader cuts them.
std::vector<std::string> splitLines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < size; ++i) {
    char c = char(data[i]);
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

quiral::Renderer& sharedRenderer() {
  // One renderer for the whole run; it is destroyed at exit, so its font engine shuts the font
  // library down before the leak check.
  static quiral::Renderer renderer;
  return renderer;
}

}  // namespace

// Starts the fonts before the first input with one render that draws a text: fontconfig and
// FreeType allocate their caches then, outside any input, so the leak check that runs between
// inputs does not take that memory for a leak of the input that happened to start them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  sharedRenderer().RenderComponent({"DEF X U 0 40 Y Y 1 F N", "F0 \"U\" 0 0 50 H V C CNN", "DRAW",
                                    "T 0 0 0 50 0 0 0 Warm Normal 0 C C", "ENDDRAW", "ENDDEF"});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quiral::Renderer& renderer = sharedRenderer();
  const std::vector<std::string> memo = splitLines(data, size);
  renderer.RenderComponent(memo);
  // The one-line drawing on top of the result, at the first and last lines.
  renderer.B_linhaClick(memo, 0);
  renderer.B_linhaClick(memo, int(memo.size()) - 1);
  const quiral::Bitmap& view = renderer.ViewImage();
  if (view.width() < 1 || view.height() < 1 || view.width() > quiral::kMaxViewSide ||
      view.height() > quiral::kMaxViewSide) {
    __builtin_trap();
  }
  return 0;
}
