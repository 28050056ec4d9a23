#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "render/drawing_look.h"
#include "report_engine/report.h"
#include "reports/catalog_data.h"
#include "reports/page_language.h"

namespace quiral {

class FontEngine;
class SymbolRecorder;

// The holder of the drawings catalog QR_FIG, which is never shown itself. The catalog prints one
// framed cell per component of the component list, two columns per A4 page: name, description,
// unit count, alias line and the symbol's picture fitted into its box.
class TForm3 {
 public:
  explicit TForm3(CatalogData& data);
  ~TForm3();
  TForm3(const TForm3&) = delete;
  TForm3& operator=(const TForm3&) = delete;

  TQuickRep QR_FIG{"QR_FIG"};

  // The bitmap behind QRImage1: made at the picture box's size in screen pixels at the design
  // zoom the first time a cell is drawn, and reused for every cell after.
  Bitmap& CellPicture();
  // The scale of the last cell's picture, in percent.
  int FitScale() const { return fitScale_; }

  // From now on each cell's picture also carries the symbol as vectors, drawn with `fonts`
  // (which must outlive the form), so that a window can show and print it sharply. The pixels,
  // and so every page image and prepared-report file, stay as they are.
  // The vectors are drawn in `look`; in the KiCad look a picture whose drawing reaches past the
  // pixels' area is shrunk into it.
  void keepVectorPictures(FontEngine& fonts, LookName look = LookName::KiCad);
  bool keepsVectorPictures() const { return vectorRecorder_ != nullptr; }

  // Rewind hook: the cursor goes back to the first component. Leaves `printReport` alone.
  void QR_FIGBeforePrint(TQuickRep& report, bool& printReport);
  // Need-data hook: fills the cell for the selected component, then moves the cursor on. With N
  // components it is called N + 1 times; the last call repeats the last component and answers
  // no more data. The PDF button of the window that previews the report is disabled while cells
  // come and enabled at the end.
  void QR_FIGNeedData(TQuickRep& report, bool& moreData);

 private:
  class GenerationWatch;

  void design();
  void setPdfButtonEnabled(bool enabled);

  CatalogData& data_;
  int fitScale_ = 100;
  std::unique_ptr<SymbolRecorder> vectorRecorder_;  // null: pictures carry pixels only
  LookName vectorLook_ = LookName::KiCad;
  TQRLabel* QRLabel2 = nullptr;  // name
  TQRLabel* QRLabel9 = nullptr;  // description
  TQRLabel* QRLabel3 = nullptr;  // unit count
  TQRLabel* QRLabel8 = nullptr;  // scale (disabled: never printed)
  TQRLabel* QRLabel4 = nullptr;  // alias line
  TQRImage* QRImage1 = nullptr;  // picture
  std::unique_ptr<GenerationWatch> watch_;
};

// The unit-count label: the DEF line's unit count followed by " elemento", plus "s" unless the
// count is exactly "1" or "0" ("4 elementos", "1 elemento", " elementos" without a count); in
// English " unit" and " units" alike.
std::string unitCountText(const std::string& unitCount,
                          PageLanguage language = PageLanguage::Portuguese);

}  // namespace quiral
