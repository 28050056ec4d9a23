// The catalog commands in the main window: the refusal box, and the controls that rest while a
// catalog makes its pages; afterwards the window shows where the catalog ended.
#include "reports/catalog_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <functional>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "render/renderer.h"
#include "report_engine/preview_interface.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

struct FakeInterface : TQRPreviewInterface {
  int shows = 0;
  PreviewWindow window;
  PreviewWindow* show(TQRPrinter&) override { return ++shows, &window; }
  PreviewWindow* showModal(TQRPrinter&) override { return nullptr; }
};

// Runs `duringPages` between the cells; waiting means the user closes the window.
struct FakePump : EventPump {
  std::function<void()> duringPages;
  std::function<void()> whileOpen;
  TQRPrinter* printer = nullptr;
  void processEvents() override {
    if (duringPages) duringPages();
  }
  void waitUntil(const std::function<bool()>&) override {
    if (whileOpen) whileOpen();
    printer->closePreview();
  }
};

class CatalogCommandsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString root = QDir(dir.path()).canonicalPath();
    testing::writeFile(root, "libs/one.lib", "DEF Z U 0 40 Y Y 1 F N\nENDDEF\n");
    testing::writeFile(root, "libs/three.lib",
                       "DEF A U 0 40 Y Y 1 F N\nS 0 0 100 100 0 1 0 N\nENDDEF\n"
                       "DEF B U 0 40 Y Y 1 F N\nS 0 0 300 300 0 1 0 N\nENDDEF\n"
                       "DEF C U 0 40 Y Y 1 F N\nC 0 0 200 0 1 0 N\nENDDEF\n");
    testing::writeFile(root, "libs/units.lib",
                       "DEF TWO U 0 40 Y Y 2 L N\nC 0 0 50 1 1 0 N\nS 0 0 300 300 2 1 0 N\n"
                       "ENDDEF\n");
    window.setCatalogReports(&form3, &lista);
    previews.registerPreviewInterface(preview);
    previews.setEventPump(pump);
    form3.QR_FIG.setPreviewRegistry(&previews);
    lista.setPreviewRegistry(&previews);
    window.findChild<DirectoryListBox*>("DLB1")->setDirectory((root + "/libs").toStdString());
  }
  void TearDown() override { window.setCatalogReports(nullptr, nullptr); }
  QListWidget* list(const char* name) { return window.findChild<QListWidget*>(name); }
  void choose(int fileRow) {
    list("FileListBox1")->setCurrentRow(fileRow);
    window.FileListBox1Click();
  }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  PreviewRegistry previews;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window{session, dialogs};
  TForm3 form3{window.catalogs().data()};
  TQR_lista lista{window.catalogs().data()};
  std::shared_ptr<FakeInterface> preview = std::make_shared<FakeInterface>();
  std::shared_ptr<FakePump> pump = std::make_shared<FakePump>();
};

TEST_F(CatalogCommandsWindowTest, WithoutALibraryTheCommandsRefuse) {
  testing::ErrorCatcher errors(dialogs);
  window.b_reportClick();
  window.Lista1Click();
  EXPECT_EQ(errors.messages(), QStringList(2, QString::fromUtf8("Nenhuma biblioteca selecionada")));
  EXPECT_EQ(preview->shows, 0);
}

TEST_F(CatalogCommandsWindowTest, WhileACatalogMakesPagesTheCommandsAndTheListsRest) {
  choose(1);
  pump->printer = &form3.QR_FIG.qrPrinter();
  std::vector<bool> enabledDuring;
  pump->duringPages = [&] {
    if (!enabledDuring.empty()) return;
    for (const char* name : {"b_report", "FileListBox1", "ListBox1", "DLB1"})
      enabledDuring.push_back(window.findChild<QWidget*>(name)->isEnabled());
    enabledDuring.push_back(window.findChild<QAction*>("Lista1")->isEnabled());
    window.Lista1Click();  // a second catalog, a component click, reloading the library
    list("ListBox1")->setCurrentRow(0);
    window.ListBox1Click();
    window.FileListBox1Click();
  };
  bool enabledWhileOpen = false;
  pump->whileOpen = [&] { enabledWhileOpen = list("ListBox1")->isEnabled(); };
  window.findChild<QAction*>("Desenhos1")->trigger();
  EXPECT_EQ(enabledDuring, std::vector<bool>(5, false));
  EXPECT_TRUE(enabledWhileOpen);  // back once the pages are made, the preview still open
  EXPECT_EQ(preview->shows, 1);
  EXPECT_EQ(window.catalogs().CurrentReport(), &form3.QR_FIG);
  EXPECT_EQ(form3.QR_FIG.reportTitle(), "Visão prévia lib: three.lib");
  // The list shows the cursor's last stop, the memo its block.
  EXPECT_EQ(list("ListBox1")->currentRow(), 2);
  EXPECT_EQ(session.browser.memo().front(), "DEF C U 0 40 Y Y 1 F N");
}

TEST_F(CatalogCommandsWindowTest, TheCommandMakesTheCatalogOfTheLibraryNowInUse) {
  choose(1);
  pump->printer = &form3.QR_FIG.qrPrinter();
  std::vector<std::string> titlesWhileOpen;
  pump->whileOpen = [&] {
    titlesWhileOpen.push_back(form3.QR_FIG.reportTitle());
    if (titlesWhileOpen.size() > 1) return;
    window.b_reportClick();  // the same library: its preview is only brought forward
    EXPECT_EQ(preview->shows, 1);
    choose(0);
    window.b_reportClick();  // another library: the open preview gives way to its catalog
  };
  window.b_reportClick();
  EXPECT_EQ(preview->shows, 2);
  EXPECT_EQ(titlesWhileOpen,
            (std::vector<std::string>{"Visão prévia lib: three.lib", "Visão prévia lib: one.lib"}));
  EXPECT_EQ(form3.QR_FIG.qrPrinter().pageCount(), 1);
}

TEST_F(CatalogCommandsWindowTest, AfterACatalogTheListAndTheDrawingShowTheSameComponent) {
  choose(1);
  // The list catalog draws nothing; the drawings catalog closed after its first cell.
  pump->printer = &lista.qrPrinter();
  window.Lista1Click();
  EXPECT_EQ(list("ListBox1")->currentRow(), 2);
  EXPECT_EQ(session.browser.memo().front(), "DEF C U 0 40 Y Y 1 F N");
  pump->printer = &form3.QR_FIG.qrPrinter();
  pump->duringPages = [&] { form3.QR_FIG.qrPrinter().closePreview(); };
  window.b_reportClick();
  const int row = list("ListBox1")->currentRow();
  ASSERT_GE(row, 0);
  EXPECT_EQ(session.browser.memo().front(),
            "DEF " + session.browser.components()[size_t(row)] + " U 0 40 Y Y 1 F N");
}

TEST_F(CatalogCommandsWindowTest, AfterACatalogTheUnitChooserIsBackAtUnitAAsTheDrawing) {
  choose(2);
  auto* units = window.findChild<QComboBox*>("CB_unidade");
  auto view = [&] { return window.findChild<SymbolCanvas*>("Image2")->picture(); };
  const QImage unitA = view();
  units->setCurrentIndex(1);
  ASSERT_NE(view(), unitA);
  // The catalog ends on the same component and draws it afresh.
  pump->printer = &lista.qrPrinter();
  window.Lista1Click();
  EXPECT_EQ(units->currentIndex(), 0);
  EXPECT_EQ(view(), unitA);
}

}  // namespace
}  // namespace quiral
