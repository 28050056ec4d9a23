// The symbol view: the drawn block's display list painted anti-aliased at the zoom's scale, 100 %
// being the pixel view's. A new symbol opens at 100 %, or fitted when it is larger than the view;
// the wheel zooms around the pointer, the keys around the view's centre, and dragging with the
// middle button (or the left one: the view has nothing else to drag) pans.

#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>
#include <cmath>

#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "app/unit_chooser.h"
#include "render/coordinate_map.h"
#include "render/renderer.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

double pixelsPerUnit(int percent) {
  return percent / 100.0 / kUnitsPerPixel;
}

}  // namespace

void TForm1::buildZoom() {
  ScrollBox1->viewport()->installEventFilter(this);
  Image2->installEventFilter(this);
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
  if (ScrollBox1 && (watched == ScrollBox1->viewport() || watched == Image2) &&
      viewEvent(watched, event))
    return true;
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::viewEvent(QObject* watched, QEvent* event) {
  QWidget* viewport = ScrollBox1->viewport();
  switch (event->type()) {
    case QEvent::Resize:
      if (watched == viewport) Image2->fitRoom(viewport->size());
      return false;
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      // Shift + wheel is left to the scroll bars.
      if (wheel->modifiers() & Qt::ShiftModifier) return false;
      const QPointF at = watched == viewport
                             ? wheel->position()
                             : QPointF(Image2->mapTo(viewport, wheel->position().toPoint()));
      const int delta = wheel->angleDelta().y();
      if (delta > 0) zoomAround(zoom_.zoomIn(), at);
      if (delta < 0) zoomAround(zoom_.zoomOut(), at);
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::MiddleButton && mouse->button() != Qt::LeftButton) return false;
      ScrollBox1->setFocus(Qt::MouseFocusReason);
      panning_ = true;
      panStart_ = mouse->globalPosition();
      panScroll_ = {ScrollBox1->horizontalScrollBar()->value(),
                    ScrollBox1->verticalScrollBar()->value()};
      viewport->setCursor(Qt::ClosedHandCursor);
      return true;
    }
    case QEvent::MouseMove: {
      if (!panning_) return false;
      const QPointF moved = static_cast<QMouseEvent*>(event)->globalPosition() - panStart_;
      ScrollBox1->horizontalScrollBar()->setValue(panScroll_.x() - int(std::lround(moved.x())));
      ScrollBox1->verticalScrollBar()->setValue(panScroll_.y() - int(std::lround(moved.y())));
      return true;
    }
    case QEvent::ContextMenu:
      showViewMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::MouseButtonRelease:
      if (!panning_) return false;
      panning_ = false;
      viewport->unsetCursor();
      return true;
    default:
      return false;
  }
}

QPointF TForm1::viewCentre() const {
  const QSize room = ScrollBox1->viewport()->size();
  return {room.width() / 2.0, room.height() / 2.0};
}

void TForm1::zoomIn() {
  zoomAround(zoom_.zoomIn(), viewCentre());
}

void TForm1::zoomOut() {
  zoomAround(zoom_.zoomOut(), viewCentre());
}

void TForm1::zoomReset() {
  zoomAround(zoom_.reset(), viewCentre());
}

void TForm1::zoomToFit() {
  if (!Image2->hasPicture()) return;
  const PictureBox box = pictureBox(zoomRecorder_->record(drawnBlock(), unitChooser_->choice()), 0);
  // Only this symbol: the next one opens by the usual rule again.
  zoomAround(zoom_.fit(int(std::floor(percentThatFits(box, ScrollBox1->viewport()->size())))),
             viewCentre());
}

void TForm1::zoomAround(bool changed, QPointF viewportPoint) {
  if (!changed || !Image2->hasPicture()) return;
  QWidget* viewport = ScrollBox1->viewport();
  const QPointF onCanvas = viewportPoint - QPointF(Image2->pos());
  const QPointF units = Image2->unitsAt(onCanvas);
  Image2->setScale(pixelsPerUnit(zoom_.percent()), viewport->size());
  const QPointF after = Image2->widgetPointOf(units);
  ScrollBox1->horizontalScrollBar()->setValue(int(std::lround(after.x() - viewportPoint.x())));
  ScrollBox1->verticalScrollBar()->setValue(int(std::lround(after.y() - viewportPoint.y())));
  mirrorZoomLabel();
}

void TForm1::mirrorZoomLabel() {
  zoomLabel_->setText(QStringLiteral("%1 %").arg(zoom_.percent()));
}

void TForm1::showVectorView() {
  const std::vector<std::string> block = drawnBlock();
  if (block.empty()) {
    Image2->clearPicture();
    Image2->fitRoom(ScrollBox1->viewport()->size());
    viewBlock_.clear();
    mirrorZoomLabel();
    return;
  }
  if (!zoomRecorder_) zoomRecorder_ = std::make_unique<SymbolRecorder>(zoomFonts_);
  const DisplayList& list = zoomRecorder_->record(block, unitChooser_->choice());
  const QSize room = ScrollBox1->viewport()->size();
  if (block != viewBlock_) {
    viewBlock_ = block;
    zoom_.open(int(std::floor(percentThatFits(pictureBox(list, 0), room))));
    Image2->showList(list, pixelsPerUnit(zoom_.percent()), room);
    // Centred: the scroll bars, when there are any, start in their middle.
    for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()})
      bar->setValue((bar->minimum() + bar->maximum()) / 2);
  } else {
    Image2->showList(list, pixelsPerUnit(zoom_.percent()), room);
  }
  mirrorZoomLabel();
}

}  // namespace quiral
