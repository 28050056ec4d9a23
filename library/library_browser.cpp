#include "library/library_browser.h"

#include "kicad_sym/library_translation.h"
#include "library/library_line_reader.h"
#include "library/text_words.h"
#include "library/token_table.h"
#include "platform/file_stamp.h"

namespace quiral {

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string documentationFileName(std::string_view libraryPath) {
  size_t slash = libraryPath.find_last_of('/');
  std::string_view name =
      slash == std::string_view::npos ? libraryPath : libraryPath.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  std::string out(dot == std::string_view::npos ? name : name.substr(0, dot));
  out += ".dcm";
  return out;
}

int ComponentList::indexOf(std::string_view name) const {
  const std::string wanted = toUpperAscii(name);
  for (size_t i = 0; i < entries_.size(); ++i)
    if (equalsUpper(entries_[i], wanted)) return int(i);
  return -1;
}

namespace {

// A cheap test that rules out most lines before they are split into words: a line whose first
// byte is printable and not D or d cannot have the keyword DEF.
bool mayBeDefLine(std::string_view line) {
  if (line.empty()) return false;
  unsigned char c = static_cast<unsigned char>(line[0]);
  return c <= 32 || c == 'D' || c == 'd';
}

// Whether the line's keyword may be `upper`: the keyword is the first word trimmed of bytes 0 to
// 32, and everything before it is such a byte, so the first byte above 32 must begin it. Cheaper
// than splitting the line, and rules out nearly every line before it is split.
bool keywordMayBe(std::string_view line, std::string_view upper) {
  size_t i = 0;
  while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
  if (line.size() - i < upper.size()) return false;
  return equalsUpper(line.substr(i, upper.size()), upper);
}

}  // namespace

const std::string* LibraryBrowser::translatedText() {
  if (!isModernLibraryName(currentLibraryPath_)) {
    translation_.reset();
    return nullptr;
  }
  translation_.reset();
  translation_ = modernLibraries_.translation(currentLibraryPath_);
  return &translation_->libraryText;
}

void LibraryBrowser::listComponents() {
  walkDefinitions(true);
}

void LibraryBrowser::walkDefinitions(bool list) {
  // Stamped before the walk: a change made while it reads shows as a new stamp next time.
  const FileStamp stamp = fileStamp(currentLibraryPath_);
  blocks_.clear();
  LibraryLineReader reader(currentLibraryPath_, translatedText());
  BlockIndex index;
  index.start(currentLibraryPath_, stamp);
  std::string_view line;
  while (reader.nextLineStartingLike("DE", line)) {
    if (!mayBeDefLine(line) || !keywordMayBe(line, "DEF")) continue;
    FirstWords words = firstTwoWords(line);
    if (!equalsUpper(trimControl(words.first), "DEF")) continue;
    index.note(toUpperAscii(trimControl(words.second)), reader.lineOffset());
    if (list) components_.append(std::string(words.second));
  }
  blocks_ = std::move(index);
}

void LibraryBrowser::LoadLibrary(const std::string& folder,
                                 const std::optional<std::string>& selectedFileName) {
  components_.clear();
  if (!selectedFileName) return;
  currentLibraryPath_ = joinPath(folder, *selectedFileName);
  try {
    listComponents();
  } catch (...) {
    clearShown();
    throw;
  }
  components_.select(0);
  ShowComponent();
}

void LibraryBrowser::closeLibrary() {
  components_.clear();
  currentLibraryPath_.clear();
  translation_.reset();
  clearShown();
}

void LibraryBrowser::clearShown() {
  memo_.clear();
  if (renderer_) renderer_->RenderComponent(memo_);
}

void LibraryBrowser::chooseComponent(std::string_view name) {
  const int index = components_.indexOf(name);
  if (index < 0) return;
  components_.select(index);
  ShowComponent();
}

void LibraryBrowser::B_carregarClick(const std::string& fileName) {
  components_.clear();
  if (fileName.empty()) return;
  currentLibraryPath_ = fileName;
  listComponents();
}

namespace {

bool isEndLine(std::string_view line) {
  return keywordMayBe(line, "ENDDEF") &&
         equalsUpper(trimControl(firstTwoWords(line).first), "ENDDEF");
}

bool isDefLineOf(std::string_view line, const std::string& wanted) {
  if (!mayBeDefLine(line) || !keywordMayBe(line, "DEF")) return false;
  FirstWords words = firstTwoWords(line);
  return equalsUpper(trimControl(words.first), "DEF") &&
         equalsUpper(trimControl(words.second), wanted);
}

}  // namespace

bool LibraryBrowser::copyBlockAt(uint64_t offset, const std::string& wanted) {
  LibraryLineReader reader(currentLibraryPath_, translatedText());
  reader.seek(offset);
  std::string_view line;
  if (!reader.nextLine(line) || !isDefLineOf(line, wanted)) return false;
  memo_.emplace_back(line);
  while (reader.nextLine(line)) {
    memo_.emplace_back(line);
    if (isEndLine(line)) break;
  }
  return true;
}

void LibraryBrowser::copyFirstBlock(const std::string& wanted) {
  LibraryLineReader reader(currentLibraryPath_, translatedText());
  std::string_view line;
  bool found = false;
  while (found ? reader.nextLine(line) : reader.nextLineStartingLike("DE", line)) {
    if (found) {
      memo_.emplace_back(line);
      if (isEndLine(line)) break;
    } else if (isDefLineOf(line, wanted)) {
      found = true;
      memo_.emplace_back(line);
    }
  }
}

void LibraryBrowser::ShowComponent() {
  if (!components_.hasSelection()) return;
  memo_.clear();
  if (currentLibraryPath_.empty()) return;
  // The entry is trimmed like the words it is compared with, so that an entry with control bytes
  // at its ends still finds its own block.
  const std::string wanted = toUpperAscii(trimControl(components_.selectedEntry()));
  // A library that cannot be read any more shows nothing rather than the last drawing.
  try {
    if (!blocks_.describes(currentLibraryPath_, fileStamp(currentLibraryPath_)))
      walkDefinitions(false);
    const std::optional<uint64_t> offset = blocks_.find(wanted);
    // The index may be behind a file changed while it was read: then the walk from the start
    // decides.
    if (offset && !copyBlockAt(*offset, wanted)) {
      memo_.clear();
      blocks_.clear();
      copyFirstBlock(wanted);
    }
  } catch (...) {
    clearShown();
    throw;
  }
  if (renderer_) renderer_->RenderComponent(memo_);
}

std::vector<std::vector<std::string>> LibraryBrowser::readAliases() {
  std::vector<std::vector<std::string>> aliases;
  if (currentLibraryPath_.empty()) return aliases;
  LibraryLineReader reader(currentLibraryPath_, translatedText());
  TokenTable tokens;
  std::string_view line;
  while (reader.nextLine(line)) {
    // Only lines whose first byte may begin DEF or ALIAS are split into words.
    const auto first = line.empty() ? 0 : static_cast<unsigned char>(line[0]);
    const char lower = char(first | 0x20);
    if (first > 32 && lower != 'a' && lower != 'd') continue;
    const std::string_view keyword = keywordOf(line);
    if (equalsUpper(keyword, "DEF")) {
      aliases.emplace_back();
    } else if (equalsUpper(keyword, "ALIAS") && !aliases.empty()) {
      const int count = TokenizeLine(tokens, line);
      for (int k = 2; k <= count; ++k) aliases.back().push_back(tokens.text(k));
    }
  }
  aliases.resize(components_.size());
  return aliases;
}

std::vector<std::string> LibraryBrowser::shownUnitNames() const {
  if (!translation_ || memo_.empty()) return {};
  // The DEF line's second word names the block; a hidden value puts a tilde before it.
  std::string_view name = firstTwoWords(memo_.front()).second;
  if (!name.empty() && name.front() == '~') name.remove_prefix(1);
  const auto found = translation_->unitNames.find(name);
  return found == translation_->unitNames.end() ? std::vector<std::string>{} : found->second;
}

}  // namespace quiral
