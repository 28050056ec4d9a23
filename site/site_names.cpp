#include "site/site_names.h"

#include "platform/text_codec.h"

namespace quiral {

namespace {

constexpr size_t kLongestStem = 80;

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

}  // namespace

void UniqueNames::reserve(std::string_view name) {
  taken_.insert(caseBlind_ ? lowerAscii(name) : std::string(name));
}

std::string UniqueNames::claim(std::string_view wanted) {
  std::string name(wanted);
  for (int n = 2; !taken_.insert(caseBlind_ ? lowerAscii(name) : name).second; ++n)
    name = std::string(wanted) + "_" + std::to_string(n);
  return name;
}

std::string fileStem(std::string_view name) {
  std::string stem;
  for (char c : name) {
    if (stem.size() == kLongestStem) break;
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '_' || (c == '-' && !stem.empty());
    stem += kept ? c : '_';
  }
  return stem.empty() ? "_" : stem;
}

std::string anchorOf(std::string_view name) {
  std::string anchor = displayText(name);
  for (char& c : anchor)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) c = '_';
  return anchor.empty() ? "_" : anchor;
}

}  // namespace quiral
