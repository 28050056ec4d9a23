#include "library/library_browser.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "library/text_words.h"
#include "platform/error.h"
#include "recording_renderer.h"
#include "test_files.h"

namespace quiral {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;
using testing::fixture;
using testing::RecordingRenderer;
using testing::TempDir;

const std::string kFolder = std::string(QUIRAL_TEST_DATA_DIR) + "/library";

struct Browser {
  RecordingRenderer renderer;
  LibraryBrowser browser{&renderer};

  void load(const std::string& name) { browser.LoadLibrary(kFolder, name); }
  const Lines& show(int index) {
    browser.components().select(index);
    browser.ShowComponent();
    return browser.memo();
  }
};

TEST(LibraryBrowser, EveryLineEndListsTheSameComponents) {
  for (const char* name : {"three_crlf.lib", "three_lf.lib", "three_cr.lib"}) {
    SCOPED_TRACE(name);
    Browser b;
    b.load(name);
    EXPECT_EQ(b.browser.CurrentLibraryPath(), kFolder + "/" + name);
    EXPECT_EQ(b.browser.components().entries(), (Lines{"R_Small", "LED", "Q_NPN"}));
    // Loading selects and shows the first entry.
    EXPECT_EQ(b.browser.components().selectedIndex(), 0);
    ASSERT_EQ(b.renderer.rendered.size(), 1u);
    const Lines& memo = b.renderer.rendered[0];
    ASSERT_EQ(memo.size(), 8u);
    EXPECT_EQ(memo.front(), "DEF R_Small R 0 40 Y Y 1 F N");
    EXPECT_EQ(memo[1], "F0 \"R\" 0 150 50 H V C CNN");
    EXPECT_EQ(memo.back(), "ENDDEF");

    const Lines& led = b.show(1);
    ASSERT_EQ(led.size(), 9u);
    EXPECT_EQ(led[3], "ALIAS LED_Red LED_Green");
    EXPECT_EQ(b.renderer.rendered.size(), 2u);
  }
}

TEST(LibraryBrowser, NothingAfterByte26IsRead) {
  Browser b;
  b.load("eof_marker.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"R_Small", "LED"}));
  EXPECT_EQ(b.show(1).back(), "ENDDEF");
}

TEST(LibraryBrowser, KeywordsInAnyCaseAndLinesByteForByte) {
  Browser b;
  b.load("lowercase_def.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"mycomp", "Indented"}));
  EXPECT_EQ(b.show(0), (Lines{"def mycomp U 0 40 Y Y 1 F N", "f1 \"mycomp\" 0 0 50 H V C CNN",
                              "draw", "s 0 0 10 10 0 1 0 N", "enddraw", "enddef"}));
  EXPECT_EQ(b.show(1),
            (Lines{"  DEF Indented U 0 40 Y Y 1 F N", "  F0 \"U\" 0 0 50 H V C CNN", "  ENDDEF"}));
}

TEST(LibraryBrowser, DuplicateNamesShowTheFirstBlockOfThatName) {
  Browser b;
  b.load("duplicates.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"DUP", "Other", "DUP", "dup"}));
  for (int i : {0, 2, 3}) EXPECT_EQ(b.show(i)[1], "F0 \"A\" 0 150 50 H V C CNN") << i;
  EXPECT_EQ(b.show(1)[1], "F0 \"B\" 0 150 50 H V C CNN");
}

TEST(LibraryBrowser, OneWordDefIsAnEmptyEntryThatCanBeShown) {
  Browser b;
  b.load("one_word_def.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"Named", ""}));
  EXPECT_EQ(b.show(1), (Lines{"DEF", "F0 \"X\" 0 0 50 H V C CNN", "ENDDEF"}));
}

TEST(LibraryBrowser, MissingEnddefRunsOnToTheNextEnddefOrTheEnd) {
  Browser b;
  b.load("missing_enddef.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"Open", "After", "Tail"}));
  const Lines& open = b.show(0);
  ASSERT_EQ(open.size(), 11u);
  EXPECT_EQ(open[8], "DEF After F 0 40 Y Y 1 F N");
  EXPECT_EQ(open.back(), "ENDDEF");
  EXPECT_EQ(b.show(2), (Lines{"DEF Tail T 0 40 Y Y 1 F N", "F0 \"T\" 0 150 50 H V C CNN", "DRAW",
                              "ENDDRAW", "#", "#End Library"}));
}

TEST(LibraryBrowser, NulBytesAreOrdinaryBytes) {
  Browser b;
  b.load("nul_bytes.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"NU\0L"s, "Plain"}));
  EXPECT_EQ(b.show(0)[1], "F0 \"\0\" 0 0 50 H V C CNN"s);
  EXPECT_EQ(b.show(1).front(), "DEF Plain P 0 40 Y Y 1 F N");
}

TEST(LibraryBrowser, LibraryWithoutDefKeepsTheShownComponent) {
  Browser b;
  b.load("three_lf.lib");
  Lines shown = b.browser.memo();
  b.load("no_def.lib");
  EXPECT_TRUE(b.browser.components().empty());
  EXPECT_FALSE(b.browser.components().hasSelection());
  EXPECT_EQ(b.browser.CurrentLibraryPath(), kFolder + "/no_def.lib");
  EXPECT_EQ(b.browser.memo(), shown);
  EXPECT_EQ(b.renderer.rendered.size(), 1u);
}

TEST(LibraryBrowser, NoSelectionOrNoLibraryRendersNothing) {
  Browser b;
  b.load("three_lf.lib");
  b.browser.components().select(-1);
  b.browser.ShowComponent();  // no selection: nothing changes
  EXPECT_EQ(b.browser.memo().size(), 8u);

  b.browser.LoadLibrary(kFolder, std::nullopt);  // no file selected: the list is emptied
  EXPECT_TRUE(b.browser.components().empty());
  EXPECT_EQ(b.browser.CurrentLibraryPath(), kFolder + "/three_lf.lib");

  Browser fresh;  // a selection but no library in use: the memo is emptied, nothing drawn
  fresh.browser.components().append("R");
  fresh.browser.components().select(0);
  fresh.browser.ShowComponent();
  EXPECT_TRUE(fresh.browser.memo().empty());
  EXPECT_TRUE(fresh.renderer.rendered.empty());
  EXPECT_EQ(b.renderer.rendered.size(), 1u);
}

TEST(LibraryBrowser, HiddenLoaderListsWithoutShowing) {
  Browser b;
  b.browser.B_carregarClick(fixture("three_crlf.lib"));
  EXPECT_EQ(b.browser.CurrentLibraryPath(), fixture("three_crlf.lib"));
  EXPECT_EQ(b.browser.components().size(), 3u);
  EXPECT_FALSE(b.browser.components().hasSelection());
  EXPECT_TRUE(b.renderer.rendered.empty());
  b.browser.B_carregarClick("");
  EXPECT_TRUE(b.browser.components().empty());
  EXPECT_EQ(b.browser.CurrentLibraryPath(), fixture("three_crlf.lib"));
}

TEST(LibraryBrowser, NameGoneFromTheFileRendersAnEmptyMemo) {
  TempDir dir;
  testing::writeBytes(dir.file("x.lib"), testing::readBytes(fixture("three_lf.lib")));
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "x.lib");
  testing::writeBytes(dir.file("x.lib"), testing::readBytes(fixture("no_def.lib")));
  b.show(2);
  EXPECT_TRUE(b.browser.memo().empty());
  ASSERT_EQ(b.renderer.rendered.size(), 2u);
  EXPECT_TRUE(b.renderer.rendered[1].empty());
}

TEST(LibraryBrowser, FailuresStopWithThePlatformMessageAndKeepWhatWasRead) {
  TempDir dir;
  testing::writeBytes(dir.file("x.lib"), testing::readBytes(fixture("three_lf.lib")));
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "x.lib");
  const Lines shown = b.browser.memo();

  // A missing file: the list is empty, the path already names it, the lines and the drawing of
  // the earlier component are gone.
  try {
    b.browser.LoadLibrary(dir.path().string(), "gone.lib");
    ADD_FAILURE() << "loaded a missing file";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), dir.file("gone.lib") + ": " + std::strerror(ENOENT));
  }
  EXPECT_TRUE(b.browser.components().empty());
  EXPECT_EQ(b.browser.CurrentLibraryPath(), dir.file("gone.lib"));
  EXPECT_TRUE(b.browser.memo().empty());
  ASSERT_EQ(b.renderer.rendered.size(), 2u);
  EXPECT_TRUE(b.renderer.rendered[1].empty());
  EXPECT_FALSE(shown.empty());

  // A folder in place of the library.
  std::filesystem::create_directory(dir.file("folder.lib"));
  EXPECT_THROW(b.browser.B_carregarClick(dir.file("folder.lib")), FileError);

  // The file vanishes between listing and showing: the memo is emptied, the drawing blank.
  b.browser.B_carregarClick(dir.file("x.lib"));
  std::filesystem::remove(dir.file("x.lib"));
  b.browser.components().select(1);
  EXPECT_THROW(b.browser.ShowComponent(), FileError);
  EXPECT_TRUE(b.browser.memo().empty());
  ASSERT_EQ(b.renderer.rendered.size(), 3u);
  EXPECT_TRUE(b.renderer.rendered[2].empty());
  EXPECT_EQ(b.browser.components().size(), 3u);
}

TEST(LibraryBrowser, GarbageNeverBreaksTheListOrItsBlocks) {
  TempDir dir;
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"DEF ", "def",  "ENDDEF",    " ",   "\r",
                                           "\n",   "\r\n", "\0"s,       "\"",  "x",
                                           "\xff", "\t",   "DEF  \t A", "\x1a"};
  for (int round = 0; round < 30; ++round) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += pieces[random() % (pieces.size() - (round % 3 ? 1 : 0))];
    testing::writeBytes(dir.file("g.lib"), text);
    Browser b;
    b.browser.LoadLibrary(dir.path().string(), "g.lib");
    for (size_t i = 0; i < b.browser.components().size(); ++i) {
      const Lines& memo = b.show(int(i));
      ASSERT_FALSE(memo.empty()) << "round " << round << " entry " << i;
      EXPECT_TRUE(equalsUpper(keywordOf(memo.front()), "DEF"));
    }
  }
}

TEST(LibraryBrowser, EntryWithControlBytesAtItsEndsFindsItsBlock) {
  TempDir dir;
  testing::writeBytes(dir.file("t.lib"), "DEF Other\t 0\nENDDEF\nDEF Tab\t 0\nX\nENDDEF\n");
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "t.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"Other\t", "Tab\t"}));
  EXPECT_EQ(b.show(1), (Lines{"DEF Tab\t 0", "X", "ENDDEF"}));
}

TEST(LibraryBrowser, AFiftyMegabyteLineIsOneLine) {
  TempDir dir;
  std::string text = "DEF Big U 0 40 Y Y 1 F N ";
  text.append(50u * 1024 * 1024, 'y');
  text += "\nENDDEF\n";
  testing::writeBytes(dir.file("big.lib"), text);
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "big.lib");
  EXPECT_EQ(b.browser.components().entries(), (Lines{"Big"}));
  ASSERT_EQ(b.browser.memo().size(), 2u);
  EXPECT_EQ(b.browser.memo()[0].size(), text.size() - 8);
}

