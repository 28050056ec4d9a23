#pragma once

#include "report_engine/report.h"
#include "reports/catalog_data.h"

namespace quiral {

// The list catalog QR_lista: one small framed cell per component of the component list, two
// columns per A4 page, with the name in bold, the description and, below them, the alias line.
// It has no rewind hook: its cursor is rewound by zerarparaimprimir before each generation.
class TQR_lista : public TQuickRep {
 public:
  explicit TQR_lista(CatalogData& data);

  // Need-data hook: fills the cell for the selected component, then moves the cursor on (N + 1
  // calls for N components, as in the drawings catalog).
  void QuickRepNeedData(TQuickRep& report, bool& moreData);

 private:
  void design();

  CatalogData& data_;
  TQRLabel* QRLabel2 = nullptr;  // name
  TQRLabel* QRLabel9 = nullptr;  // description
  TQRLabel* QRLabel4 = nullptr;  // alias line
};

}  // namespace quiral
