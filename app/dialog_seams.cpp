#include "app/dialog_seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <exception>

#include "app/window_wording.h"
#include "platform/error.h"

namespace quiral {

namespace {

void showCriticalBox(QWidget* parent, const QString& text) {
  QString title = QGuiApplication::applicationDisplayName();
  if (title.isEmpty()) title = QCoreApplication::applicationName();
  QMessageBox::critical(parent, title, text);
}

QString showOpenFileDialog(QWidget* parent, const QString& startPath, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), startPath, filter);
}

QString showSaveFileDialog(QWidget* parent, const QString& startPath, const QString& filter,
                           const QString& defaultSuffix) {
  QFileDialog dialog(parent, QString(), startPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

bool showPrintDialog(QWidget* parent, QPrinter& printer, int highestPage) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, highestPage);
  return dialog.exec() == QDialog::Accepted;
}

bool askToOverwrite(QWidget* parent, const QString& path) {
  const QString text = QStringLiteral("%1 já existe.\nDeseja substituí-lo?")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
  return QMessageBox::question(parent, QGuiApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

// The folder of the file last chosen in a file dialog.
QString& lastFolder() {
  static QString folder;
  return folder;
}

QString rememberFolder(const QString& chosen) {
  if (!chosen.isEmpty()) lastFolder() = QFileInfo(chosen).absolutePath();
  return chosen;
}

QString startingPath(const QString& startPath) {
  return startPath.isEmpty() ? lastFolder() : startPath;
}

ErrorReporter& errorReporter() {
  static ErrorReporter reporter = showCriticalBox;
  return reporter;
}

OpenFileChooser& openFileChooser() {
  static OpenFileChooser chooser = showOpenFileDialog;
  return chooser;
}

SaveFileChooser& saveFileChooser() {
  static SaveFileChooser chooser = showSaveFileDialog;
  return chooser;
}

PrintDialogRunner& printDialogRunner() {
  static PrintDialogRunner runner = showPrintDialog;
  return runner;
}

OverwriteConfirmer& overwriteConfirmer() {
  static OverwriteConfirmer confirmer = askToOverwrite;
  return confirmer;
}

}  // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(errorReporter());
  errorReporter() = reporter ? std::move(reporter) : ErrorReporter(showCriticalBox);
  return previous;
}

OpenFileChooser setOpenFileChooser(OpenFileChooser chooser) {
  OpenFileChooser previous = std::move(openFileChooser());
  openFileChooser() = chooser ? std::move(chooser) : OpenFileChooser(showOpenFileDialog);
  return previous;
}

SaveFileChooser setSaveFileChooser(SaveFileChooser chooser) {
  SaveFileChooser previous = std::move(saveFileChooser());
  saveFileChooser() = chooser ? std::move(chooser) : SaveFileChooser(showSaveFileDialog);
  return previous;
}

PrintDialogRunner setPrintDialogRunner(PrintDialogRunner runner) {
  PrintDialogRunner previous = std::move(printDialogRunner());
  printDialogRunner() = runner ? std::move(runner) : PrintDialogRunner(showPrintDialog);
  return previous;
}

OverwriteConfirmer setOverwriteConfirmer(OverwriteConfirmer confirmer) {
  OverwriteConfirmer previous = std::move(overwriteConfirmer());
  overwriteConfirmer() = confirmer ? std::move(confirmer) : OverwriteConfirmer(askToOverwrite);
  return previous;
}

void reportError(QWidget* parent, const QString& text) {
  errorReporter()(parent, text);
}

QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter) {
  return rememberFolder(openFileChooser()(parent, startingPath(startPath), filter));
}

QString chooseFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                         const QString& defaultSuffix) {
  return rememberFolder(saveFileChooser()(parent, startingPath(startPath), filter, defaultSuffix));
}

bool mayWriteFile(QWidget* parent, const QString& path) {
  return !QFileInfo::exists(path) || overwriteConfirmer()(parent, path);
}

bool runPrintDialog(QWidget* parent, QPrinter& printer, int highestPage) {
  return printDialogRunner()(parent, printer, highestPage);
}

bool runGuarded(QWidget* parent, const std::function<void()>& operation) {
  // The texts of the core's errors come from strerror, which speaks the locale's encoding.
  try {
    operation();
    return true;
  } catch (...) {
    reportError(parent,
                windowWording(QString::fromLocal8Bit(userMessage(std::current_exception()))));
  }
  return false;
}

}  // namespace quiral
