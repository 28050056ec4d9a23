#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "report_engine/prepared_page.h"
#include "report_engine/report_types.h"

namespace quiral {

class FontEngine;

// Told about what happens to a printer object's pages. Calls come on the thread that
// generates, loads or closes, one at a time.
class PrinterListener {
 public:
  virtual ~PrinterListener() = default;
  // Another page is ready; `pageCount` pages are there now.
  virtual void pageAvailable(int pageCount) { (void)pageCount; }
  // The generation finished, was stopped or failed; no more pages will come.
  virtual void generationEnded() {}
  // The pages were replaced as a whole (a prepared report was loaded).
  virtual void pagesReplaced() {}
  // The preview showing these pages was closed.
  virtual void previewClosed() {}
};

// The prepared pages of one report (the engine's printer object): page count, title, page
// pictures, save and load of prepared-report files, and the preview's open/closed state.
class TQRPrinter {
 public:
  // With fonts of its own until setFontEngine() gives it those its pages were laid out with.
  TQRPrinter();
  ~TQRPrinter();
  TQRPrinter(const TQRPrinter&) = delete;
  TQRPrinter& operator=(const TQRPrinter&) = delete;

  int pageCount() const { return int(report_.pages.size()); }
  const std::string& title() const { return report_.title; }
  Orientation orientation() const { return report_.orientation; }
  int32_t pageWidth() const { return report_.pageWidth; }    // tenths of a millimetre
  int32_t pageHeight() const { return report_.pageHeight; }  // tenths of a millimetre
  const PreparedReport& prepared() const { return report_; }

  // Page i, counting from 1; null when there is no such page.
  std::shared_ptr<const PreparedPage> page(int i) const;

  // The fonts the pages are drawn with (pictures, preview, print). The engine is not owned and
  // must outlive the printer.
  void setFontEngine(FontEngine& fonts);
  FontEngine& fontEngine() const { return *fonts_; }

  // A new picture of page i (counting from 1) at 96 dpi, owned by the caller. An A4 portrait
  // page is 794 x 1123 pixels. Throws QuiralError when there is no such page.
  std::unique_ptr<Bitmap> pagePicture(int i) const;

  // Writes the prepared pages to a file, atomically. Refused while pages are still being made.
  void save(const std::string& path) const;
  // Replaces the pages with those of a prepared-report file. A damaged, truncated or foreign
  // file throws QuiralError and the pages stay as they were. Refused while generating.
  void load(const std::string& path);

  // The engine's side: a generation fills the printer one page at a time.
  bool generating() const { return generating_; }
  // Drops the pages and takes the title and page size of a report about to be generated.
  void startOver(std::string title, const PageSetup& page);
  void beginGeneration(std::string title, const PageSetup& page);
  void addPage(PreparedPage page);
  void endGeneration();

  // Preview state: opened by the engine when it shows a preview of these pages, closed by the
  // preview window (which ends the engine's wait).
  void openPreview();
  void closePreview();
  bool previewShowing() const { return previewShowing_; }

  void addListener(PrinterListener* listener);
  void removeListener(PrinterListener* listener);

 private:
  template <typename Call>
  void notify(Call call);

  std::unique_ptr<FontEngine> ownFonts_;
  FontEngine* fonts_;
  PreparedReport report_;
  bool generating_ = false;
  bool previewShowing_ = false;
  std::vector<PrinterListener*> listeners_;
};

}  // namespace quiral
