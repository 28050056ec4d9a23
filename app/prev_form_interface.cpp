#include "app/prev_form_interface.h"

#include <QEventLoop>

#include "app/prev_form.h"

namespace quiral {

tqrpreviewinterf::tqrpreviewinterf(PreviewHost* host) : host_(host) {}

tqrpreviewinterf::tqrpreviewinterf(std::unique_ptr<PreviewHost> host)
    : ownHost_(std::move(host)), host_(ownHost_.get()) {}

tqrpreviewinterf::~tqrpreviewinterf() {
  // Windows still open would outlive the host they were given.
  for (const QPointer<TPrevForm>& window : windows_) delete window.data();
}

TPrevForm* tqrpreviewinterf::open(TQRPrinter& printer) {
  windows_.removeAll(QPointer<TPrevForm>());  // forget windows already gone
  auto* window = new TPrevForm(host_, &printer);
  window->setAttribute(Qt::WA_DeleteOnClose);
  windows_.append(window);
  return window;
}

PreviewWindow* tqrpreviewinterf::show(TQRPrinter& printer) {
  TPrevForm* window = open(printer);
  window->showMaximized();
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
