// The export's progress dialog: its controls, and what an export shows in them.
#include "app/progress_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

namespace quiral {
namespace {

TEST(ProgressDialog, ShowsThePageAndStepsTheBarToItsEnd) {
  TFPrgrs dialog;
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint) << "an export cannot be cancelled";
  // What the user sees: the panel fills the dialog, the caption sits above the bar, and both are
  // whole inside it.
  EXPECT_EQ(dialog.Panel1->geometry(), dialog.rect());
  EXPECT_TRUE(dialog.rect().contains(dialog.Accion->geometry()));
  EXPECT_TRUE(dialog.rect().contains(dialog.PB->geometry()));
  EXPECT_LE(dialog.Accion->geometry().bottom(), dialog.PB->geometry().top());
  EXPECT_GE(dialog.PB->width(), dialog.width() / 2) << "a bar one can read";

  ExportProgress& progress = dialog;
  progress.start(2);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), "Exporting...");
  EXPECT_EQ(dialog.PB->maximum(), 1);
  EXPECT_EQ(dialog.Accion->text(), QString::fromUtf8("Página..."));
  for (int page = 1; page <= 2; ++page) {
    progress.pageStarted(page, 2, "Page... " + std::to_string(page) + " of 2");
    progress.pageDone();
  }
  EXPECT_EQ(dialog.Accion->text(), "Page... 2 of 2");
  EXPECT_EQ(dialog.PB->value(), 1);  // stops at its end
  progress.finish();
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace quiral
