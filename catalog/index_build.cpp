#include "catalog/index_build.h"

#include "catalog/catalog_index.h"
#include "library/folder_listing.h"
#include "library/library_line_reader.h"
#include "library/text_words.h"
#include "library/token_table.h"
#include "platform/error.h"
#include "platform/line_reader.h"

namespace quiral {

namespace {

// A line's first word (only the space separates words), trimmed of bytes 0..32.
std::string_view firstWord(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && line[start] == ' ') ++start;
  size_t end = line.find(' ', start);
  if (end == std::string_view::npos) end = line.size();
  return trimControl(line.substr(start, end - start));
}

}  // namespace

void IndexBuild::run(FileList& files) {
  try {
    for (size_t i = 0; i < files.size(); ++i) {
      files.select(int(i));
      readFile(files.pathOf(i), files.entries()[i]);
    }
  } catch (...) {
    if (InBlock) storeBlockText();
    throw;
  }
  // A block still open at the end of the last file is kept as it stands.
  if (InBlock) storeBlockText();
}

void IndexBuild::readFile(const std::string& path, const std::string& name) {
  std::shared_ptr<const TranslatedLibrary> translation;
  if (isModernLibraryName(path)) {
    try {
      translation = modernLibraries_.translation(path);
    } catch (const FileError&) {
      throw;
    } catch (const QuiralError& e) {
      // The message names the file, the line and the column.
      skipped_.push_back(e.what());
      return;
    }
  }
  if (translation) {
    for (const std::string& lost : translation->skippedSymbols)
      skipped_.push_back(path + ": " + lost);
  }
  LibraryLineReader reader(path, translation ? &translation->libraryText : nullptr);
  MemoryTable& libs = index_.RxMD_lib();
  libs.setValue(libs.Append(), LibField::lib, name);
  fileName_ = name;
  std::string_view line;
  while (reader.nextLine(line)) takeLine(line);
}

void IndexBuild::takeLine(std::string_view line) {
  // A line that starts with a printable byte other than the keywords' first letters has no
  // keyword: most lines of a block are passed on here.
  const auto first = line.empty() ? 0 : static_cast<unsigned char>(line[0]);
  const char lower = char(first | 0x20);
  if (first > 32 && lower != 'a' && lower != 'd' && lower != 'e') {
    if (InBlock) appendToBlock(line);
    return;
  }
  const std::string_view keyword = firstWord(line);
  // Only words of 3, 5 and 6 letters can be keywords.
  if (keyword.size() == 5 && equalsUpper(keyword, "ALIAS")) aliasLine(line);
  if (InBlock) {
    appendToBlock(line);
    if (keyword.size() == 6 && equalsUpper(keyword, "ENDDEF")) {
      storeBlockText();
      InBlock = false;
    }
    return;
  }
  if (keyword.size() == 3 && equalsUpper(keyword, "DEF")) openBlock(line);
}

void IndexBuild::aliasLine(std::string_view line) {
  const int count = TokenizeLine(tokens_, line);
  for (int k = 2; k <= count; ++k) appendNameRow(tokens_.text(k));
  // Outside a block there is no block row to take the line.
  if (InBlock) index_.RxMD_comp().setValue(openRow_, CompField::Alias, std::string(line));
}

void IndexBuild::openBlock(std::string_view line) {
  ++ModelNumber;
  CurrentLib = fileName_;
  CurrentPrincipal = toUpperAscii(trimControl(firstTwoWords(line).second));

  MemoryTable& comp = index_.RxMD_comp();
  openRow_ = comp.Append();
  comp.setValue(openRow_, CompField::Lib, CurrentLib);
  comp.setValue(openRow_, CompField::Principal, CurrentPrincipal);
  comp.setValue(openRow_, CompField::nr_principal, ModelNumber);
  appendNameRow(CurrentPrincipal);

  InBlock = true;
  blockText_.clear();
  appendToBlock(line);
}

void IndexBuild::appendToBlock(std::string_view line) {
  blockText_.append(line);
  blockText_.push_back('\r');
}

void IndexBuild::storeBlockText() {
  index_.RxMD_comp().setValue(openRow_, CompField::Comandos, blockText_);
}

void IndexBuild::appendNameRow(std::string_view alias) {
  MemoryTable& names = index_.RxMD_principal();
  const size_t row = names.Append();
  names.setValue(row, PrincipalField::lib, CurrentLib);
  names.setValue(row, PrincipalField::principal, CurrentPrincipal);
  names.setValue(row, PrincipalField::alias, std::string(alias));
  names.setValue(row, PrincipalField::nr_principal, ModelNumber);
}

}  // namespace quiral
