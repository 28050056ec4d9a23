#include "app/dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <exception>

#include "app/window_wording.h"
#include "platform/error.h"

namespace quiral {

void Dialogs::reportError(QWidget* parent, const QString& text) {
  QString title = QGuiApplication::applicationDisplayName();
  if (title.isEmpty()) title = QCoreApplication::applicationName();
  QMessageBox::critical(parent, title, text);
}

QString Dialogs::askFileToOpen(QWidget* parent, const QString& startPath, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), startPath, filter);
}

QString Dialogs::askFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                               const QString& defaultSuffix) {
  QFileDialog dialog(parent, QString(), startPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

bool Dialogs::runPrintDialog(QWidget* parent, QPrinter& printer, int highestPage) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, highestPage);
  return dialog.exec() == QDialog::Accepted;
}

bool Dialogs::askToOverwrite(QWidget* parent, const QString& path) {
  const QString text = QCoreApplication::translate("Dialogs", "%1 já existe.\nDeseja substituí-lo?")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
  return QMessageBox::question(parent, QGuiApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

QString Dialogs::askFolder(QWidget* parent, const QString& startPath, const QString& title) {
  return QFileDialog::getExistingDirectory(parent, title, startPath);
}

bool Dialogs::askYesNo(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QGuiApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

QString Dialogs::chooseFolder(QWidget* parent, const QString& startPath, const QString& title) {
  const QString chosen = askFolder(parent, startingPath(startPath), title);
  if (!chosen.isEmpty()) lastFolder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

QString Dialogs::rememberFolder(const QString& chosen) {
  if (!chosen.isEmpty()) lastFolder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

QString Dialogs::startingPath(const QString& startPath) const {
  return startPath.isEmpty() ? lastFolder_ : startPath;
}

QString Dialogs::chooseFileToOpen(QWidget* parent, const QString& startPath,
                                  const QString& filter) {
  return rememberFolder(askFileToOpen(parent, startingPath(startPath), filter));
}

QString Dialogs::chooseFileToSave(QWidget* parent, const QString& startPath, const QString& filter,
                                  const QString& defaultSuffix) {
  return rememberFolder(askFileToSave(parent, startingPath(startPath), filter, defaultSuffix));
}

bool Dialogs::mayWriteFile(QWidget* parent, const QString& path) {
  return !QFileInfo::exists(path) || askToOverwrite(parent, path);
}

void Dialogs::openInBrowser(QWidget* parent, const QUrl& url) {
  if (!QDesktopServices::openUrl(url))
    reportError(parent, QCoreApplication::translate("Dialogs", "Não foi possível abrir %1")
                            .arg(url.toDisplayString()));
}

std::optional<double> Dialogs::askNumber(QWidget* parent, const QString& label, double value,
                                         double lowest, double highest, int decimals) {
  bool ok = false;
  const double chosen = QInputDialog::getDouble(parent, QGuiApplication::applicationDisplayName(),
                                                label, value, lowest, highest, decimals, &ok);
  if (!ok) return std::nullopt;
  return chosen;
}

bool Dialogs::offerToOpen(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Close, parent);
  QPushButton* open =
      box.addButton(QCoreApplication::translate("Dialogs", "&Abrir"), QMessageBox::AcceptRole);
  box.setDefaultButton(open);
  box.exec();
  return box.clickedButton() == open;
}

bool Dialogs::runGuarded(QWidget* parent, const std::function<void()>& operation) {
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
