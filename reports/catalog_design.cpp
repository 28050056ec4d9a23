#include "reports/catalog_design.h"

#include "platform/text_codec.h"
#include "report_engine/report.h"

namespace quiral {

const char* const kCatalogHeading = "Catálogo de Componentes";
const char* const kCatalogPageCaption = "Página:";
const char* const kCatalogFooter =
    "Quiral " QUIRAL_VERSION " - Visualizador/Catálogo de componentes p/KiCad";
const char* const kLibraryCaptionPrefix = "Biblioteca: ";
const char* const kPreviewTitlePrefix = "Visão prévia lib: ";

FontSpec arial(int pointSize, bool bold, Color color) {
  FontSpec font;
  font.face = "Arial";
  font.pointSize = pointSize;
  font.bold = bold;
  font.color = color;
  return font;
}

TQRLabel& textLabel(TQRBand& band, const char* name, int32_t left, int32_t top,
                    const FontSpec& font, const std::string& caption) {
  TQRLabel& label = band.addLabel(name, left, top);
  label.setAutoSize(true);
  label.setFont(font);
  label.setCaption(caption);
  return label;
}

TQRLabel& wrappedLabel(TQRBand& band, const char* name, int32_t left, int32_t top, int32_t width,
                       int32_t height, const FontSpec& font, bool grows) {
  TQRLabel& label = band.addLabel(name, left, top, width, height);
  label.setAutoSize(false);
  label.setWordWrap(true);
  label.setAutoStretch(grows);
  label.setFont(font);
  return label;
}

TQRSysData& sysDataLabel(TQRBand& band, const char* name, TQRSysData::Data data, int32_t left,
                         int32_t top, const FontSpec& font) {
  TQRSysData& label = band.addSysData(name, data, left, top);
  label.setAutoSize(true);
  label.setFont(font);
  return label;
}

void setUpCatalogPage(TQuickRep& report, const CatalogGeometry& geometry) {
  PageSetup& page = report.page();
  page.paper = PaperSize::A4;
  page.orientation = Orientation::Portrait;
  page.topMargin = page.bottomMargin = page.leftMargin = page.rightMargin = geometry.margin;
  page.columns = 2;
  page.columnSpace = 0;
  report.setUnits(ReportUnits::Millimetres);
  report.setZoom(geometry.designZoom);
  report.setDefaultFont(arial(10));
  report.setHeaderOnFirstPage(true);
  report.setFooterOnLastPage(true);
  report.setPrintIfEmpty(true);
  PrinterSettings& printer = report.printerSettings();
  printer.copies = 1;
  printer.duplex = geometry.duplex;
  printer.bin = PaperBin::Auto;
}

void nameLibrary(TQuickRep& report, const std::string& libraryFileName, PageLanguage language) {
  const PageWords& words = pageWordsIn(language);
  const std::string shown = displayText(libraryFileName);
  const std::pair<const char*, std::string> captions[] = {
      {"QRLabel1", words.heading},
      {"QRLabel5", words.libraryCaption + shown},
      {"QRLabel6", words.pageCaption},
      {"QRLabel7", words.footer}};
  for (const auto& [name, text] : captions)
    if (TQRLabel* label = report.find<TQRLabel>(name)) label->setCaption(text);
  report.setReportTitle(words.previewTitle + shown);
}

}  // namespace quiral