TEST(LibraryBrowser, AFileChangedOnDiskIsReadAnewEvenAtTheSameSize) {
  // Two libraries of one size whose blocks stand at other places and hold other lines.
  const std::string first = "DEF A 0\nX 1\nENDDEF\nDEF B 0\nX 2\nENDDEF\n";
  const std::string second = "DEF B 0\nX 3\nENDDEF\nDEF A 0\nX 4\nENDDEF\n";
  ASSERT_EQ(first.size(), second.size());
  TempDir dir;
  const std::string path = dir.file("t.lib");
  testing::writeBytes(path, first);
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "t.lib");
  EXPECT_EQ(b.show(1), (Lines{"DEF B 0", "X 2", "ENDDEF"}));

  // Rewritten with a later modification time.
  const auto written = std::filesystem::last_write_time(path);
  testing::writeBytes(path, second);
  std::filesystem::last_write_time(path, written + std::chrono::seconds(5));
  EXPECT_EQ(b.show(1), (Lines{"DEF B 0", "X 3", "ENDDEF"}));
  EXPECT_EQ(b.show(0), (Lines{"DEF A 0", "X 4", "ENDDEF"}));

  // Rewritten and given its old time back: where the blocks were noted no longer names them, so
  // the file is walked from its start.
  testing::writeBytes(path, first);
  std::filesystem::last_write_time(path, written + std::chrono::seconds(5));
  EXPECT_EQ(b.show(1), (Lines{"DEF B 0", "X 2", "ENDDEF"}));
  EXPECT_EQ(b.show(0), (Lines{"DEF A 0", "X 1", "ENDDEF"}));
}

