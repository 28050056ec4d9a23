#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace quiral {

// The modal dialogs that event handlers open go through these replaceable functions, so tests can
// answer them (a modal dialog on the offscreen platform would wait forever).

// Shows an error text to the user: by default a critical message box with the application's name
// as its title and a single OK button.
using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;
// Asks for an existing file to open: returns the chosen path, or an empty text when cancelled.
// `filter` is in Qt's form ("Libs (*.lib);;All files (*)").
using OpenFileChooser =
    std::function<QString(QWidget* parent, const QString& startPath, const QString& filter)>;
// Asks for a file name to save to: returns the chosen path, or an empty text when cancelled.
// `defaultSuffix` (without the dot) is what a name typed without an extension gets.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& startPath,
                                              const QString& filter, const QString& defaultSuffix)>;
// Asks whether the existing file `path` may be replaced: true when the user agrees.
using OverwriteConfirmer = std::function<bool(QWidget* parent, const QString& path)>;
// Shows the print dialog for `printer`, whose page range the caller has already set; pages 1 to
// `highestPage` can be chosen. Returns true when the user confirmed: the choices are then on
// `printer`.
using PrintDialogRunner = std::function<bool(QWidget* parent, QPrinter& printer, int highestPage)>;

// Each setter returns the function it replaced, so a test can put it back.
ErrorReporter setErrorReporter(ErrorReporter reporter);
OpenFileChooser setOpenFileChooser(OpenFileChooser chooser);
SaveFileChooser setSaveFileChooser(SaveFileChooser chooser);
PrintDialogRunner setPrintDialogRunner(PrintDialogRunner runner);
OverwriteConfirmer setOverwriteConfirmer(OverwriteConfirmer confirmer);

void reportError(QWidget* parent, const QString& text);
// The file dialogs start in `startPath`, or when it is empty in the folder of the file last
// chosen in either of them during this run. The save dialog asks nothing about an existing file:
// the caller knows the name that will really be written and asks with confirmOverwrite.
QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter);
QString chooseFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                         const QString& defaultSuffix);
// True when nothing exists at `path`, or the user agrees to replace it.
bool mayWriteFile(QWidget* parent, const QString& path);
bool runPrintDialog(QWidget* parent, QPrinter& printer, int highestPage);

// Runs `operation` and shows whatever it throws in the error box, so nothing escapes into Qt's
// event loop. Returns true when it completed.
bool runGuarded(QWidget* parent, const std::function<void()>& operation);

}  // namespace quiral
