// Every library of the KiCad corpus (any folder of KiCad libraries will do) lists one entry per DEF
// line, and every entry shows a block from a DEF line of that name through an ENDDEF line.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "library/library_browser.h"
#include "library/text_words.h"
#include "recording_renderer.h"
#include "test_files.h"

namespace quiral {
namespace {

using testing::corpusLibraries;

// Counted without the reader under test: any of CR, LF or CR LF ends a line, byte 26 ends the text.
size_t countDefLines(std::string bytes) {
  bytes = bytes.substr(0, bytes.find('\x1a'));
  std::replace(bytes.begin(), bytes.end(), '\r', '\n');
  size_t count = 0;
  std::istringstream in(bytes);
  std::string line, first;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    if (words >> first && toUpperAscii(first) == "DEF") ++count;
  }
  return count;
}

std::string secondWord(const std::string& line) {
  std::istringstream words(line);
  std::string first, second;
  words >> first >> second;
  return second;
}

TEST(Corpus, EveryLibraryListsEachDefAndShowsEachBlock) {
  const auto libs = corpusLibraries();
  ASSERT_FALSE(libs.empty()) << "no KiCad library found under " << QUIRAL_CORPUS_DIR << "/kicad5";
  for (const std::filesystem::path lib : libs) {
    SCOPED_TRACE(lib.filename().string());
    testing::RecordingRenderer renderer;
    LibraryBrowser browser(&renderer);
    browser.LoadLibrary(lib.parent_path().string(), lib.filename().string());
    const ComponentList& list = browser.components();
    ASSERT_EQ(list.size(), countDefLines(testing::readBytes(lib.string())));
    for (size_t i = 0; i < list.size(); ++i) {
      browser.components().select(int(i));
      browser.ShowComponent();
      const auto& memo = browser.memo();
      ASSERT_GE(memo.size(), 2u) << list[i];
      EXPECT_TRUE(equalsUpper(keywordOf(memo.front()), "DEF")) << list[i];
      EXPECT_EQ(toUpperAscii(secondWord(memo.front())), toUpperAscii(list[i]));
      EXPECT_TRUE(equalsUpper(keywordOf(memo.back()), "ENDDEF")) << list[i];
      // Exactly one ENDDEF: the block stops at the first one.
      EXPECT_EQ(
          std::count_if(memo.begin(), memo.end(),
                        [](const std::string& l) { return equalsUpper(keywordOf(l), "ENDDEF"); }),
          1)
          << list[i];
    }
    // The load shows the first entry too, when there is one.
    EXPECT_EQ(renderer.rendered.size(), list.size() + (list.empty() ? 0 : 1));
  }
}

}  // namespace
}  // namespace quiral
