#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "report_engine/band.h"
#include "report_engine/printer.h"
#include "report_engine/report_clock.h"
#include "report_engine/report_generator.h"
#include "report_engine/report_types.h"
#include "report_engine/text_layout.h"

namespace quiral {

class PreviewRegistry;
class PreviewWindow;

// A banded report: page setup, a page header, a detail band printed once per record and a page
// footer, laid out in columns on as many pages as the records need. The records come from the
// need-data hook, asked before each detail band; the pages go to the report's printer object.
class TQuickRep {
 public:
  // Called when a generation starts (rewind the data); clearing `printReport` cancels it.
  using BeforePrintHook = std::function<void(TQuickRep& report, bool& printReport)>;
  // Called before each detail band: fill the elements and set `moreData` when there is a record.
  // The band is printed with what its elements hold; the first "no more data" ends the report.
  using NeedDataHook = std::function<void(TQuickRep& report, bool& moreData)>;

  explicit TQuickRep(std::string name);
  virtual ~TQuickRep();
  TQuickRep(const TQuickRep&) = delete;
  TQuickRep& operator=(const TQuickRep&) = delete;

  // The component name, e.g. "QR_FIG".
  const std::string& name() const { return name_; }

  PageSetup& page() { return page_; }
  const PageSetup& page() const { return page_; }
  PrinterSettings& printerSettings() { return printerSettings_; }
  const PrinterSettings& printerSettings() const { return printerSettings_; }

  ReportUnits units() const { return units_; }
  void setUnits(ReportUnits u) { units_ = u; }
  // The zoom in percent at which the report was designed; pictures drawn for it use it.
  int zoom() const { return zoom_; }
  void setZoom(int percent) { zoom_ = percent; }
  // Pixels on a 96 dpi screen at the design zoom for a length in tenths of a millimetre.
  int toScreenPixels(int32_t tenths) const;

  const FontSpec& defaultFont() const { return defaultFont_; }
  void setDefaultFont(const FontSpec& f) { defaultFont_ = f; }

  bool headerOnFirstPage() const { return headerOnFirstPage_; }
  void setHeaderOnFirstPage(bool on) { headerOnFirstPage_ = on; }
  bool footerOnLastPage() const { return footerOnLastPage_; }
  void setFooterOnLastPage(bool on) { footerOnLastPage_ = on; }
  // A report without records still produces its page with header and footer.
  bool printIfEmpty() const { return printIfEmpty_; }
  void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }

  // Becomes the prepared pages' title (the preview window's caption).
  const std::string& reportTitle() const { return reportTitle_; }
  void setReportTitle(std::string title) { reportTitle_ = std::move(title); }

  // Bands: the first band of each type is the one printed.
  TQRBand& addBand(std::string name, BandType type, int32_t width, int32_t height);
  TQRBand* band(BandType type) const;
  TQRBand* findBand(const std::string& name) const;
  // An element of any band by name, when it is of type T.
  template <typename T>
  T* find(const std::string& name) const;

  void setBeforePrint(BeforePrintHook hook) { beforePrint_ = std::move(hook); }
  void setNeedData(NeedDataHook hook) { needData_ = std::move(hook); }
  const BeforePrintHook& beforePrintHook() const { return beforePrint_; }
  const NeedDataHook& needDataHook() const { return needData_; }

  // Where the date and time of printing come from (the local clock by default).
  void setClock(ReportClock clock) { clock_ = std::move(clock); }
  DateTime now() const { return clock_ ? clock_() : localNow(); }
  // How text is measured for layout (the page fonts by default). Not owned.
  void setTextMeasurer(const TextMeasurer* measurer) { measurer_ = measurer; }
  const TextMeasurer& textMeasurer() const { return measurer_ ? *measurer_ : pageText_; }

  // The fonts the pages are measured and drawn with: the report's own until it is given the
  // program's. The engine must outlive the report; set it before generating.
  void setFontEngine(FontEngine& fonts) {
    printer_.setFontEngine(fonts);
    pageText_.setFontEngine(fonts);
  }
  FontEngine& fontEngine() const { return printer_.fontEngine(); }

  // The prepared pages.
  TQRPrinter& qrPrinter() { return printer_; }
  const TQRPrinter& qrPrinter() const { return printer_; }

  // Generates the pages without showing them. Ignored while this report's preview is showing
  // (the pages stay as previewed) or while it is generating. What a hook throws reaches the
  // caller; the pages made until then stay.
  void prepare();

  // Where previews go: the program's preview interfaces and event loop. The registry belongs to
  // whoever made the report's surroundings and must outlive the report's previews.
  void setPreviewRegistry(const PreviewRegistry* registry) { previews_ = registry; }

  // Shows the preview window through the preview interface, generates the pages while it is
  // visible (one page-available notification per page) and returns once the window has called
  // close-preview. What a hook throws ends the generation and reaches the caller at once; the
  // window stays open with the pages made until then and is told the generation ended.
  void preview();

  // Generates all pages, then shows the window modally.
  void previewModal();

  bool previewShowing() const { return printer_.previewShowing(); }

  // The window that shows this report's preview, from the moment preview() has opened it until
  // it closes the preview; null otherwise (prepare, a modal preview, or an interface that opened
  // no window). Hooks use it to reach the window's controls while pages are being made.
  PreviewWindow* previewWindow() const { return previewShowing() ? previewWindow_ : nullptr; }

  // The detail bands that the last generation had to cut because they were taller than a
  // column, in the order they were printed.
  const std::vector<CutBand>& cutBands() const { return cutBands_; }

 private:
  class WindowReference;

  void generate(GenerationControl control);

  std::string name_;
  PageSetup page_;
  PrinterSettings printerSettings_;
  ReportUnits units_ = ReportUnits::Millimetres;
  int zoom_ = 100;
  FontSpec defaultFont_{"Arial", 10};
  bool headerOnFirstPage_ = true;
  bool footerOnLastPage_ = true;
  bool printIfEmpty_ = true;
  std::string reportTitle_;
  std::vector<std::unique_ptr<TQRBand>> bands_;
  BeforePrintHook beforePrint_;
  NeedDataHook needData_;
  ReportClock clock_;
  const TextMeasurer* measurer_ = nullptr;
  TQRPrinter printer_;
  PageTextMeasurer pageText_{printer_.fontEngine()};
  PreviewWindow* previewWindow_ = nullptr;
  const PreviewRegistry* previews_ = nullptr;
  std::unique_ptr<WindowReference> windowReference_;
  std::vector<CutBand> cutBands_;
};

template <typename T>
T* TQuickRep::find(const std::string& name) const {
  for (const auto& b : bands_)
    if (TQRElement* e = b->findElement(name)) return dynamic_cast<T*>(e);
  return nullptr;
}

}  // namespace quiral
