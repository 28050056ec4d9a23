#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

namespace quiral {

// The modal dialogs the windows open, and the rules around them. The program's objects own one
// and hand it to every window they make; a test gives the windows its own, whose dialogs answer
// without showing anything (a modal dialog on the offscreen platform would wait forever).
class Dialogs {
 public:
  Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;
  virtual ~Dialogs() = default;

  // Shows an error text to the user: a critical message box with the application's name as its
  // title and a single OK button.
  virtual void reportError(QWidget* parent, const QString& text);

  // The file dialogs start in `startPath`, or when it is empty in the folder of the file last
  // chosen in either of them through this object. `filter` is in Qt's form ("Libs (*.lib);;All
  // files (*)"). Each returns the chosen path, or an empty text when cancelled. A name typed
  // without an extension gets `defaultSuffix` (without the dot). The save dialog asks nothing
  // about an existing file: the caller knows the name that will really be written and asks with
  // mayWriteFile.
  QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter);
  QString chooseFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                           const QString& defaultSuffix);
  // True when nothing exists at `path`, or the user agrees to replace it.
  bool mayWriteFile(QWidget* parent, const QString& path);
  // A folder chosen (or made) in the folder dialog, starting in `startPath`; empty when
  // cancelled.
  QString chooseFolder(QWidget* parent, const QString& startPath, const QString& title);
  // Asks a yes-or-no question; true for yes.
  virtual bool askYesNo(QWidget* parent, const QString& text);
  // Shows the print dialog for `printer`, whose page range the caller has already set; pages 1
  // to `highestPage` can be chosen. True when the user confirmed: the choices are then on
  // `printer`.
  virtual bool runPrintDialog(QWidget* parent, QPrinter& printer, int highestPage);

  // Opens `url` (a report, say) in the desktop's browser; an error box when that fails.
  virtual void openInBrowser(QWidget* parent, const QUrl& url);
  // Asks for a number between `lowest` and `highest` (with `decimals` places), offering `value`;
  // none when cancelled.
  virtual std::optional<double> askNumber(QWidget* parent, const QString& label, double value,
                                          double lowest, double highest, int decimals);
  // Says `text` (a file was written) with a button that opens the file: true when the user
  // asks for it to be opened.
  virtual bool offerToOpen(QWidget* parent, const QString& text);

  // Runs `operation` and shows whatever it throws in the error box, so nothing escapes into Qt's
  // event loop. Returns true when it completed.
  bool runGuarded(QWidget* parent, const std::function<void()>& operation);

 protected:
  // The dialogs themselves, without the remembered folder or the existence check.
  virtual QString askFileToOpen(QWidget* parent, const QString& startPath, const QString& filter);
  virtual QString askFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                                const QString& defaultSuffix);
  virtual QString askFolder(QWidget* parent, const QString& startPath, const QString& title);
  // Asks whether the existing file `path` may be replaced: true when the user agrees.
  virtual bool askToOverwrite(QWidget* parent, const QString& path);

 private:
  QString rememberFolder(const QString& chosen);
  QString startingPath(const QString& startPath) const;

  // The folder of the file last chosen in a file dialog.
  QString lastFolder_;
};

}  // namespace quiral