TEST(LibraryBrowser, EveryBlockOfALongLibraryIsFoundWhereItStands) {
  // Thousands of blocks with mixed line ends, across many buffer refills, and a name repeated
  // in another letter case: each entry shows its own block, the repeated one its first.
  TempDir dir;
  std::string text = "EESchema-LIBRARY Version 2.4\r\n";
  const char* ends[] = {"\n", "\r\n", "\r"};
  for (int i = 0; i < 3000; ++i) {
    const std::string end = ends[i % 3];
    const std::string name = "C" + std::to_string(i);
    text += "DEF " + name + " U 0" + end + "F1 \"" + name + "\"" + end + std::string(i % 50, '#') +
            end + "ENDDEF" + end;
  }
  text += "DEF c7 U 0\nF1 \"again\"\nENDDEF\n";
  testing::writeBytes(dir.file("long.lib"), text);
  Browser b;
  b.browser.LoadLibrary(dir.path().string(), "long.lib");
  ASSERT_EQ(b.browser.components().size(), 3001u);
  for (int i : {0, 1, 2, 7, 1234, 2999, 1500, 3}) {
    const std::string name = "C" + std::to_string(i);
    EXPECT_EQ(b.show(i), (Lines{"DEF " + name + " U 0", "F1 \"" + name + "\"",
                                std::string(size_t(i % 50), '#'), "ENDDEF"}));
  }
  EXPECT_EQ(b.show(3000)[1], "F1 \"C7\"");
}

TEST(DocumentationFileName, ReplacesTheExtensionAndDropsTheFolder) {
  EXPECT_EQ(documentationFileName("/usr/share/kicad/library/Device.lib"), "Device.dcm");
  EXPECT_EQ(documentationFileName("74xx_gates.LIB"), "74xx_gates.dcm");
  EXPECT_EQ(documentationFileName("/a.b/c.d.lib"), "c.d.dcm");
  EXPECT_EQ(documentationFileName("/a.b/noext"), "noext.dcm");
  EXPECT_EQ(joinPath("/lib", "x.lib"), "/lib/x.lib");
  EXPECT_EQ(joinPath("/", "x.lib"), "/x.lib");
}

}  // namespace
}  // namespace quiral
