#include "platform/html_escape.h"

#include "platform/text_codec.h"

namespace quiral {

namespace {

bool isControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

void appendHtml(std::string& out, std::string_view bytes) {
  for (char c : displayText(bytes)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Control bytes are no text an HTML page may hold (and a validator refuses them).
        out += isControl(c) ? ' ' : c;
    }
  }
}

std::string htmlText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 8);
  appendHtml(out, bytes);
  return out;
}

}  // namespace quiral
