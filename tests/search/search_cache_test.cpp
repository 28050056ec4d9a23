// The facts' cache: what a load reads again, and caches that cannot be used.
#include "search/search_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "search/facts_loader.h"
#include "search_fixture.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

using testing::TempDir;
using testing::writeBytes;

class SearchCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.path() / "libs");
    writeBytes(lib("Parts.lib"), testing::kPartsLib);
    writeBytes(lib("Parts.dcm"), testing::kPartsDcm);
    writeBytes(lib("Opto.lib"), testing::kOptoLib);
  }
  std::string lib(const std::string& name) const { return (dir.path() / "libs" / name).string(); }
  LoadedFacts load() const {
    return loadSearchFacts(searchPlacesOf({(dir.path() / "libs").string()}), cachePath);
  }
  // Sets a file's modification time to `seconds` after the epoch.
  static void touch(const std::string& path, time_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  static std::string names(const LoadedFacts& loaded) {
    std::string out;
    for (const SearchedLibrary& library : loaded.libraries) {
      out += library.library + ":";
      for (const SearchedSymbol& s : library.symbols) out += " " + s.name;
      out += ";";
    }
    return out;
  }

  TempDir dir;
  std::string cachePath = dir.file("cache/quiral/search.sqlite3");
};

TEST_F(SearchCacheTest, ReadsAgainOnlyWhatChangedWasAddedOrRemoved) {
  const LoadedFacts first = load();
  EXPECT_EQ(first.readFromFiles, 2u);
  EXPECT_TRUE(first.warnings.empty());
  const LoadedFacts warm = load();
  EXPECT_EQ(warm.readFromFiles, 0u);
  EXPECT_EQ(warm.readFromCache, 2u);
  EXPECT_EQ(names(warm), names(first));
  EXPECT_EQ(warm.libraries[1].symbols[0].description, "Low-Power, Dual Operational Amplifiers");
  EXPECT_EQ(warm.libraries[1].symbols[0].footprintFilters, "SOIC*3.9x4.9mm* DIP*W7.62mm*");
  EXPECT_EQ(warm.libraries[1].symbols[0].unitCount, 2);

  // Same size, new time: read again.
  std::string changed = testing::kOptoLib;
  changed.replace(changed.find("XYZ1"), 4, "ABC2");
  writeBytes(lib("Opto.lib"), changed);
  touch(lib("Opto.lib"), 1000000);
  const LoadedFacts afterChange = load();
  EXPECT_EQ(afterChange.readFromFiles, 1u);
  EXPECT_EQ(afterChange.libraries[0].symbols[2].name, "ABC2");

  // Removed: gone from the results and from the cache.
  const FileStamp partsStamp = fileStamp(lib("Parts.lib"));
  std::filesystem::remove(lib("Parts.lib"));
  const LoadedFacts afterRemoval = load();
  EXPECT_EQ(names(afterRemoval), "Opto: OPTO K8170 ABC2;");
  EXPECT_EQ(afterRemoval.readFromFiles, 0u);
  writeBytes(lib("Parts.lib"), testing::kPartsLib);
  touch(lib("Parts.lib"), 0);
  EXPECT_FALSE(SearchCache(cachePath).find(
      std::filesystem::absolute(lib("Parts.lib")).lexically_normal().string(), partsStamp));

  // Added: read, the others taken from the cache.
  writeBytes(lib("Added.kicad_sym"), "(kicad_symbol_lib (version 20211014) (symbol \"New\"))");
  const LoadedFacts afterAdding = load();
  EXPECT_EQ(afterAdding.readFromFiles, 2u);  // Added, and Parts, written again
  EXPECT_EQ(afterAdding.readFromCache, 1u);
  EXPECT_EQ(afterAdding.libraries[0].symbols[0].name, "New");
}

TEST_F(SearchCacheTest, ADamagedCacheIsMadeAgainWithOneWarning) {
  const std::string expected = names(load());
  for (const bool truncate : {false, true}) {
    if (truncate) {
      load();  // a sound cache, then cut short
      std::filesystem::resize_file(cachePath, 1000);
    } else {
      writeBytes(cachePath, std::string(9000, 'x'));
    }
    const LoadedFacts damaged = load();
    EXPECT_EQ(names(damaged), expected);
    ASSERT_LE(damaged.warnings.size(), 1u);
    if (!truncate) {
      ASSERT_EQ(damaged.warnings.size(), 1u);
      EXPECT_NE(damaged.warnings[0].find(cachePath), std::string::npos) << damaged.warnings[0];
      EXPECT_NE(damaged.warnings[0].find("made again"), std::string::npos) << damaged.warnings[0];
    }
    const LoadedFacts after = load();
    EXPECT_TRUE(after.warnings.empty());
    EXPECT_EQ(after.readFromCache, 2u);
  }
}

TEST_F(SearchCacheTest, ACacheThatCannotBeUsedIsLeftAloneAndTheSearchGoesOn) {
  const std::string expected =
      names(loadSearchFacts(searchPlacesOf({(dir.path() / "libs").string()}), ""));
  // A folder in the cache file's place, and a file in the cache folder's place.
  std::filesystem::create_directories(cachePath);
  const std::string blockedPath = dir.file("blocked/quiral/search.sqlite3");
  writeBytes(dir.file("blocked"), "a file");
  for (const std::string& path : {cachePath, blockedPath}) {
    const LoadedFacts loaded =
        loadSearchFacts(searchPlacesOf({(dir.path() / "libs").string()}), path);
    EXPECT_EQ(names(loaded), expected);
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_NE(loaded.warnings[0].find(path), std::string::npos) << loaded.warnings[0];
    EXPECT_NE(loaded.warnings[0].find("without it"), std::string::npos) << loaded.warnings[0];
  }
  EXPECT_TRUE(std::filesystem::is_directory(cachePath));
}

}  // namespace
}  // namespace quiral
