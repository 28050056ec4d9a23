#include "library/documentation_cache.h"

#include "library/find_description.h"
#include "library/text_words.h"
#include "platform/line_reader.h"

namespace quiral {

namespace {

// Larger files are not kept in memory; each lookup then reads the file as FindDescription does.
constexpr int64_t kMaxCachedBytes = int64_t(64) << 20;

}  // namespace

void DocumentationCache::load(const std::string& path, const FileStamp& stamp) {
  TextFileReader file(path);
  keepLines(file);
  path_ = path;
  stamp_ = stamp;
}

void DocumentationCache::keepLines(TextFileReader& source) {
  path_.clear();
  translation_.reset();
  lines_.clear();
  entries_.clear();
  lines_ = readAllLines(source);
  for (size_t i = 0; i < lines_.size(); ++i)
    entries_[toUpperAscii(trimControl(firstTwoWords(lines_[i]).second))].push_back(i);
}

std::string DocumentationCache::find(const std::string& documentationPath,
                                     std::string_view componentName) {
  const std::optional<FileStamp> stamp =
      documentationPath.empty() ? std::nullopt : regularFileStamp(documentationPath);
  if (!stamp || stamp->size > kMaxCachedBytes)
    return FindDescription(documentationPath, componentName);  // nothing there, or not text
  if (documentationPath != path_ || !(*stamp == stamp_)) load(documentationPath, *stamp);
  return findKept(componentName);
}

std::string DocumentationCache::find(const std::shared_ptr<const TranslatedLibrary>& translation,
                                     std::string_view componentName) {
  if (!translation) return {};
  if (translation != translation_) {
    TextFileReader text(TextFileReader::InMemory{}, translation->documentationText);
    keepLines(text);
    translation_ = translation;
  }
  return findKept(componentName);
}

std::string DocumentationCache::findKept(std::string_view componentName) const {
  return lookUpWithHiddenValue(componentName,
                               [&](const std::string& wanted) { return findWanted(wanted); });
}

std::string DocumentationCache::findWanted(const std::string& wanted) const {
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
