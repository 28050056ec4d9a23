#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

#include "app/dialogs.h"

namespace quiral::testing {

// Writes `bytes` to `folder`/`name`, creating folders on the way; fails the test when it cannot.
void writeFile(const QString& folder, const QString& name, const std::string& bytes);

// Dialogs that show nothing: the error box's texts are kept, and the file, overwrite and print
// dialogs answer through the functions a test sets (unset, they are cancelled or refused).
class TestDialogs : public Dialogs {
 public:
  std::function<QString(const QString& startPath, const QString& filter)> openAnswer;
  std::function<QString(const QString& startPath, const QString& filter, const QString& suffix)>
      saveAnswer;
  std::function<bool(const QString& path)> overwriteAnswer;
  std::function<bool(QPrinter& printer, int highestPage)> printAnswer;

  void reportError(QWidget*, const QString& text) override { messages_ << text; }
  // Nothing is opened; the addresses are kept.
  void openInBrowser(QWidget*, const QUrl& url) override { openedInBrowser << url; }
  QList<QUrl> openedInBrowser;
  // The texts offered with an "Abrir" button; `openAnswer` of none: not opened.
  bool offerToOpen(QWidget*, const QString& text) override {
    offers << text;
    return offerAnswer && offerAnswer(text);
  }
  QStringList offers;
  // Numbers asked for are answered by `numberAnswer` (unset: the value offered), and kept.
  std::optional<double> askNumber(QWidget*, const QString&, double value, double, double,
                                  int) override {
    numbersOffered << value;
    return numberAnswer ? numberAnswer(value) : value;
  }
  QList<double> numbersOffered;
  std::function<std::optional<double>(double value)> numberAnswer;
  std::function<bool(const QString& text)> offerAnswer;
  bool runPrintDialog(QWidget*, QPrinter& printer, int highestPage) override;
  const QStringList& messages() const { return messages_; }

 protected:
  QString askFileToOpen(QWidget*, const QString& startPath, const QString& filter) override;
  QString askFileToSave(QWidget*, const QString& startPath, const QString& filter,
                        const QString& defaultSuffix) override;
  bool askToOverwrite(QWidget*, const QString& path) override;

 private:
  QStringList messages_;
};

// The error box's texts shown through `dialogs` from the moment this is made.
class ErrorCatcher {
 public:
  explicit ErrorCatcher(const TestDialogs& dialogs)
      : dialogs_(dialogs), start_(dialogs.messages().size()) {}
  QStringList messages() const { return dialogs_.messages().mid(start_); }

 private:
  const TestDialogs& dialogs_;
  qsizetype start_;
};

// Puts the process's current folder back when the test ends (the folder list moves it).
class CurrentFolderGuard {
 public:
  CurrentFolderGuard();
  ~CurrentFolderGuard();

 private:
  std::string saved_;
};

// What the error box shows for a failed file: its path and the platform's text for the errno.
QString platformText(const QString& path, int errorNumber);

// True when the image has a pixel that is not white.
bool hasInk(const QImage& image);

}  // namespace quiral::testing
