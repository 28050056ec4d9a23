#include "app/program_start.h"

#include <QApplication>

#include "app/event_pump_qt.h"
#include "app/main_window.h"
#include "reports/catalog_commands.h"

namespace quiral {

ProgramObjects::ProgramObjects() = default;

ProgramObjects::~ProgramObjects() {
  // The main window stops listening to the catalogs, then windows and reports go in the reverse
  // of their start order; the session they use goes last.
  if (Form1) Form1->setCatalogReports(nullptr, nullptr);
  QR_lista.reset();
  Form3.reset();
  Form1.reset();
}

std::unique_ptr<ProgramObjects> createProgramObjects() {
  // Previews need the event loop and, until a window of the program's own is registered, the
  // report engine's plain preview window.
  installReportPreviewServices();
  auto objects = std::make_unique<ProgramObjects>();
  objects->Form1 = std::make_unique<TForm1>(objects->session);
  CatalogData& catalogData = objects->Form1->catalogs().data();
  objects->Form3 = std::make_unique<TForm3>(catalogData);
  objects->QR_lista = std::make_unique<TQR_lista>(catalogData);
  objects->Form1->setCatalogReports(objects->Form3.get(), objects->QR_lista.get());
  return objects;
}

int runProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quiral"));
  // Closing the main window ends the program, also while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  std::unique_ptr<ProgramObjects> objects = createProgramObjects();
  QObject::connect(objects->Form1.get(), &TForm1::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  objects->Form1->show();
  objects->Form1->activateWindow();
  return app.exec();
}

}  // namespace quiral
