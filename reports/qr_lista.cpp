#include "reports/qr_lista.h"

#include "render/renderer.h"
#include "reports/catalog_cursor.h"
#include "reports/catalog_design.h"
#include "reports/catalog_geometry.h"

namespace quiral {

TQR_lista::TQR_lista(CatalogData& data) : TQuickRep("QR_lista"), data_(data) {
  design();
  setNeedData([this](TQuickRep& r, bool& more) { QuickRepNeedData(r, more); });
}

void TQR_lista::design() {
  const CatalogGeometry& g = kListCatalogGeometry;
  setUpCatalogPage(*this, g);

  TQRBand& header = addBand("QRBand1", BandType::PageHeader, g.headerWidth, g.headerHeight);
  header.setFrame(FrameSides{false, false, false, g.ruledHeader});
  textLabel(header, "QRLabel1", g.heading.left, g.heading.top,
            arial(g.headingSize, false, colors::kBlue), kCatalogHeading);
  sysDataLabel(header, "QRSysData2", TQRSysData::Data::DateTime, g.dateTime.left, g.dateTime.top,
               arial(g.headerTextSize));
  textLabel(header, "QRLabel5", g.library.left, g.library.top, arial(g.librarySize),
            kLibraryCaptionPrefix);
  textLabel(header, "QRLabel6", g.pageCaption.left, g.pageCaption.top, arial(g.headerTextSize),
            kCatalogPageCaption);
  sysDataLabel(header, "QRSysData1", TQRSysData::Data::PageNumber, g.pageNumber.left,
               g.pageNumber.top, arial(g.headerTextSize));

  TQRBand& cell = addBand("QRBand2", BandType::Detail, g.cellWidth, g.cellHeight);
  cell.setFrame(FrameSides::all());
  QRLabel2 = &textLabel(cell, "QRLabel2", g.name.left, g.name.top, arial(g.nameSize, true));
  QRLabel9 = &wrappedLabel(cell, "QRLabel9", g.description.left, g.description.top,
                           g.description.width, g.description.height, arial(g.textSize), false);
  QRLabel4 = &wrappedLabel(cell, "QRLabel4", g.aliases.left, g.aliases.top, g.aliases.width,
                           g.aliases.height, arial(g.textSize), true);

  TQRBand& footer = addBand("QRBand3", BandType::PageFooter, g.footerWidth, g.footerHeight);
  footer.setFrame(FrameSides{false, true, false, false});
  textLabel(footer, "QRLabel7", g.footerText.left, g.footerText.top, arial(g.footerTextSize),
            kCatalogFooter);
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
