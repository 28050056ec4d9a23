#include "app/program_start.h"

#include <QApplication>

#include "app/event_pump_qt.h"
#include "app/index_window.h"
#include "app/main_window.h"

namespace quiral {

ProgramObjects::ProgramObjects() = default;

ProgramObjects::~ProgramObjects() {
  // Windows go first, in the reverse of their start order; the session they use goes last.
  Form2.reset();
  Form1.reset();
}

std::unique_ptr<ProgramObjects> createProgramObjects() {
  // Previews need the event loop and, until a window of the program's own is registered, the
  // report engine's plain preview window.
  installReportPreviewServices();
  auto objects = std::make_unique<ProgramObjects>();
  objects->Form1 = std::make_unique<TForm1>(objects->session);
  objects->Form2 = createIndexWindow(*objects->Form1);
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
