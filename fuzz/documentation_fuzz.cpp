// Feeds arbitrary documentation files to the description lookup. The input's first line is the
// component name, the rest is the file, read from memory with the file rules. The file is looked
// up both by scanning it line by line and through the cache that keeps it: the two must agree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/documentation_cache.h"
#include "library/find_description.h"
#include "platform/line_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t end = bytes.find('\n');
  const std::string_view name = bytes.substr(0, end);
  const std::string_view file =
      end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
  quiral::TextFileReader scanned(quiral::TextFileReader::InMemory{}, file);
  quiral::TextFileReader kept(quiral::TextFileReader::InMemory{}, file);
  quiral::DocumentationCache cache;
  cache.keepLines(kept);
  if (quiral::FindDescriptionIn(scanned, name) != cache.findKept(name)) __builtin_trap();
  return 0;
}
