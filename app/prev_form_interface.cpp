#include "app/prev_form_interface.h"

#include <QEventLoop>

#include "app/dialogs.h"
#include "app/prev_form.h"

namespace quiral {

namespace {

// How far down and right a preview opens from the newest one still open.
constexpr int kOffset = 32;

}  // namespace

tqrpreviewinterf::tqrpreviewinterf(PreviewHost* host, Dialogs& dialogs)
    : host_(host), dialogs_(dialogs) {}

tqrpreviewinterf::tqrpreviewinterf(std::unique_ptr<PreviewHost> host, Dialogs& dialogs)
    : ownHost_(std::move(host)), host_(ownHost_.get()), dialogs_(dialogs) {}

tqrpreviewinterf::~tqrpreviewinterf() {
  // Windows still open would outlive the host they were given.
  for (const QPointer<TPrevForm>& window : windows_) delete window.data();
}

TPrevForm* tqrpreviewinterf::open(TQRPrinter& printer) {
  windows_.removeAll(QPointer<TPrevForm>());  // forget windows already gone
  auto* window = new TPrevForm(host_, &printer, dialogs_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  windows_.append(window);
  return window;
}

PreviewWindow* tqrpreviewinterf::show(TQRPrinter& printer) {
  // A preview opened while others are open would hide them exactly: it opens at its own size,
  // a step down and right of the newest one still open.
  TPrevForm* newest = nullptr;
  for (const QPointer<TPrevForm>& w : windows_)
    if (w && w->isVisible()) newest = w;
  TPrevForm* window = open(printer);
  if (newest) {
    window->move(newest->pos() + QPoint(kOffset, kOffset));
    window->show();
  } else {
    window->showMaximized();
  }
  return window;
}

PreviewWindow* tqrpreviewinterf::showModal(TQRPrinter& printer) {
  QPointer<TPrevForm> window = open(printer);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->showMaximized();
  if (window) loop.exec();
  return nullptr;
}

}  // namespace quiral
