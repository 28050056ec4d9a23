#include "reports/qr_fig.h"

#include <cstdio>

#include "render/renderer.h"
#include "render/view_crop.h"
#include "report_engine/preview_interface.h"
#include "reports/catalog_cursor.h"
#include "reports/catalog_design.h"
#include "reports/catalog_geometry.h"
#include "reports/cell_picture.h"
#include "reports/cell_vectors.h"
#include "vector/symbol_recorder.h"

namespace quiral {

// However a generation ends (finished, stopped, or ended by an error in a hook), the PDF button
// of a window still showing the report is enabled again.
class TForm3::GenerationWatch : public PrinterListener {
 public:
  explicit GenerationWatch(TForm3& form) : form_(form) {
    form_.QR_FIG.qrPrinter().addListener(this);
  }
  ~GenerationWatch() override { form_.QR_FIG.qrPrinter().removeListener(this); }
  void generationEnded() override { form_.setPdfButtonEnabled(true); }

 private:
  TForm3& form_;
};

TForm3::TForm3(CatalogData& data) : data_(data) {
  design();
  QR_FIG.setBeforePrint([this](TQuickRep& r, bool& print) { QR_FIGBeforePrint(r, print); });
  QR_FIG.setNeedData([this](TQuickRep& r, bool& more) { QR_FIGNeedData(r, more); });
  watch_ = std::make_unique<GenerationWatch>(*this);
}

TForm3::~TForm3() = default;

void TForm3::design() {
  const CatalogGeometry& g = kDrawingsCatalogGeometry;
  setUpCatalogPage(QR_FIG, g);

  TQRBand& header =
      QR_FIG.addBand("PageHeaderBand1", BandType::PageHeader, g.headerWidth, g.headerHeight);
  textLabel(header, "QRLabel1", g.heading.left, g.heading.top,
            arial(g.headingSize, false, colors::kBlue), kCatalogHeading);
  textLabel(header, "QRLabel5", g.library.left, g.library.top, arial(g.librarySize),
            kLibraryCaptionPrefix);
  textLabel(header, "QRLabel6", g.pageCaption.left, g.pageCaption.top, arial(g.headerTextSize),
            kCatalogPageCaption);
  sysDataLabel(header, "QRSysData1", TQRSysData::Data::PageNumber, g.pageNumber.left,
               g.pageNumber.top, arial(g.headerTextSize));
  sysDataLabel(header, "QRSysData2", TQRSysData::Data::DateTime, g.dateTime.left, g.dateTime.top,
               arial(g.headerTextSize));

  TQRBand& cell = QR_FIG.addBand("QRBand1", BandType::Detail, g.cellWidth, g.cellHeight);
  cell.setFrame(FrameSides::all());
  QRLabel2 = &textLabel(cell, "QRLabel2", g.name.left, g.name.top, arial(g.nameSize, true));
  QRLabel9 = &wrappedLabel(cell, "QRLabel9", g.description.left, g.description.top,
                           g.description.width, g.description.height, arial(g.textSize), false);
  QRLabel3 = &textLabel(cell, "QRLabel3", g.unitCount.left, g.unitCount.top, arial(g.textSize));
  QRLabel8 = &textLabel(cell, "QRLabel8", g.scale.left, g.scale.top, arial(g.textSize));
  QRLabel8->setEnabled(false);
  QRLabel4 = &wrappedLabel(cell, "QRLabel4", g.aliases.left, g.aliases.top, g.aliases.width,
                           g.aliases.height, arial(g.textSize), true);
  QRImage1 =
      &cell.addImage("QRImage1", g.picture.left, g.picture.top, g.picture.width, g.picture.height);
  QRImage1->setFrame(FrameSides::all());
  QRImage1->setCenter(true);

  TQRBand& footer = QR_FIG.addBand("QRBand2", BandType::PageFooter, g.footerWidth, g.footerHeight);
  footer.setFrame(FrameSides{false, true, false, false});
  textLabel(footer, "QRLabel7", g.footerText.left, g.footerText.top, arial(g.footerTextSize),
            kCatalogFooter);
}

Bitmap& TForm3::CellPicture() {
  Bitmap& picture = QRImage1->picture();
  if (picture.empty())
    picture.resize(QR_FIG.toScreenPixels(QRImage1->width()),
                   QR_FIG.toScreenPixels(QRImage1->height()));
  return picture;
}

void TForm3::keepVectorPictures(FontEngine& fonts, LookName look) {
  vectorRecorder_ = std::make_unique<SymbolRecorder>(fonts, look);
  vectorLook_ = look;
}

void TForm3::setPdfButtonEnabled(bool enabled) {
  if (PreviewWindow* window = QR_FIG.previewWindow()) window->setPdfButtonEnabled(enabled);
}

void TForm3::QR_FIGBeforePrint(TQuickRep& /*report*/, bool& /*printReport*/) {
  rewindCatalogCursor(data_.session);
}

void TForm3::QR_FIGNeedData(TQuickRep& /*report*/, bool& moreData) {
  Session& session = data_.session;
  session.browser.ShowComponent();

  const Bitmap& view = session.renderer.ViewImage();
  Bitmap& picture = CellPicture();
  const CellFit fit =
      fitCellPicture(view.width(), view.height(), picture.width(), picture.height());
  drawCellPicture(picture, view, fit);
  fitScale_ = fit.FitScale;
  if (vectorRecorder_) {
    const DisplayList& list = vectorRecorder_->record(session.browser.memo());
    QRImage1->setVectors(makeCellVectors(list, viewCropOf(session.renderer.state()), view.width(),
                                         view.height(), fit, vectorLook_ != LookName::Specified));
  }
  const PageWords& words = pageWordsIn(data_.language);
  QRLabel8->setCaption(words.scaleCaption + std::to_string(fitScale_));

  const DrawingState& state = session.renderer.state();
  QRLabel2->setCaption(selectedComponentName(session));
  QRLabel3->setCaption(unitCountText(state.UnitCount, data_.language));
  QRLabel4->setCaption(state.AliasLine);
  QRLabel9->setCaption({});
  QRLabel9->setCaption(catalogDescription(data_, QRLabel2->caption()));

  moreData = advanceCatalogCursor(session);
  setPdfButtonEnabled(!moreData);
}

std::string unitCountText(const std::string& unitCount, PageLanguage language) {
  const PageWords& words = pageWordsIn(language);
  const bool one = unitCount == "1" || unitCount == "0";
  return unitCount + (one ? words.unitSingular : words.unitPlural);
}

}  // namespace quiral
