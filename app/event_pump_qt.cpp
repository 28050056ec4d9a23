#include "app/event_pump_qt.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "app/report_preview_window.h"

namespace quiral {

namespace {

// How often a waiting preview checks whether its window has closed.
constexpr int kWaitPollMs = 10;

}  // namespace

void QtEventPump::processEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitUntil(const std::function<bool()>& done) {
  if (done()) return;
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(kWaitPollMs);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  poll.start();
  // The loop also ends when the application quits, so a preview never outlives the program.
  loop.exec();
}

void installReportPreviewServices(PreviewRegistry& registry, Dialogs& dialogs) {
  registry.setEngineWindow(std::make_shared<EnginePreviewInterface>(dialogs));
  registry.setEventPump(std::make_shared<QtEventPump>());
}

}  // namespace quiral
