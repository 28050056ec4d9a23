#include "library/find_description.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "library/library_line_reader.h"
#include "library/text_words.h"
#include "platform/line_reader.h"

namespace quiral {

namespace {

bool nothingAt(const std::string& path) {
  if (path.empty()) return true;
  struct stat info;
  return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

}  // namespace

std::optional<std::string> descriptionOfLine(std::string_view line) {
  if (!equalsUpper(firstTwoWords(line).first, "D")) return std::nullopt;
  return std::string(line.size() > 2 ? line.substr(2) : std::string_view());
}

namespace {

// The scan over the lines of a documentation file or text.
template <typename Lines>
std::string findIn(Lines& reader, const std::string& wanted) {
  std::string_view line;
  while (reader.nextLine(line)) {
    if (!equalsUpper(trimControl(firstTwoWords(line).second), wanted)) continue;
    if (!reader.nextLine(line)) break;
    if (auto description = descriptionOfLine(line)) return *description;
  }
  return {};
}

// Lines held in memory, read as a line source.
struct KeptLines {
  const std::vector<std::string>& lines;
  size_t next = 0;
  bool nextLine(std::string_view& line) {
    if (next >= lines.size()) return false;
    line = lines[next++];
    return true;
  }
};

}  // namespace

std::string FindDescription(const std::string& documentationPath, std::string_view componentName) {
  if (nothingAt(documentationPath)) return {};
  return lookUpWithHiddenValue(componentName, [&](const std::string& wanted) {
    LibraryLineReader reader(documentationPath, nullptr);
    return findIn(reader, wanted);
  });
}

std::string FindDescriptionInText(const std::string& documentationText,
                                  std::string_view componentName) {
  return lookUpWithHiddenValue(componentName, [&](const std::string& wanted) {
    LibraryLineReader reader({}, &documentationText);
    return findIn(reader, wanted);
  });
}

std::string FindDescriptionIn(TextFileReader& lines, std::string_view componentName) {
  // The source is read once; the name without its "~" may need a second scan.
  const std::vector<std::string> kept = readAllLines(lines);
  return lookUpWithHiddenValue(componentName, [&](const std::string& wanted) {
    KeptLines reader{kept};
    return findIn(reader, wanted);
  });
}

}  // namespace quiral
