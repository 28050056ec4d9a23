// Catálogos > Comparar com…: the review of the library on show against a chosen one, opened in
// the browser (which the test's dialogs only note).
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QStandardPaths>

#include "app/main_window.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

std::string library(const char* pinY) {
  return std::string(
             "EESchema-LIBRARY Version 2.4\nDEF AMP U 0 40 Y Y 1 F N\nF0 \"U\" 0 150 50 H V C "
             "CNN\nDRAW\nS -100 100 100 -100 0 1 10 N\nX IN 1 -200 ") +
         pinY + " 100 R 50 50 1 1 I\nENDDRAW\nENDDEF\n#End Library\n";
}

TEST(LibraryReviewMenu, ReviewsTheLibraryOnShowAgainstTheChosenOneInTheBrowser) {
  QStandardPaths::setTestModeEnabled(true);  // reports go to a test cache, not the user's
  QTemporaryDir dir;
  const QString root = dir.path();
  testing::writeFile(root, "old/amp.lib", library("0"));
  testing::writeFile(root, "new/amp.lib", library("50"));
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window{session, dialogs};
  testing::ErrorCatcher errors{dialogs};
  QAction* compare = window.findChild<QAction*>("CompararCom1");
  ASSERT_TRUE(compare);

  // No library in use: the program's refusal, no question asked.
  bool asked = false;
  dialogs.openAnswer = [&](auto&&...) {
    asked = true;
    return root + "/new/amp.lib";
  };
  compare->trigger();
  EXPECT_EQ(errors.messages(), QStringList{"Nenhuma biblioteca selecionada"});
  EXPECT_FALSE(asked);

  session.browser.LoadLibrary((root + "/old").toStdString(), std::string("amp.lib"));
  compare->trigger();
  EXPECT_TRUE(asked);
  ASSERT_EQ(dialogs.openedInBrowser.size(), 1);
  const QString report = dialogs.openedInBrowser[0].toLocalFile();
  QFile page(report);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << report.toStdString();
  const QString html = QString::fromUtf8(page.readAll());
  EXPECT_TRUE(html.contains("pin moved: 1 (IN): (-200, 0) -&gt; (-200, 50)"));
  EXPECT_TRUE(html.contains("<svg"));
  QFile::remove(report);

  // A chosen file that cannot be read: the error box names it, nothing is opened.
  dialogs.openAnswer = [&](auto&&...) { return root + "/none.lib"; };
  compare->trigger();
  ASSERT_EQ(errors.messages().size(), 2);
  EXPECT_TRUE(errors.messages()[1].contains("none.lib"));
  EXPECT_EQ(dialogs.openedInBrowser.size(), 1);
}

}  // namespace
}  // namespace quiral
