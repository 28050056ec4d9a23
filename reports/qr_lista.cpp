#include "reports/qr_lista.h"

#include "render/renderer.h"
#include "reports/catalog_cursor.h"
#include "reports/catalog_design.h"

namespace quiral {

TQR_lista::TQR_lista(CatalogData& data) : TQuickRep("QR_lista"), data_(data) {
  design();
  setNeedData([this](TQuickRep& r, bool& more) { QuickRepNeedData(r, more); });
}

void TQR_lista::design() {
  setUpCatalogPage(*this, 100, false);

  TQRBand& header = addBand("QRBand1", BandType::PageHeader, 1900, 156);
  header.setFrame(FrameSides{false, false, false, true});
  textLabel(header, "QRLabel1", 659, 34, arial(14, false, colors::kBlue), kCatalogHeading);
  sysDataLabel(header, "QRSysData2", TQRSysData::Data::DateTime, 32, 106, arial(10));
  textLabel(header, "QRLabel5", 728, 98, arial(12), kLibraryCaptionPrefix);
  textLabel(header, "QRLabel6", 1598, 106, arial(10), kCatalogPageCaption);
  sysDataLabel(header, "QRSysData1", TQRSysData::Data::PageNumber, 1738, 101, arial(10));

  TQRBand& cell = addBand("QRBand2", BandType::Detail, 950, 93);
  cell.setFrame(FrameSides::all());
  QRLabel2 = &textLabel(cell, "QRLabel2", 16, 3, arial(8, true));
  QRLabel9 = &wrappedLabel(cell, "QRLabel9", 291, 3, 648, 45, arial(8), false);
  QRLabel4 = &wrappedLabel(cell, "QRLabel4", 108, 48, 823, 40, arial(8), true);

  TQRBand& footer = addBand("QRBand3", BandType::PageFooter, 1900, 106);
  footer.setFrame(FrameSides{false, true, false, false});
  textLabel(footer, "QRLabel7", 926, 21, arial(8), kCatalogFooter);
}

void TQR_lista::QuickRepNeedData(TQuickRep& /*report*/, bool& moreData) {
  Session& session = data_.session;
  session.browser.ShowComponent();
  QRLabel2->setCaption(selectedComponentName(session));
  QRLabel4->setCaption(session.renderer.state().AliasLine);
  QRLabel9->setCaption({});
  QRLabel9->setCaption(catalogDescription(data_, QRLabel2->caption()));
  moreData = advanceCatalogCursor(session);
}

}  // namespace quiral
