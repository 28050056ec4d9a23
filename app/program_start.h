#pragma once

#include <memory>

#include "app/dialogs.h"
#include "app/prev_form.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "report_engine/preview_interface.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"

namespace quiral {

class TForm1;
class TForm2;

// The objects the program makes at start, in the order they are made; they live until it ends
// and are destroyed in the reverse order (the session last, as the windows use it).
struct ProgramObjects {
  ProgramObjects();
  ~ProgramObjects();
  ProgramObjects(const ProgramObjects&) = delete;
  ProgramObjects& operator=(const ProgramObjects&) = delete;

  // The dialogs every window opens (errors, files, printing); made first, as every window uses
  // them.
  Dialogs dialogs;
  // Where the catalogs' previews go; made before the reports, as every report uses it.
  PreviewRegistry previews;
  // The fonts of the symbol drawings and the catalogs' pages.
  FontEngine fonts;
  Session session{fonts};
  // 1: the main window; closing it ends the program.
  std::unique_ptr<TForm1> Form1;
  // 2: the catalog index window, hidden until the main window's hidden menu entry shows it.
  std::unique_ptr<TForm2> Form2;
  // 3: the holder of the drawings catalog QR_FIG; never shown.
  std::unique_ptr<TForm3> Form3;
  // 4: a preview window that is never shown; each preview opens a fresh one.
  std::unique_ptr<TPrevForm> PrevForm;
  // 5: the list catalog.
  std::unique_ptr<TQR_lista> QR_lista;
};

// Makes the program's objects in their start order (needs a QApplication). Nothing is shown.
std::unique_ptr<ProgramObjects> createProgramObjects();

struct CommandLine;

// A refusal of the arguments is printed on standard error; started without a terminal (from the
// desktop entry) nobody would see it, so it is also shown in `dialogs`' error box then. Returns
// whether the box was shown.
bool showRefusalWithoutTerminal(const CommandLine& line, bool onTerminal, Dialogs& dialogs);

// Program entry: makes the application and the objects, shows the main window and runs the event
// loop until the main window closes.
int runProgram(int argc, char** argv);

}  // namespace quiral
