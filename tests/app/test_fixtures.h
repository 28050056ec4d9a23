#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "render/renderer.h"

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
  QString folderAnswer;      // what the folder dialog answers
  bool yesNoAnswer = false;  // what a yes-or-no question answers
  QStringList questions;     // the questions asked
  bool askYesNo(QWidget*, const QString& text) override {
    questions << text;
    return yesNoAnswer;
  }

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
  QString askFolder(QWidget*, const QString&, const QString&) override { return folderAnswer; }

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

// The window tests' one fixture: a main window of its own on a scratch folder (`root`), with
// dialogs that show nothing, and the user's ways to reach its lists and its drawing.
class WindowTest : public ::testing::Test {
 protected:
  // Makes the window (without default folders), shows it at `size` when one is given and opens
  // `folder` in its folder list.
  void showWindow(const QString& folder, QSize size = {});

  template <typename W>
  W* widget(const char* name) {
    W* found = window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QListWidget* files() { return widget<QListWidget>("FileListBox1"); }
  QListWidget* components() { return widget<QListWidget>("ListBox1"); }
  // The symbol view's picture.
  QImage view();
  // A user's click on entry `row` of a list, or of the list named `list`.
  static void click(QListWidget* list, int row);
  void choose(const char* list, int row) { click(widget<QListWidget>(list), row); }
  // A click on the file of that name in the file list.
  void chooseFile(const QString& name);
  static QStringList texts(const QListWidget* list);

  CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root = QDir(dir.path()).canonicalPath();
  TestDialogs dialogs;
  Session session;
  std::unique_ptr<TForm1> window;
};

}  // namespace quiral::testing
