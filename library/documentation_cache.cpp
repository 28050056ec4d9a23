#include "library/documentation_cache.h"

#include <sys/stat.h>

#include "library/find_description.h"
#include "library/library_line_reader.h"
#include "library/text_words.h"
#include "platform/line_reader.h"

namespace quiral {

namespace {

// Larger files are not kept in memory; each lookup then reads the file as FindDescription does.
constexpr int64_t kMaxCachedBytes = int64_t(64) << 20;

}  // namespace

void DocumentationCache::index(std::vector<std::string> lines) {
  entries_.clear();
  lines_ = std::move(lines);
  for (size_t i = 0; i < lines_.size(); ++i)
    entries_[toUpperAscii(trimControl(firstTwoWords(lines_[i]).second))].push_back(i);
}

void DocumentationCache::load(const std::string& path, const Stamp& stamp) {
  path_.clear();
  translation_.reset();
  lines_.clear();
  entries_.clear();
  index(readAllLines(path));
  path_ = path;
  stamp_ = stamp;
}

std::string DocumentationCache::find(const std::shared_ptr<const TranslatedLibrary>& translation,
                                     std::string_view componentName) {
  if (!translation) return {};
  if (translation != translation_) {
    path_.clear();
    std::vector<std::string> lines;
    LibraryLineReader reader({}, &translation->documentationText);
    for (std::string_view line; reader.nextLine(line);) lines.emplace_back(line);
    index(std::move(lines));
    translation_ = translation;
  }
  return lookup(componentName);
}

std::string DocumentationCache::find(const std::string& documentationPath,
                                     std::string_view componentName) {
  struct stat info;
  if (documentationPath.empty() || ::stat(documentationPath.c_str(), &info) != 0 ||
      !S_ISREG(info.st_mode) || info.st_size > kMaxCachedBytes)
    return FindDescription(documentationPath, componentName);  // nothing there, or not text
  const Stamp stamp{int64_t(info.st_size), int64_t(info.st_mtim.tv_sec),
                    int64_t(info.st_mtim.tv_nsec)};
  if (documentationPath != path_ || !(stamp == stamp_)) load(documentationPath, stamp);
  return lookup(componentName);
}

std::string DocumentationCache::lookup(std::string_view componentName) const {
  const std::string wanted = toUpperAscii(trimControl(componentName));
  if (wanted.empty()) return {};
  const auto hit = entries_.find(wanted);
  if (hit == entries_.end()) return {};
  // The scan of FindDescription: an entry line is followed by its D line, or the line after
  // it is passed over and the scan goes on beyond it.
  size_t next = 0;
  for (size_t line : hit->second) {
    if (line < next) continue;
    if (line + 1 >= lines_.size()) break;
    if (auto description = descriptionOfLine(lines_[line + 1])) return *description;
    next = line + 2;
  }
  return {};
}

}  // namespace quiral
