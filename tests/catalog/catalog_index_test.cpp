// Building the catalog index from the files of a folder, and searching, showing and sorting it.
#include "catalog/catalog_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "library/folder_listing.h"
#include "platform/error.h"
#include "test_files.h"

namespace quiral {
namespace {

using testing::TempDir;
using testing::writeBytes;

class CatalogIndexTest : public ::testing::Test {
 protected:
  void write(const std::string& name, const std::string& bytes) {
    writeBytes(dir.file(name), bytes);
  }
  void build() {
    files.showFolder(dir.path().string());
    index.BitBtn1Click(files);
  }
  // The name rows in their current order, as "alias/lib/nr".
  std::vector<std::string> names() const {
    const MemoryTable& t = index.RxMD_principal();
    std::vector<std::string> out;
    for (size_t r = 0; r < t.RecordCount(); ++r) {
      out.push_back(std::string(t.text(r, PrincipalField::alias)) + "/" +
                    std::string(t.text(r, PrincipalField::lib)) + "/" +
                    t.displayText(r, PrincipalField::nr_principal));
    }
    return out;
  }
  std::string current(const MemoryTable& t, size_t field) const {
    return t.currentRow() < 0 ? "<none>" : t.displayText(size_t(t.currentRow()), field);
  }
  std::string currentAlias() const {
    return current(index.RxMD_principal(), PrincipalField::alias);
  }
  std::string shownBlock() const { return current(index.RxMD_comp(), CompField::Comandos); }

