#include "reports/fine_catalog.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/font_engine.h"
#include "reports/fine_catalog_run.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;

struct Scratch {
  testing::TempDir folder;
  const fs::path& dir = folder.path();
  size_t entries() const { return size_t(std::distance(fs::directory_iterator(dir), {})); }
};

const std::string kGates = std::string(QUIRAL_EXAMPLES_DIR) + "/74xx_gates.lib";

TEST(FineCatalogWriter, CancelLeavesNoFileAndNoTemporary) {
  Scratch scratch;
  const std::string out = (scratch.dir / "gates.pdf").string();
  FontEngine fonts;
  {
    FineCatalogWriter writer(out, FineCatalogKind::Drawings, fonts);
    EXPECT_THROW(writer.addLibrary(kGates, [](size_t done, size_t) { return done < 2; }),
                 FineCatalogCancelled);
    EXPECT_EQ(scratch.entries(), 1u);  // the temporary, while the writer lives
  }
  EXPECT_EQ(scratch.entries(), 0u);
}

TEST(FineCatalogWriter, FailuresLeaveTheTargetAloneAndNoTemporary) {
  Scratch scratch;
  FontEngine fonts;
  // A folder that does not exist cannot take the temporary file.
  EXPECT_THROW(
      FineCatalogWriter((scratch.dir / "none" / "x.pdf").string(), FineCatalogKind::List, fonts),
      FileError);
  // A library without components adds nothing; an unreadable one is refused.
  const fs::path empty = scratch.dir / "empty.lib";
  std::ofstream(empty) << "EESchema-LIBRARY Version 2.4\n#End Library\n";
  const std::string out = (scratch.dir / "out.pdf").string();
  std::ofstream(out) << "old";
  {
    FineCatalogWriter writer(out, FineCatalogKind::List, fonts);
    EXPECT_THROW(writer.addLibrary(empty.string()), QuiralError);
    EXPECT_THROW(writer.addLibrary((scratch.dir / "missing.lib").string()), FileError);
    EXPECT_EQ(writer.addLibrary(kGates), 5u);
  }
  EXPECT_EQ(testing::readBytes(out), "old");
  EXPECT_EQ(scratch.entries(), 2u);  // empty.lib and the untouched out.pdf
}

TEST(FineCatalogWriter, FinishRenamesTheDocumentIntoPlace) {
  Scratch scratch;
  const std::string out = (scratch.dir / "gates.pdf").string();
  FontEngine fonts;
  FineCatalogWriter writer(out, FineCatalogKind::Drawings, fonts);
  writer.addLibrary(kGates);
  writer.addLibrary(kGates);
  EXPECT_EQ(writer.pageCount(), 2);  // each library from a new page
  writer.finish();
  const std::string bytes = testing::readBytes(out);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
  EXPECT_EQ(scratch.entries(), 1u);
}

std::string errorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const QuiralError& error) {
    return error.what();
  }
  return "no error";
}

TEST(FineCatalogRun, AFullDiskOrAnUnwritableTargetLeavesTheTargetAloneAndNoTemporary) {
  Scratch scratch;
  FontEngine fonts;
  const std::string out = (scratch.dir / "gates.pdf").string();
  std::ofstream(out) << "old";
  auto write = [&](const std::string& target) {
    return [&fonts, target] {
      writeFineCatalog(target, FineCatalogKind::Drawings, fonts, {kGates, kGates}, "gates", false,
                       nullptr);
    };
  };
  {
    testing::FileSizeLimit full(4096);
    EXPECT_EQ(errorOf(write(out)), out + ": " + std::strerror(EFBIG));
  }
  const fs::path folder = scratch.dir / "folder.pdf";
  fs::create_directory(folder);
  EXPECT_EQ(errorOf(write(folder.string())), folder.string() + ": " + std::strerror(EISDIR));
  EXPECT_EQ(testing::readBytes(out), "old");
  EXPECT_EQ(scratch.entries(), 2u);  // the old gates.pdf and the folder
}

}  // namespace
}  // namespace quiral
