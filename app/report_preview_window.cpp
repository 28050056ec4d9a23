#include "app/report_preview_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/qr_preview.h"

namespace quiral {

ReportPreviewWindow::ReportPreviewWindow(TQRPrinter& printer, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      printer_(printer),
      view_(new TQRPreview(this)),
      page_(new QSpinBox(this)),
      pageCount_(new QLabel(this)),
      close_(new QPushButton(tr("&Fechar"), this)) {
  setObjectName("ReportPreviewWindow");
  setWindowTitle(printer.title().empty() ? tr("Visão prévia")
                                         : QString::fromStdString(printer.title()));
  resize(716, 612);

  page_->setObjectName("PageNumber");
  page_->setRange(1, std::max(1, printer.pageCount()));
  pageCount_->setObjectName("PageCount");
  close_->setObjectName("CloseButton");

  auto* bar = new QHBoxLayout;
  bar->addWidget(new QLabel(tr("Página"), this));
  bar->addWidget(page_);
  bar->addWidget(pageCount_);
  bar->addStretch(1);
  bar->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(view_, 1);

  view_->setQRPrinter(&printer);
  showPageCount(printer.pageCount());
  connect(view_, &TQRPreview::pageAvailable, this, &ReportPreviewWindow::showPageCount);
  connect(page_, &QSpinBox::valueChanged, view_, &TQRPreview::setPageNumber);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(view_, &TQRPreview::pageUnpaintable, this,
          [this, &dialogs](const QString& reason) { dialogs.reportError(this, reason); });
}

ReportPreviewWindow::~ReportPreviewWindow() {
  view_->setQRPrinter(nullptr);
  printer_.closePreview();  // destroyed without being closed: the engine's wait still ends
}

void ReportPreviewWindow::showPageCount(int pageCount) {
  page_->setMaximum(std::max(1, pageCount));
  page_->setEnabled(pageCount > 1);
  pageCount_->setText(tr("de ") + QString::number(pageCount));
}

void ReportPreviewWindow::closeEvent(QCloseEvent* event) {
  printer_.closePreview();
  QWidget::closeEvent(event);
}

void ReportPreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

PreviewWindow* EnginePreviewInterface::show(TQRPrinter& printer) {
  auto* window = new ReportPreviewWindow(printer, dialogs_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return window;
}

PreviewWindow* EnginePreviewInterface::showModal(TQRPrinter& printer) {
  QPointer<ReportPreviewWindow> window = new ReportPreviewWindow(printer, dialogs_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  if (window) loop.exec();
  return nullptr;
}

}  // namespace quiral
