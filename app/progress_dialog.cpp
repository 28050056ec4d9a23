#include "app/progress_dialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <algorithm>

namespace quiral {

TFPrgrs::TFPrgrs(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Panel1(new QFrame(this)),
      Accion(new QLabel(tr("Página..."), Panel1)),
      PB(new QProgressBar(Panel1)) {
  setObjectName(QStringLiteral("FPrgrs"));
  setWindowTitle(tr("Exportando..."));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setFixedSize(265, 84);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setGeometry(0, 0, 265, 84);
  Accion->setObjectName(QStringLiteral("Accion"));
  Accion->move(87, 21);
  Accion->adjustSize();
  PB->setObjectName(QStringLiteral("PB"));
  PB->setGeometry(15, 42, 235, 16);
  PB->setRange(0, 100);
  PB->setValue(0);
  PB->setTextVisible(false);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void TFPrgrs::showNow(QWidget* changed) {
  changed->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFPrgrs::start(int pageCount) {
  setWindowTitle(tr("Exporting..."));
  PB->setRange(0, pageCount - 1);
  PB->setValue(0);
  PB->repaint();
  show();
  showNow(this);
}

void TFPrgrs::pageStarted(int, int, const std::string& caption) {
  Accion->setText(QString::fromStdString(caption));
  Accion->adjustSize();
  showNow(Accion);
}

void TFPrgrs::pageDone() {
  PB->setValue(std::min(PB->value() + 1, PB->maximum()));
  showNow(PB);
}

void TFPrgrs::finish() {
  hide();
}

}  // namespace quiral
