#pragma once

#include <string>
#include <string_view>

namespace quiral {

// What a documentation file (*.dcm) says of one name: the D, K and F lines of its
// "$CMP name" ... "$ENDCMP" entry, bytes as written.
struct DocumentationEntry {
  std::string description;
  std::string keywords;
  std::string datasheet;
};

// The entry of `name` (ASCII letter case ignored) in the documentation file at `path`, or in
// `text` when it is not null (a modern library's translated documentation). Nothing when there is
// no such file or entry; a file that exists but cannot be read throws FileError.
DocumentationEntry findDocumentationEntry(const std::string& path, const std::string* text,
                                          std::string_view name);

}  // namespace quiral
