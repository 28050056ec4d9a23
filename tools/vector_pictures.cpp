#include "tools/vector_pictures.h"

#include "platform/text_codec.h"
#include "tools/cli_registry.h"
#include "vector/symbol_files.h"

namespace quiral::cli {

namespace {

bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = text[text.size() - tail.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != tail[i]) return false;
  }
  return true;
}

}  // namespace

LookName parseLookOption(std::string_view text) {
  if (std::optional<LookName> look = parseLookName(text)) return *look;
  throw UsageError("--look must be kicad or specified");
}

PictureFormat formatOfPath(std::string_view path) {
  if (endsWithIgnoringCase(path, ".svg")) return PictureFormat::Svg;
  if (endsWithIgnoringCase(path, ".pdf")) return PictureFormat::Pdf;
  return PictureFormat::Png;
}

PictureFormat parseFormat(std::string_view text) {
  if (text == "png") return PictureFormat::Png;
  if (text == "svg") return PictureFormat::Svg;
  if (text == "pdf") return PictureFormat::Pdf;
  throw UsageError("--format must be png, svg or pdf");
}

const char* extensionOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Svg:
      return ".svg";
    case PictureFormat::Pdf:
      return ".pdf";
    default:
      return ".png";
  }
}

void VectorPictures::write(PictureFormat format, const std::string& path,
                           const std::string& title) const {
  if (format == PictureFormat::Pdf) {
    writeSymbolPdf(displayList(), path, displayText(title));
  } else {
    writeSymbolSvg(displayList(), path);
  }
}

}  // namespace quiral::cli
