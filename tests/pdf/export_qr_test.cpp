#include "pdf/export_qr.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "pdf_test_util.h"
#include "platform/file_io.h"
#include "platform/halftone.h"

namespace quiral::testing {
namespace {

// A report whose prepared pages hold a coloured box each, further right on each page.
struct BoxReport {
  TQuickRep report{"QR_BOXES"};
  explicit BoxReport(int pages, Orientation orientation = Orientation::Portrait) {
    PageSetup setup;
    setup.orientation = orientation;
    report.qrPrinter().beginGeneration("Boxes", setup);
    for (int p = 0; p < pages; ++p) {
      PageFill fill;
      fill.box = {100 + 300 * p, 200, 350 + 300 * p, 900};
      fill.color = 0x3060C0;
      report.qrPrinter().addPage(PreparedPage{{fill}});
    }
    report.qrPrinter().endGeneration();
  }
};

struct Recorder : ExportProgress, ExportErrorBox {
  std::vector<std::string> calls;
  void start(int pageCount) override { calls.push_back("start " + std::to_string(pageCount)); }
  void pageStarted(int, int, const std::string& caption) override { calls.push_back(caption); }
  void pageDone() override { calls.push_back("step"); }
  void finish() override { calls.push_back("finish"); }
  void showExportError(const std::string& reason) override { calls.push_back("error " + reason); }
};

struct Exporter : TExportQR {
  Recorder recorder;
  Exporter() {
    setProgress(&recorder);
    setErrorBox(&recorder);
    setClock([] { return DateTime{2026, 12, 7, 23, 0, 0}; });
  }
};

TEST(ExportQr, ShowsProgressAndTakesTheOrientationOfThePreparedPages) {
  ScratchFolder folder;
  BoxReport boxes(2, Orientation::Landscape);
  boxes.report.page().orientation = Orientation::Portrait;  // the prepared pages decide
  Exporter ex;
  ex.Report = &boxes.report;
  ExportResult result = ex.ExportPDF(folder.file("catalogo"), false);
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(result.fileName, folder.file("catalogo.PDF"));
  EXPECT_EQ(ex.recorder.calls, (std::vector<std::string>{"start 2", "Page... 1 of 2", "step",
                                                         "Page... 2 of 2", "step", "finish"}));
  const std::string doc = testing::readBytes(result.fileName);
  EXPECT_NE(doc.find("/MediaBox [ 0 0 792 612]"), std::string::npos);
  EXPECT_NE(doc.find("/Filter [/DCTDecode]"), std::string::npos);
  const size_t data = doc.find("stream\r\n") + 8;
  EXPECT_EQ(inflateBytes(doc.substr(data, doc.find("endstream") - data)),
            "q\r\n712 0 0 632 52 -20 cm\r\n/Im1 Do\r\nQ\r\n");
  EXPECT_EQ(run("qpdf --check " + result.fileName + " >/dev/null"), 0);
}

TEST(ExportQr, RefusalsReachTheErrorBoxAndWriteNothing) {
  ScratchFolder folder;
  BoxReport empty(0), unfinished(2);
  unfinished.report.qrPrinter().beginGeneration("Boxes", PageSetup{});
  unfinished.report.qrPrinter().addPage(PreparedPage{});
  for (TQuickRep* report : {&empty.report, &unfinished.report, (TQuickRep*)nullptr}) {
    Exporter ex;
    ex.Report = report;
    ExportResult result = ex.ExportPDF(folder.file("none"), true);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(ex.recorder.calls, (std::vector<std::string>{"finish", "error " + result.reason}));
  }
  EXPECT_TRUE(folder.names().empty());
}

TEST(ExportQr, AWriteThatFailsMidwayLeavesTheOldFileAndNoTemporaries) {
  ScratchFolder folder, spoolParent;
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string savedTmp = oldTmp ? oldTmp : "";
  ::setenv("TMPDIR", spoolParent.path.c_str(), 1);
  BoxReport boxes(3);
  Exporter ex;
  ex.Report = &boxes.report;
  ExportResult first = ex.ExportPDF(folder.file("first"), true);
  ASSERT_TRUE(first) << first.reason;
  const auto fullSize = std::filesystem::file_size(first.fileName);
  writeFileAtomically(folder.file("target.PDF"), "the previous export");

  // Room for each page's image on its own, not for the whole document.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = rlim_t(fullSize * 2 / 3);
  const PdfParts parts = splitPdf(testing::readBytes(first.fileName));
  for (int image = 25; image <= 27; ++image)  // 3 pages: images are objects 25 to 27
    ASSERT_LT(parts.objects[image - 1].size(), small.rlim_cur);
  ::setrlimit(RLIMIT_FSIZE, &small);
  ex.recorder.calls.clear();
  ExportResult failed = ex.ExportPDF(folder.file("target"), true);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  if (savedTmp.empty())
    ::unsetenv("TMPDIR");
  else
    ::setenv("TMPDIR", savedTmp.c_str(), 1);

  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.reason, folder.file("target.PDF") + ": " + std::strerror(EFBIG));
  EXPECT_EQ(ex.recorder.calls.back(), "error " + failed.reason);
  EXPECT_EQ(testing::readBytes(folder.file("target.PDF")), "the previous export");
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"first.PDF", "target.PDF"}));
  EXPECT_TRUE(spoolParent.names().empty());
}

TEST(ExportQr, FileNameRule) {
  EXPECT_EQ(removeExtension("catalogo.pdf"), "catalogo");
  EXPECT_EQ(removeExtension("out.d/report"), "out.d/report");
  EXPECT_EQ(removeExtension("/a/b.c/x.tar.gz"), "/a/b.c/x.tar");
  EXPECT_EQ(removeExtension("dir/.hidden"), "dir/.hidden");
  EXPECT_EQ(pdfFileName(removeExtension("dir/Device.pdf")), "dir/Device.PDF");
}

}  // namespace
}  // namespace quiral::testing
