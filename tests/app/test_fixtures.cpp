#include "tests/app/test_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <cstring>

#include "app/directory_list_box.h"
#include "app/symbol_canvas.h"

namespace quiral::testing {

void writeFile(const QString& folder, const QString& name, const std::string& bytes) {
  const QString path = folder + QLatin1Char('/') + name;
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

bool TestDialogs::runPrintDialog(QWidget*, QPrinter& printer, int highestPage) {
  return printAnswer && printAnswer(printer, highestPage);
}

QString TestDialogs::askFileToOpen(QWidget*, const QString& startPath, const QString& filter) {
  return openAnswer ? openAnswer(startPath, filter) : QString();
}

QString TestDialogs::askFileToSave(QWidget*, const QString& startPath, const QString& filter,
                                   const QString& defaultSuffix) {
  return saveAnswer ? saveAnswer(startPath, filter, defaultSuffix) : QString();
}

bool TestDialogs::askToOverwrite(QWidget*, const QString& path) {
  return overwriteAnswer && overwriteAnswer(path);
}

CurrentFolderGuard::CurrentFolderGuard() {
  char* path = ::getcwd(nullptr, 0);
  if (path) saved_ = path;
  ::free(path);
}

CurrentFolderGuard::~CurrentFolderGuard() {
  if (!saved_.empty() && ::chdir(saved_.c_str()) != 0)
    ADD_FAILURE() << "cannot return to " << saved_;
}

QString platformText(const QString& path, int errorNumber) {
  return path + ": " + QString::fromLocal8Bit(std::strerror(errorNumber));
}

bool hasInk(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x)
      if ((rgb.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
  return false;
}

void WindowTest::showWindow(const QString& folder, QSize size) {
  window = std::make_unique<TForm1>(session, dialogs);
  window->setDefaultFolderCandidates({});
  if (size.isValid()) window->resize(size);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  widget<DirectoryListBox>("DLB1")->setDirectory(folder.toStdString());
}

QImage WindowTest::view() {
  return widget<SymbolCanvas>("Image2")->picture();
}

void WindowTest::click(QListWidget* list, int row) {
  ASSERT_NE(list, nullptr);
  ASSERT_GE(row, 0);
  ASSERT_LT(row, list->count());
  list->scrollToItem(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

void WindowTest::chooseFile(const QString& name) {
  const QList<QListWidgetItem*> hits = files()->findItems(name, Qt::MatchExactly);
  ASSERT_EQ(hits.size(), 1) << name.toStdString();
  click(files(), files()->row(hits[0]));
}

QStringList WindowTest::texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace quiral::testing
