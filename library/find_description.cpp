#include "library/find_description.h"

#include <sys/stat.h>

#include <cerrno>

#include "library/library_line_reader.h"
#include "library/text_words.h"

namespace quiral {

namespace {

bool nothingAt(const std::string& path) {
  if (path.empty()) return true;
  struct stat info;
  return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

// The description when `line` is a D line ("D " and the text), else nothing.
bool descriptionOf(std::string_view line, std::string& description) {
  if (!equalsUpper(firstTwoWords(line).first, "D")) return false;
  description.assign(line.size() > 2 ? line.substr(2) : std::string_view());
  return true;
}

// The scan over the lines of a documentation file or text.
std::string findIn(LibraryLineReader& reader, std::string_view componentName) {
  const std::string wanted = toUpperAscii(trimControl(componentName));
  if (wanted.empty()) return {};  // would match every line without a second word
  std::string_view line;
  while (reader.nextLine(line)) {
    if (!equalsUpper(trimControl(firstTwoWords(line).second), wanted)) continue;
    if (!reader.nextLine(line)) break;
    std::string description;
    if (descriptionOf(line, description)) return description;
  }
  return {};
}

}  // namespace

std::string FindDescription(const std::string& documentationPath, std::string_view componentName) {
  if (nothingAt(documentationPath) || trimControl(componentName).empty()) return {};
  LibraryLineReader reader(documentationPath, nullptr);
  return findIn(reader, componentName);
}

std::string FindDescriptionInText(const std::string& documentationText,
                                  std::string_view componentName) {
  LibraryLineReader reader({}, &documentationText);
  return findIn(reader, componentName);
}

}  // namespace quiral
