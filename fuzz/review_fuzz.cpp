// Feeds arbitrary pairs of legacy library texts to the review: the input up to its first NUL
// byte is the old library, the rest the new one (or the old one again when there is no NUL).
// Both are read, compared and written in words, as JSON and as fact lines; a library compared
// with itself must show no difference.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/error.h"
#include "review/library_reading.h"
#include "review/library_review.h"
#include "review/review_words.h"
#include "review/text_facts.h"

namespace {

bool read(const std::string& text, quiral::LibraryFacts& facts) {
  try {
    facts = quiral::readLegacyLibraryText(text, "fuzz.lib");
    return true;
  } catch (const quiral::QuiralError&) {
    return false;  // damaged: refused with a message, as it should be
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t split = bytes.find('\0');
  const std::string before(bytes.substr(0, split));
  const std::string after(split == std::string_view::npos ? before : bytes.substr(split + 1));
  quiral::LibraryFacts a, b, same;
  if (!read(before, a) || !read(after, b) || !read(before, same)) return 0;
  quiral::Review review;
  quiral::reviewLibraries(a, b, "fuzz", review);
  (void)quiral::reviewWords(review);
  (void)quiral::reviewJson(review);
  (void)quiral::libraryFactLines(a);
  quiral::Review none;
  quiral::reviewLibraries(a, same, "fuzz", none);
  if (!none.entries.empty()) __builtin_trap();
  (void)quiral::readDocumentation(bytes);
  return 0;
}