  TempDir dir;
  FileList files;
  CatalogIndex index;
};

TEST_F(CatalogIndexTest, AnEmptyFileListLeavesEveryTableEmpty) {
  write("notes.txt", "DEF X X 0 0 N Y 1 F N\nENDDEF\n");
  build();
  EXPECT_EQ(index.modelCount(), 0u);
  EXPECT_EQ(index.nameCount(), 0u);
  EXPECT_EQ(index.RxMD_lib().RecordCount(), 0u);
  EXPECT_EQ(files.selectedIndex(), -1);
  EXPECT_FALSE(index.BitBtn2Click(""));
}

TEST_F(CatalogIndexTest, BlocksAliasesAndSameNamesInTwoLibraries) {
  write("b.lib",
        "EESchema-LIBRARY Version 2.3\r\n"
        "def dual U 0 40 Y Y 1 F N\r\n"
        "F0 \"U\" 0 0 50 H V C CNN\r\n"
        "alias A74 b75 c76\r\n"
        "enddef\r\n");
  write("A.LIB", "DEF Dual U 0 40 Y Y 1 F N\nENDDEF\nENDDEF\n");
  build();

  EXPECT_EQ(index.modelCount(), 2u);
  EXPECT_EQ(index.nameCount(), 5u);
  // A.LIB is read first (case-blind order), so its block is model 1; names are sorted by alias
  // ignoring case, and alias names keep their case while block names are upper-cased.
  EXPECT_EQ(names(), (std::vector<std::string>{"A74/b.lib/2", "b75/b.lib/2", "c76/b.lib/2",
                                               "DUAL/A.LIB/1", "DUAL/b.lib/2"}));
  EXPECT_EQ(index.RxMD_lib().text(0, LibField::lib), "A.LIB");
  EXPECT_EQ(files.selectedIndex(), 1) << "the walk rests on the last file";

  // Blocks sorted by library then name; the first is current.
  const MemoryTable& comp = index.RxMD_comp();
  EXPECT_EQ(comp.text(1, CompField::Lib), "b.lib");
  EXPECT_EQ(comp.text(1, CompField::Principal), "DUAL");
  EXPECT_EQ(comp.text(1, CompField::Alias), "alias A74 b75 c76");
  EXPECT_EQ(comp.text(1, CompField::Comandos),
            "def dual U 0 40 Y Y 1 F N\rF0 \"U\" 0 0 50 H V C CNN\ralias A74 b75 c76\renddef\r");
  EXPECT_EQ(comp.displayText(1, CompField::Elementos), "");
  EXPECT_EQ(shownBlock(), "DEF Dual U 0 40 Y Y 1 F N\rENDDEF\r");

  // Each name shows its own block.
  index.RxMD_principal().setCurrentRow(4);
  index.DBGrid2CellClick();
  EXPECT_EQ(current(comp, CompField::nr_principal), "2");
  index.RxMD_principal().setCurrentRow(3);
  index.DBGrid2CellClick();
  EXPECT_EQ(current(comp, CompField::Lib), "A.LIB");
}

TEST_F(CatalogIndexTest, OpenBlocksRunIntoTheNextFileAndAreKeptAtTheEnd) {
  write("1.lib", "ALIAS EARLY\nDEF FIRST U 0 0 Y Y 1 F N\nX A 1 0 0 100 R 50 50 1 1 I\n");
  write("2.lib",
        "DEF SWALLOWED U 0 0 Y Y 1 F N\nENDDEF\n"
        "ALIAS STRAY\n"
        "DEF OPEN U 0 0 Y Y 1 F N\nS 0 0 1 1 0 1 0 N\n");
  build();
  // An ALIAS line outside a block names rows only: before any block with nothing to belong to,
  // later with the last block's name, number and library.
  EXPECT_EQ(names(), (std::vector<std::string>{"EARLY//0", "FIRST/1.lib/1", "OPEN/2.lib/2",
                                               "STRAY/1.lib/1"}));
  EXPECT_EQ(index.modelCount(), 2u);
  const MemoryTable& comp = index.RxMD_comp();
  EXPECT_EQ(comp.text(0, CompField::Comandos),
            "DEF FIRST U 0 0 Y Y 1 F N\rX A 1 0 0 100 R 50 50 1 1 I\r"
            "DEF SWALLOWED U 0 0 Y Y 1 F N\rENDDEF\r");
  EXPECT_EQ(comp.text(0, CompField::Alias), "");
  EXPECT_EQ(comp.text(1, CompField::Comandos), "DEF OPEN U 0 0 Y Y 1 F N\rS 0 0 1 1 0 1 0 N\r");
}

TEST_F(CatalogIndexTest, SearchFindsByPrefixInTheCurrentOrder) {
  write("z.lib", "DEF 74LS00 U 0 0 Y Y 1 F N\nENDDEF\nDEF AND U 0 0 Y Y 1 F N\nENDDEF\n");
  write("a.lib", "DEF 74hc04 U 0 0 Y Y 1 F N\nalias 74Zz\nENDDEF\n");
  build();
  EXPECT_EQ(currentAlias(), "74HC04");
  index.RxMD_principal().setCurrentRow(3);  // AND, which does not match
  EXPECT_TRUE(index.BitBtn2Click("74l"));
  EXPECT_EQ(currentAlias(), "74LS00");
  EXPECT_EQ(shownBlock(), "DEF 74LS00 U 0 0 Y Y 1 F N\rENDDEF\r");
  EXPECT_TRUE(index.BitBtn2Click("74")) << "a matching current row is kept";
  EXPECT_EQ(currentAlias(), "74LS00");
  EXPECT_FALSE(index.BitBtn2Click("75"));
  EXPECT_EQ(currentAlias(), "74LS00");

  index.DBGrid2TitleClick(1);  // by library: a.lib's names come first
  EXPECT_EQ(names().front(), "74HC04/a.lib/1");
  index.RxMD_principal().setCurrentRow(3);
  EXPECT_TRUE(index.BitBtn2Click("74"));
  EXPECT_EQ(currentAlias(), "74HC04");
  index.DBGrid2TitleClick(0);
  EXPECT_EQ(names(), (std::vector<std::string>{"74HC04/a.lib/1", "74LS00/z.lib/2", "74Zz/a.lib/1",
                                               "AND/z.lib/3"}));
}

TEST_F(CatalogIndexTest, LongNamesAndAliasLinesAreKeptWhole) {
  const std::string name(40, 'N');
  std::string aliasLine = "ALIAS";
  for (int i = 0; i < 30; ++i) aliasLine += " ALIAS_NAME_" + std::to_string(i);
  write("very_long_library_file_name.lib",
        "DEF " + name + " U 0 0 Y Y 1 F N\n" + aliasLine + "\nENDDEF\n");
  build();
  ASSERT_EQ(index.nameCount(), 31u);
  const MemoryTable& comp = index.RxMD_comp();
  EXPECT_EQ(comp.text(0, CompField::Principal), name);
  EXPECT_EQ(comp.text(0, CompField::Lib), "very_long_library_file_name.lib");
  EXPECT_EQ(comp.text(0, CompField::Alias), aliasLine);
}

TEST_F(CatalogIndexTest, AFailedReadKeepsWhatWasReadSortedAndPassesTheErrorOn) {
  write("a.lib", "DEF ZETA U 0 0 Y Y 1 F N\nENDDEF\nDEF ALPHA U 0 0 Y Y 1 F N\n");
  std::filesystem::create_directory(dir.path() / "b.lib");
  FileList list(dir.path().string(), {"a.lib", "b.lib", "c.lib"});
  EXPECT_THROW(index.BitBtn1Click(list), FileError);
  EXPECT_EQ(list.selectedIndex(), 1);
  EXPECT_EQ(index.modelCount(), 2u);
  EXPECT_EQ(index.RxMD_lib().RecordCount(), 1u) << "a folder is refused when it is opened";
  EXPECT_EQ(currentAlias(), "ALPHA");
  EXPECT_EQ(shownBlock(), "DEF ALPHA U 0 0 Y Y 1 F N\r");
  // The next build starts afresh.
  write("c.lib", "DEF ONLY U 0 0 Y Y 1 F N\nENDDEF\n");
  FileList good(dir.path().string(), {"c.lib"});
  index.BitBtn1Click(good);
  EXPECT_EQ(names(), std::vector<std::string>{"ONLY/c.lib/1"});
}

TEST(CatalogIndexCorpus, EveryBlockHasItsOwnNameRowAndNumber) {
  FileList files;
  const std::string corpus = std::string(QUIRAL_CORPUS_DIR) + "/kicad5";
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << "no KiCad corpus at " << corpus;
  files.showFolder(corpus);
  CatalogIndex index;
  index.BitBtn1Click(files);
  const MemoryTable& names = index.RxMD_principal();
  const MemoryTable& comp = index.RxMD_comp();
  std::map<int32_t, std::string> ownNameRows;  // model number -> library
  for (size_t r = 0; r < names.RecordCount(); ++r) {
    if (names.text(r, PrincipalField::alias) == names.text(r, PrincipalField::principal))
      ownNameRows[*names.integer(r, PrincipalField::nr_principal)] =
          names.text(r, PrincipalField::lib);
  }
  ASSERT_GT(comp.RecordCount(), 0u);
  EXPECT_EQ(ownNameRows.size(), comp.RecordCount()) << "model numbers are distinct";
  for (size_t r = 0; r < comp.RecordCount(); ++r) {
    EXPECT_EQ(ownNameRows[*comp.integer(r, CompField::nr_principal)], comp.text(r, CompField::Lib));
  }
}

}  // namespace
}  // namespace quiral
