// Catálogos > Pasta inteira (PDF vetorial): the fine catalog of the folder shown, with its progress
// dialog, its cancel and its failures.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

std::string library(const char* name) {
  return std::string("EESchema-LIBRARY Version 2.4\nDEF ") + name +
         " U 0 40 Y Y 1 F N\nF0 \"U\" 0 150 50 H V C CNN\nDRAW\nS -100 100 100 -100 0 1 10 "
         "N\nENDDRAW\nENDDEF\n#End Library\n";
}

QString pdfText(const QString& path) {
  QProcess text;
  text.start("pdftotext", {path, "-"});
  text.waitForFinished(30000);
  return QString::fromUtf8(text.readAllStandardOutput());
}

class FineCatalogMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = QDir(dir.path()).canonicalPath();
    testing::writeFile(root, "parts/alpha.lib", library("ALPHA_PART"));
    testing::writeFile(root, "parts/alpha.dcm",
                       "EESchema-DOCLIB  Version 2.0\n$CMP ALPHA_PART\nD First described part\n"
                       "$ENDCMP\n#\n#End Doc Library\n");
    testing::writeFile(root, "parts/beta.lib", library("BETA_PART"));
    window.findChild<DirectoryListBox*>("DLB1")->setDirectory((root + "/parts").toStdString());
    dialogs.saveAnswer = [this](auto&&...) { return answer; };
    dialogs.overwriteAnswer = [](auto&&...) { return true; };
  }
  QStringList outputFolder() const {
    return QDir(root + "/out").entryList(QDir::Files | QDir::Hidden | QDir::System);
  }
  void run() { window.findChild<QAction*>("PastaVetorial1")->trigger(); }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window{session, dialogs};
  testing::ErrorCatcher errors{dialogs};
  QString answer;  // what the save dialog answers
};

TEST_F(FineCatalogMenuTest, WritesEveryLibraryAsOneSearchablePdfAndNamesWhatItLeftOut) {
  testing::writeFile(root, "parts/broken.kicad_sym", "(kicad_symbol_lib (symbol \"X\"");
  QDir(root).mkpath("out");
  answer = root + "/out/all";
  run();
  ASSERT_EQ(outputFolder(), QStringList{"all.pdf"});
  const QString text = pdfText(root + "/out/all.pdf");
  for (const char* expected : {"ALPHA_PART", "First described part", "BETA_PART", "alpha.lib"})
    EXPECT_TRUE(text.contains(expected)) << expected;
  ASSERT_EQ(errors.messages().size(), 1);
  EXPECT_TRUE(errors.messages()[0].contains("broken.kicad_sym"))
      << errors.messages()[0].toStdString();
  // The end is said with the file, which the user may open from there.
  ASSERT_EQ(dialogs.offers.size(), 1);
  EXPECT_TRUE(dialogs.offers[0].contains(root + "/out/all.pdf")) << dialogs.offers[0].toStdString();
  EXPECT_TRUE(dialogs.openedInBrowser.isEmpty());
}

TEST_F(FineCatalogMenuTest, CancelAndFailuresLeaveNoFile) {
  // Enough cells for the dialog to be heard before the end.
  std::string many = "EESchema-LIBRARY Version 2.4\n";
  for (int i = 0; i < 200; ++i)
    many += "DEF M" + std::to_string(i) +
            " U 0 40 Y Y 1 F N\nDRAW\nS 0 0 100 100 0 1 0 N\nENDDRAW\nENDDEF\n";
  testing::writeFile(root, "parts/many.lib", many + "#End Library\n");
  QDir(root).mkpath("out");
  answer = root + "/out/cancelled.pdf";
  int cancels = 0;
  QTimer user;
  user.setInterval(1);
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (progress && progress->objectName() == "FineProgress" && progress->value() > 0)
      ++cancels, progress->cancel();
  });
  user.start();
  run();
  user.stop();
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(errors.messages().isEmpty());
  EXPECT_TRUE(outputFolder().isEmpty());

  // A folder in place of the target, a target under a missing folder.
  QDir(root).mkpath("out/taken.pdf");
  for (const QString& target : {root + "/out/taken.pdf", root + "/none/x.pdf"}) {
    answer = target;
    run();
  }
  ASSERT_EQ(errors.messages().size(), 2);
  EXPECT_EQ(errors.messages()[0], testing::platformText(root + "/out/taken.pdf", EISDIR));
  EXPECT_EQ(errors.messages()[1], testing::platformText(root + "/none/x.pdf", ENOENT));
  EXPECT_TRUE(outputFolder().isEmpty());
}

}  // namespace
}  // namespace quiral
