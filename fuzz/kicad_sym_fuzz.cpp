// Feeds a modern library text to the S-expression reader and the translation, once whole and
// once through a source that hands it over a few bytes at a time (so the window's edges are
// crossed). Malformed input must end in an error with a position, never a crash; both reads
// must agree.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kicad_sym/library_translation.h"
#include "kicad_sym/sexpr.h"

namespace {

class Trickle : public quiral::TextSource {
 public:
  Trickle(std::string_view text, size_t chunk) : text_(text), chunk_(chunk) {}
  bool readMore(std::string& out, size_t max) override {
    const size_t n = std::min({max, chunk_, text_.size() - pos_});
    out.append(text_.substr(pos_, n));
    pos_ += n;
    return n > 0;
  }

 private:
  std::string_view text_;
  size_t chunk_;
  size_t pos_ = 0;
};

// Everything a stream yields, or the error it ends with.
std::string walk(quiral::SexprListStream& stream) {
  std::string out(stream.head());
  quiral::SexprDocument child;
  while (stream.next(child)) {
    const quiral::Sexpr node = child.root().first();
    out += '|';
    out += node.isList() ? node.head() : node.text();
    out += std::to_string(node.offset());
  }
  return out;
}

std::string walkText(std::string_view text, const quiral::SexprLimits& limits) {
  try {
    quiral::SexprListStream stream(text, limits);
    return walk(stream);
  } catch (const quiral::SexprError& e) {
    return e.what();
  }
}

std::string walkTrickle(std::string_view text, const quiral::SexprLimits& limits) {
  try {
    // A stream re-reads its unfinished element after every refill, so five-byte steps cost the
    // square of the input. The step is chosen by the input's length instead (5 to 132 bytes):
    // across inputs the window's edges still fall everywhere.
    Trickle source(text, 5 + text.size() % 128);
    quiral::SexprListStream stream(source, limits);
    return walk(stream);
  } catch (const quiral::SexprError& e) {
    return e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Small bounds so that the fuzzer reaches them.
  quiral::SexprLimits limits;
  limits.maxDepth = 12;
  limits.maxTokenBytes = 4096;
  limits.maxTokens = 20000;
  if (walkText(text, limits) != walkTrickle(text, limits)) __builtin_trap();
  try {
    const quiral::TranslatedLibrary library = quiral::translateModernLibrary(text, limits);
    if (library.libraryText.find("ENDDEF") == std::string::npos && library.blockCount > 0)
      __builtin_trap();
  } catch (const quiral::QuiralError&) {
  }
  return 0;
}
