#include "library/documentation_entry.h"

#include <sys/stat.h>

#include "library/library_line_reader.h"
#include "library/text_words.h"

namespace quiral {

namespace {

// The text after a documentation line's one-letter keyword and its space.
std::string valueOf(std::string_view line) {
  const size_t start = line.find_first_not_of(" \t", 1);
  return start == std::string_view::npos ? std::string() : std::string(line.substr(start));
}

bool fileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

DocumentationEntry findDocumentationEntry(const std::string& path, const std::string* text,
                                          std::string_view name) {
  DocumentationEntry entry;
  const std::string wanted = toUpperAscii(trimControl(name));
  if (wanted.empty() || (!text && !fileExists(path))) return entry;
  LibraryLineReader reader(path, text);
  std::string_view line;
  bool inEntry = false;
  while (reader.nextLine(line)) {
    const FirstWords words = firstTwoWords(line);
    const std::string_view keyword = trimControl(words.first);
    if (!inEntry) {
      inEntry = equalsUpper(keyword, "$CMP") && equalsUpper(trimControl(words.second), wanted);
      continue;
    }
    if (equalsUpper(keyword, "$ENDCMP")) break;
    if (keyword == "D") entry.description = valueOf(line);
    if (keyword == "K") entry.keywords = valueOf(line);
    if (keyword == "F") entry.datasheet = valueOf(line);
  }
  return entry;
}

}  // namespace quiral
