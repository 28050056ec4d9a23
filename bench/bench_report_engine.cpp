// Generating a two-column report of framed cells with pictures (shaped like the drawings
// catalog: six cells a page) and painting one of its pages at 96 and 300 dpi.
#include <benchmark/benchmark.h>

#include <string>

#include "report_engine/page_painter.h"
#include "report_engine/report.h"

namespace {

using namespace quiral;

constexpr int kCellsPerPage = 6;

struct CatalogLikeReport {
  TQuickRep report{"QR_BENCH"};
  TQRLabel* name = nullptr;
  TQRLabel* description = nullptr;
  TQRLabel* alias = nullptr;
  TQRImage* image = nullptr;
  int records = 0;
  int served = 0;

  CatalogLikeReport() {
    report.page().columns = 2;
    report.setZoom(80);
    TQRBand& header = report.addBand("PageHeaderBand1", BandType::PageHeader, 1902, 165);
    header.addLabel("QRLabel1", 562, 33).setCaption("Catálogo de Componentes");
    header.addLabel("QRLabel5", 615, 103).setCaption("Biblioteca: bench.lib");
    header.addSysData("QRSysData1", TQRSysData::Data::PageNumber, 1740, 99);
    header.addSysData("QRSysData2", TQRSysData::Data::DateTime, 33, 106);
    TQRBand& detail = report.addBand("QRBand1", BandType::Detail, 949, 814);
    detail.setFrame(FrameSides::all());
    name = &detail.addLabel("QRLabel2", 17, 3);
    description = &detail.addLabel("QRLabel9", 281, 36, 655, 116);
    alias = &detail.addLabel("QRLabel4", 17, 86, 225, 708);
    alias->setAutoStretch(true);
    image = &detail.addImage("QRImage1", 258, 192, 645, 592);
    image->setFrame(FrameSides::all());
    image->setCenter(true);
    TQRBand& footer = report.addBand("QRBand2", BandType::PageFooter, 1902, 89);
    footer.addLabel("QRLabel7", 926, 20).setCaption("Quiral " QUIRAL_VERSION);
    report.setNeedData([this](TQuickRep&, bool& more) { nextRecord(more); });
  }

  void nextRecord(bool& more) {
    more = served < records;
    if (!more) return;
    ++served;
    name->setCaption("74LS" + std::to_string(served));
    description->setCaption("Quad 2-input NAND gate, open collector outputs, low power Schottky");
    alias->setCaption("ALIAS 74HC00 74HCT00 74AC00 74ALS00");
    // A new drawing for every cell, as the catalog renders each component.
    Bitmap& picture = image->picture();
    if (picture.empty()) picture.resize(report.toScreenPixels(645), report.toScreenPixels(592));
    picture.clear();
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, (x + served) % picture.height(), 0);
  }
};

void BM_Generate100Pages(benchmark::State& state) {
  CatalogLikeReport r;
  for (auto _ : state) {
    r.records = 100 * kCellsPerPage;
    r.served = 0;
    r.report.prepare();
    if (r.report.qrPrinter().pageCount() != 100) state.SkipWithError("wrong page count");
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_Generate100Pages)->Unit(benchmark::kMillisecond);

void BM_PaintPage(benchmark::State& state) {
  CatalogLikeReport r;
  r.records = kCellsPerPage;
  r.report.prepare();
  const double dpi = double(state.range(0));
  const TQRPrinter& printer = r.report.qrPrinter();
  Bitmap page(int(pagePixels(printer.pageWidth(), dpi)),
              int(pagePixels(printer.pageHeight(), dpi)));
  for (auto _ : state) paintPage(printer.fontEngine(), *printer.page(1), page, dpi);
}
BENCHMARK(BM_PaintPage)->Arg(96)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
