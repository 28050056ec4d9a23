#include "app/dialog_seams.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <exception>

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
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

bool showPrintDialog(QWidget* parent, QPrinter& printer, int highestPage) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, highestPage);
  return dialog.exec() == QDialog::Accepted;
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

void reportError(QWidget* parent, const QString& text) {
  errorReporter()(parent, text);
}

QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter) {
  return openFileChooser()(parent, startPath, filter);
}

QString chooseFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                         const QString& defaultSuffix) {
  return saveFileChooser()(parent, startPath, filter, defaultSuffix);
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
    reportError(parent, QString::fromLocal8Bit(userMessage(std::current_exception())));
  }
  return false;
}

}  // namespace quiral
