// The main window's unit chooser: below the symbol view, it picks the unit and body style that the
// view (at every zoom) draws.

#include <QLabel>
#include <QScrollArea>

#include "app/main_window.h"
#include "app/unit_chooser.h"
#include "app/widget_placement.h"
#include "render/renderer.h"

namespace quiral {

void TForm1::buildUnitChooser(QWidget* client) {
  // In the strip between the symbol view's bottom and the window's, so nothing is covered.
  // The strip's right end shows the zoom.
  unitChooser_ = place(new UnitChooser(client, ScrollBox1, this), "UnitChooser", 336, 514, 433, 19);
  zoomLabel_ = place(new QLabel(client), "ZoomLabel", 773, 514, 60, 19);
  zoomLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  zoomLabel_->setText(QStringLiteral("100 %"));
  connect(unitChooser_, &UnitChooser::choiceChanged, this, &TForm1::unitChoiceChanged);
}

void TForm1::showUnitsOfComponent() {
  unitChooser_->showComponent(session_.browser.memo(), session_.browser.shownUnitNames());
}

void TForm1::unitChoiceChanged() {
  if (catalogGenerating()) return;
  testPageView_ = false;
  runThenMirror(
      [this] { session_.renderer.RenderComponent(drawnBlock(), unitChooser_->choice()); });
}

}  // namespace quiral
