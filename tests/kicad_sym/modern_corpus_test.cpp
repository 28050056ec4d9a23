// The modern library corpus (Debian's kicad-symbols, installed by scripts/install-deps.sh):
// every file translates, every root symbol renders, every derived symbol stands on its root's
// ALIAS line and in the documentation; and the symbols that the legacy corpus holds too are drawn
// the same, pixel for pixel, for most of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"
#include "legacy_grammar.h"
#include "platform/png_writer.h"
#include "render/renderer.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;

const fs::path kModernFolder = "/usr/share/kicad/symbols";

std::vector<fs::path> modernLibraries() {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kModernFolder, error)) {
    if (isModernLibraryName(entry.path().filename().string())) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The words after the keyword of every line starting with `keyword`.
std::set<std::string> wordsAfter(const std::string& text, const std::string& keyword) {
  std::set<std::string> words;
  size_t pos = 0;
  while ((pos = text.find("\n" + keyword + " ", pos)) != std::string::npos) {
    pos += keyword.size() + 2;
    const size_t end = text.find('\n', pos);
    std::string rest = text.substr(pos, end - pos);
    for (size_t start = 0; start < rest.size();) {
      size_t stop = rest.find(' ', start);
      if (stop == std::string::npos) stop = rest.size();
      if (stop > start) words.insert(rest.substr(start, stop - start));
      start = stop + 1;
    }
  }
  return words;
}

#define SKIP_WITHOUT_CORPUS()                                                   \
  if (modernLibraries().empty())                                                \
  GTEST_SKIP() << kModernFolder                                                 \
               << " holds no .kicad_sym files: install Debian's kicad-symbols " \
                  "(scripts/install-deps.sh)"

TEST(ModernCorpus, EveryLibraryTranslatesAndEveryRootRenders) {
  SKIP_WITHOUT_CORPUS();
  Session session;
  size_t roots = 0, aliases = 0;
  for (const fs::path& file : modernLibraries()) {
    SCOPED_TRACE(file.string());
    const TranslatedLibrary library = translateModernLibraryFile(file.string());
    roots += library.blockCount;
    aliases += library.aliasCount;
    // Every alias has its own documentation entry beside the roots'.
    const std::set<std::string> aliasNames = wordsAfter(library.libraryText, "ALIAS");
    const std::set<std::string> documented = wordsAfter(library.documentationText, "$CMP");
    EXPECT_EQ(aliasNames.size(), library.aliasCount);
    for (const std::string& alias : aliasNames) EXPECT_TRUE(documented.count(alias)) << alias;

    session.browser.B_carregarClick(file.string());
    ComponentList& list = session.browser.components();
    ASSERT_EQ(list.size(), library.blockCount);
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      ASSERT_GE(session.browser.memo().size(), 2u) << list[i];
      EXPECT_EQ(session.browser.memo().back(), "ENDDEF") << list[i];
      EXPECT_GT(session.renderer.ViewImage().width(), 100) << list[i];
    }
  }
  // Debian's kicad-symbols 6.0.10.
  if (modernLibraries().size() == 209) {
    EXPECT_EQ(roots, 8401u);
    EXPECT_EQ(aliases, 9168u);
  }
}

// Every line of every translated library as KiCad's legacy reader would take it.
TEST(ModernCorpus, EveryTranslatedLineKeepsTheLegacyGrammar) {
  SKIP_WITHOUT_CORPUS();
  size_t lines = 0;
  for (const fs::path& file : modernLibraries()) {
    const TranslatedLibrary library = translateModernLibraryFile(file.string());
    EXPECT_EQ(testing::legacyGrammarErrors(library.libraryText), std::vector<std::string>{})
        << file;
    lines += size_t(std::count(library.libraryText.begin(), library.libraryText.end(), '\n'));
  }
  EXPECT_GT(lines, 0u);
}

bool sameView(const Bitmap& a, const Bitmap& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::memcmp(a.data(), b.data(), a.stride() * size_t(a.height())) == 0;
}

// Renders each component that both the legacy corpus and the modern one hold from both and
// counts identical views. Many symbols were redrawn between the releases, so not all are the
// same; QUIRAL_PIXEL_DIFF_DIR=folder writes the pairs that differ as PNG files.
TEST(ModernCorpus, MostSymbolsOfBothReleasesLookTheSame) {
  SKIP_WITHOUT_CORPUS();
  const fs::path legacyFolder = fs::path(QUIRAL_CORPUS_DIR) / "kicad5";
  ASSERT_TRUE(fs::is_directory(legacyFolder)) << "the KiCad corpus was not found: " << legacyFolder;
  const char* diffFolder = std::getenv("QUIRAL_PIXEL_DIFF_DIR");
  Session legacy, modern;
  size_t compared = 0, identical = 0;
  for (const auto& entry : fs::directory_iterator(legacyFolder)) {
    if (entry.path().extension() != ".lib") continue;
    const fs::path modernFile = kModernFolder / (entry.path().stem().string() + ".kicad_sym");
    if (!fs::exists(modernFile)) continue;
    legacy.browser.B_carregarClick(entry.path().string());
    modern.browser.B_carregarClick(modernFile.string());
    std::map<std::string, int> modernIndex;
    for (size_t i = 0; i < modern.browser.components().size(); ++i)
      modernIndex.emplace(modern.browser.components()[i], int(i));
    size_t libraryCompared = 0, libraryIdentical = 0;
    for (size_t i = 0; i < legacy.browser.components().size(); ++i) {
      const auto found = modernIndex.find(legacy.browser.components()[i]);
      if (found == modernIndex.end()) continue;
      legacy.browser.components().select(int(i));
      legacy.browser.ShowComponent();
      modern.browser.components().select(found->second);
      modern.browser.ShowComponent();
      ++libraryCompared;
      if (sameView(legacy.renderer.ViewImage(), modern.renderer.ViewImage())) {
        ++libraryIdentical;
      } else if (diffFolder) {
        const std::string stem =
            std::string(diffFolder) + "/" + entry.path().stem().string() + "-" + found->first;
        writePng(legacy.renderer.ViewImage(), stem + "-legacy.png", {});
        writePng(modern.renderer.ViewImage(), stem + "-modern.png", {});
      }
    }
    std::printf("%-28s %4zu of %4zu identical (%5.1f%%)\n", entry.path().stem().c_str(),
                libraryIdentical, libraryCompared,
                libraryCompared ? 100.0 * double(libraryIdentical) / double(libraryCompared) : 0.0);
    compared += libraryCompared;
    identical += libraryIdentical;
  }
  std::printf("all                          %4zu of %4zu identical (%5.1f%%)\n", identical,
              compared, compared ? 100.0 * double(identical) / double(compared) : 0.0);
  ASSERT_GT(compared, 0u);
}

}  // namespace
}  // namespace quiral
