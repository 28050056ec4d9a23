// Catálogos > Site (HTML)…: the web catalog of the folder shown, its cancel, its refusals and the
// offer to open it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

std::string libraryOf(int count) {
  std::string text = "EESchema-LIBRARY Version 2.4\n";
  for (int i = 0; i < count; ++i)
    text += "DEF PART" + std::to_string(i) +
            " U 0 40 Y Y 1 F N\nF0 \"U\" 0 150 50 H V C CNN\nDRAW\nS -100 100 100 -100 0 1 10 "
            "N\nX IN 1 -200 0 100 R 50 50 1 1 I\nENDDRAW\nENDDEF\n";
  return text + "#End Library\n";
}

class SiteMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = QDir(dir.path()).canonicalPath();
    testing::writeFile(root, "parts/alpha.lib", libraryOf(1));
    testing::writeFile(root, "parts/many.lib", libraryOf(300));
    window.findChild<DirectoryListBox*>("DLB1")->setDirectory((root + "/parts").toStdString());
  }
  void run() { window.findChild<QAction*>("SiteHtml1")->trigger(); }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window{session, dialogs};
  testing::ErrorCatcher errors{dialogs};
};

TEST_F(SiteMenuTest, WritesTheFolderOffersToOpenItAndACancelKeepsTheOldSite) {
  dialogs.folderAnswer = root + "/site";
  dialogs.yesNoAnswer = true;
  run();
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join("\n").toStdString();
  EXPECT_TRUE(QFile::exists(root + "/site/alpha.html"));
  EXPECT_TRUE(QFile::exists(root + "/site/many/PART299.svg"));
  ASSERT_EQ(dialogs.openedInBrowser.size(), 1);
  EXPECT_EQ(dialogs.openedInBrowser[0], QUrl::fromLocalFile(root + "/site/index.html"));

  // A second run cancelled half way: the first site stays whole, nothing else is left beside it.
  testing::writeFile(root, "parts/alpha.lib", libraryOf(2));
  int cancels = 0;
  QTimer user;
  user.setInterval(1);
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (progress && progress->objectName() == "SiteProgress" && progress->value() > 0)
      ++cancels, progress->cancel();
  });
  user.start();
  run();
  user.stop();
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(errors.messages().isEmpty());
  EXPECT_FALSE(QFile::exists(root + "/site/alpha/PART1.svg"));
  EXPECT_TRUE(QFile::exists(root + "/site/many/PART299.svg"));
  EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"parts", "site"}));
  EXPECT_EQ(dialogs.openedInBrowser.size(), 1);
}

TEST_F(SiteMenuTest, AFolderWithTheUsersFilesIsRefusedAndKept) {
  testing::writeFile(root, "mine/notes.txt", "mine");
  dialogs.folderAnswer = root + "/mine";
  run();
  ASSERT_EQ(errors.messages().size(), 1);
  EXPECT_TRUE(errors.messages()[0].contains("mine")) << errors.messages()[0].toStdString();
  EXPECT_EQ(QDir(root + "/mine").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"notes.txt"});
  EXPECT_TRUE(dialogs.questions.isEmpty());
}

}  // namespace
}  // namespace quiral
