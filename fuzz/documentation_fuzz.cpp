// Feeds arbitrary documentation files to the description lookup. The input's first line is the
// component name, the rest is the file. The file is looked up both by reading it line by line
// and through the cache that keeps it in memory: the two must agree.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "library/documentation_cache.h"
#include "library/find_description.h"

namespace {

// A private folder for the one file each input is written to.
const std::string& documentationPath() {
  static const std::string path = [] {
    char folder[] = "/tmp/quiral-dcm-fuzz-XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    return std::string(folder) + "/lib.dcm";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const size_t end = bytes.find('\n');
  const std::string name = bytes.substr(0, end);
  const std::string file = end == std::string::npos ? std::string() : bytes.substr(end + 1);
  const std::string& path = documentationPath();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) std::abort();
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  quiral::DocumentationCache cache;
  if (quiral::FindDescription(path, name) != cache.find(path, name)) std::abort();
  return 0;
}
