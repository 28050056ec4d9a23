// The main window's unit chooser: below the symbol view, it picks the unit and body style that the
// view (at every zoom) draws.

#include <QScrollArea>

#include "app/main_window.h"
#include "app/unit_chooser.h"
#include "app/widget_placement.h"
#include "render/renderer.h"

namespace quiral {

void TForm1::buildUnitChooser(QWidget* client) {
  // In the strip between the symbol view's bottom and the window's, so nothing is covered.
  unitChooser_ = place(new UnitChooser(client, ScrollBox1, this), "UnitChooser", 336, 514, 497, 19);
  connect(unitChooser_, &UnitChooser::choiceChanged, this, &TForm1::unitChoiceChanged);
}

void TForm1::showUnitsOfComponent() {
  unitChooser_->showComponent(session_.browser.memo(), session_.browser.shownUnitNames());
}

void TForm1::unitChoiceChanged() {
  if (catalogGenerating()) return;
  runThenMirror([this] {
    session_.renderer.RenderComponent(session_.browser.memo(), unitChooser_->choice());
  });
}

}  // namespace quiral
