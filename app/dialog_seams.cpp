#include "app/dialog_seams.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <exception>

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

ErrorReporter& errorReporter() {
  static ErrorReporter reporter = showCriticalBox;
  return reporter;
}

OpenFileChooser& openFileChooser() {
  static OpenFileChooser chooser = showOpenFileDialog;
  return chooser;
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

void reportError(QWidget* parent, const QString& text) {
  errorReporter()(parent, text);
}

QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter) {
  return openFileChooser()(parent, startPath, filter);
}

bool runGuarded(QWidget* parent, const std::function<void()>& operation) {
  // The texts of the core's errors come from strerror, which speaks the locale's encoding.
  try {
    operation();
    return true;
  } catch (const std::bad_alloc&) {
    reportError(parent, QStringLiteral("Out of memory"));
  } catch (const std::exception& e) {
    reportError(parent, QString::fromLocal8Bit(e.what()));
  } catch (...) {
    reportError(parent, QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace quiral
