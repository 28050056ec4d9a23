#include "app/program_start.h"

#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QTranslator>
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/dialogs.h"
#include "app/event_pump_qt.h"
#include "app/index_window.h"
#include "app/main_window.h"
#include "app/window_language.h"
#include "app/window_settings.h"
#include "platform/atomic_file.h"
#include "reports/catalog_commands.h"

namespace quiral {

namespace {

// Prints the version or the usage, or why the arguments are refused. Returns the exit status, or
// -1 when the program is to run.
int answer(const CommandLine& line) {
  switch (line.action) {
    case CommandLine::Action::PrintVersion:
      std::fputs(versionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::PrintHelp:
      std::fputs(usageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Refuse:
      std::fprintf(stderr, "quiral: %s\n", line.message.c_str());
      if (line.exitStatus == kBadArguments) std::fputs(usageText().c_str(), stderr);
      return line.exitStatus;
    case CommandLine::Action::Run:
      break;
  }
  return -1;
}

std::vector<std::string> argumentsAfterName(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

bool stderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace

bool showRefusalWithoutTerminal(const CommandLine& line, bool onTerminal, Dialogs& dialogs) {
  if (line.action != CommandLine::Action::Refuse || onTerminal) return false;
  dialogs.reportError(nullptr, QString::fromLocal8Bit(line.message.c_str()));
  return true;
}

ProgramObjects::ProgramObjects() = default;

ProgramObjects::~ProgramObjects() {
  // The main window stops listening to the catalogs, then windows and reports go in the reverse
  // of their start order; the session they use goes last.
  if (Form1) Form1->setCatalogReports(nullptr, nullptr);
  // Preview windows still open show the catalogs' pages: they close before the catalogs go.
  previews.registerPreviewInterface(nullptr);
  QR_lista.reset();
  PrevForm.reset();
  Form3.reset();
  Form2.reset();
  Form1.reset();
}

std::unique_ptr<ProgramObjects> createProgramObjects() {
  // Previews need the event loop and, until a window of the program's own is registered, the
  // report engine's plain preview window.
  auto objects = std::make_unique<ProgramObjects>();
  installReportPreviewServices(objects->previews, objects->dialogs);
  objects->Form1 = std::make_unique<TForm1>(objects->session, objects->dialogs, &objects->previews);
  objects->Form2 = createIndexWindow(*objects->Form1);
  CatalogData& catalogData = objects->Form1->catalogs().data();
  objects->Form3 = std::make_unique<TForm3>(catalogData);
  objects->PrevForm = std::make_unique<TPrevForm>(nullptr, nullptr, objects->dialogs);
  objects->QR_lista = std::make_unique<TQR_lista>(catalogData);
  objects->Form3->QR_FIG.setPreviewRegistry(&objects->previews);
  objects->QR_lista->setPreviewRegistry(&objects->previews);
  objects->Form3->QR_FIG.setFontEngine(objects->fonts);
  // The window's previews and prints draw the cell pictures sharply from their vectors.
  objects->Form3->keepVectorPictures(objects->fonts);
  objects->QR_lista->setFontEngine(objects->fonts);
  objects->Form1->setCatalogReports(objects->Form3.get(), objects->QR_lista.get());
  return objects;
}

int runProgram(int argc, char** argv) {
  // An export interrupted by a signal leaves no half-written file behind.
  removeTemporariesOnSignals();
  // What needs no display (--version, --help, a path that fails) is answered before Qt starts.
  // Bad arguments may be Qt's own options (-platform, -style, ...): they are read again once Qt
  // has taken those out.
  const CommandLine early = parseCommandLine(argumentsAfterName(argc, argv));
  const bool mayBeQtOption =
      early.action == CommandLine::Action::Refuse && early.exitStatus == kBadArguments;
  if (early.action != CommandLine::Action::Run && !mayBeQtOption) {
    if (early.action == CommandLine::Action::Refuse && !stderrIsTerminal()) {
      QApplication app(argc, argv);
      Dialogs dialogs;
      showRefusalWithoutTerminal(early, false, dialogs);
    }
    return answer(early);
  }
  QApplication app(argc, argv);
  const CommandLine line = parseCommandLine(argumentsAfterName(argc, argv));
  // The window's texts, Qt's dialogs and the catalogs' pages speak the language chosen.
  const LanguageChoice language = chooseLanguageFromEnvironment(line.language);
  if (!language.warning.empty()) std::fprintf(stderr, "quiral: %s\n", language.warning.c_str());
  const std::unique_ptr<QTranslator> translator = installWindowLanguage(language.language);
  if (const int status = answer(line); status >= 0) {
    Dialogs dialogs;
    showRefusalWithoutTerminal(line, stderrIsTerminal(), dialogs);
    return status;
  }

  QApplication::setApplicationName(QStringLiteral("Quiral"));
  QApplication::setApplicationVersion(QStringLiteral(QUIRAL_VERSION));
  // Ties the windows to the installed desktop entry (its name and icon) where the desktop asks.
  QGuiApplication::setDesktopFileName(QStringLiteral("quiral"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/quiral-48.png"));
  icon.addFile(QStringLiteral(":/icons/quiral-128.png"));
  QApplication::setWindowIcon(icon);
  // Closing the main window ends the program, also while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  // Made before the windows, so it outlives them: the main window writes to it when it closes.
  QSettings settings(QStringLiteral("Quiral"), QStringLiteral("Quiral"));
  WindowSettings remembered(settings);
  std::unique_ptr<ProgramObjects> objects = createProgramObjects();
  objects->Form1->catalogs().data().language = language.language;
  QObject::connect(objects->Form1.get(), &TForm1::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  objects->Form1->rememberWith(&remembered, line.startFolder.empty());
  if (!line.startFolder.empty())
    objects->Form1->setStartFolder(line.startFolder, line.startLibrary);
  objects->Form1->show();
  objects->Form1->activateWindow();
  return app.exec();
}

}  // namespace quiral
