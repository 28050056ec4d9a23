// The symbol view's zoom: 100 % shows the pixel view; every other zoom draws the component's
// display list at that scale, anti-aliased, with no canvas edge to cut a big symbol.

#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/display_list_painter.h"
#include "app/main_window.h"
#include "app/unit_chooser.h"
#include "render/coordinate_map.h"
#include "render/renderer.h"
#include "vector/picture_frame.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// The pixel view keeps 50 pixels round the drawing; the zoomed picture keeps as many units.
constexpr double kViewMarginUnits = 50 * kUnitsPerPixel;

double pixelsPerUnit(int percent) {
  return percent / 100.0 / kUnitsPerPixel;
}

}  // namespace

void TForm1::buildZoom() {
  ScrollBox1->viewport()->installEventFilter(this);
  auto shortcut = [this](const QKeySequence& keys, void (TForm1::*slot)()) {
    auto* s = new QShortcut(keys, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, slot);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Plus), &TForm1::zoomIn);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &TForm1::zoomIn);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), &TForm1::zoomOut);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &TForm1::zoomReset);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_9), &TForm1::zoomToFit);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (ScrollBox1 && watched == ScrollBox1->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      const int delta = wheel->angleDelta().y();
      if (delta > 0) zoomIn();
      if (delta < 0) zoomOut();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::zoomIn() {
  if (zoom_.zoomIn()) mirrorView();
}

void TForm1::zoomOut() {
  if (zoom_.zoomOut()) mirrorView();
}

void TForm1::zoomReset() {
  if (zoom_.reset()) mirrorView();
}

void TForm1::zoomToFit() {
  if (!zoomRecorder_) zoomRecorder_ = std::make_unique<SymbolRecorder>(zoomFonts_);
  const DisplayList& list = zoomRecorder_->record(session_.browser.memo(), unitChooser_->choice());
  const PictureBox box = pictureBox(list, kViewMarginUnits);
  const QSize room = ScrollBox1->viewport()->size();
  // The largest whole percent at which the picture fits the visible room.
  const double fits =
      std::min(room.width() / box.width, room.height() / box.height) * 100 * kUnitsPerPixel;
  if (zoom_.fit(int(std::floor(fits)))) mirrorView();
}

void TForm1::showZoomedView() {
  if (!zoomRecorder_) zoomRecorder_ = std::make_unique<SymbolRecorder>(zoomFonts_);
  const DisplayList& list = zoomRecorder_->record(session_.browser.memo(), unitChooser_->choice());
  const QImage picture = displayListImage(list, pixelsPerUnit(zoom_.percent()), kViewMarginUnits);
  if (picture.isNull()) {
    Image2->setPixmap(QPixmap());
    return;
  }
  Image2->setPixmap(QPixmap::fromImage(picture));
  Image2->resize(picture.size());
}

}  // namespace quiral
