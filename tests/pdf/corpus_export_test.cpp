// Catalogs of real libraries exported and read back by real PDF readers: every page renders, and
// every image that comes back out is the halftoned page picture it was made from.
#include <gtest/gtest.h>

#include <filesystem>

#include "pdf/export_qr.h"
#include "pdf_test_util.h"
#include "platform/halftone.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace quiral::testing {
namespace {

struct CorpusCatalog {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};

  CorpusCatalog(const std::string& library, CatalogKind kind) {
    commands.setReports(&form3, &lista);
    session.browser.LoadLibrary(std::string(QUIRAL_CORPUS_DIR) + "/kicad5", library);
    EXPECT_EQ(commands.runWithoutWindow(kind), CatalogCommands::Outcome::Ready);
  }
  TQuickRep& report() { return *commands.CurrentReport(); }
};

void exportAndReadBack(const std::string& library, CatalogKind kind, int pagesToCompare) {
  SCOPED_TRACE(library);
  ScratchFolder folder;
  CorpusCatalog catalog(library, kind);
  const TQRPrinter& pages = catalog.report().qrPrinter();
  ASSERT_GT(pages.pageCount(), 0);
  TExportQR exporter;
  exporter.Report = &catalog.report();
  ExportResult result = exporter.ExportPDF(folder.file("catalog"), true);
  ASSERT_TRUE(result) << result.reason;
  const std::string pdf = result.fileName;
  EXPECT_EQ(run("qpdf --check " + pdf + " >/dev/null"), 0);
  EXPECT_EQ(run("pdftoppm -r 8 -gray " + pdf + " " + folder.file("view")), 0);
  int rendered = 0;
  for (const std::string& name : folder.names()) rendered += name.starts_with("view-");
  EXPECT_EQ(rendered, pages.pageCount());
  // Pages from both ends, one at a time to keep the extracted pictures few.
  for (int i = 1; i <= pages.pageCount(); ++i) {
    if (i > pagesToCompare && i <= pages.pageCount() - pagesToCompare) continue;
    const std::string prefix = folder.file("img" + std::to_string(i));
    ASSERT_EQ(run("pdfimages -f " + std::to_string(i) + " -l " + std::to_string(i) + " " + pdf +
                  " " + prefix),
              0);
    EXPECT_EQ(ppmPixels(prefix + "-000.ppm"), rgbOf(toHalftone(*pages.pagePicture(i))))
        << "page " << i;
    std::filesystem::remove(prefix + "-000.ppm");
  }
}

TEST(CorpusExport, CatalogsAreReadBackPageForPage) {
  ASSERT_TRUE(std::filesystem::exists(std::string(QUIRAL_CORPUS_DIR) + "/kicad5/Device.lib"))
      << "no corpus at " << QUIRAL_CORPUS_DIR;
  exportAndReadBack("Device.lib", CatalogKind::Drawings, 2);
  exportAndReadBack("Valve.lib", CatalogKind::Drawings, 99);
  exportAndReadBack("Valve.lib", CatalogKind::List, 99);
}

}  // namespace
}  // namespace quiral::testing
