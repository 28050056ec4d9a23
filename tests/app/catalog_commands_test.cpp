// The catalog commands of the main window: refusal, what they hand to the reports, the
// controls that rest while a catalog makes its pages, and the window after a catalog.
#include "reports/catalog_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "render/renderer.h"
#include "report_engine/preview_interface.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

using testing::CurrentFolderGuard;
using testing::ErrorCatcher;
using testing::writeFile;

struct FakePreview : QWidget, PreviewWindow {};

struct FakeInterface : TQRPreviewInterface {
  int shows = 0;
  FakePreview window;
  PreviewWindow* show(TQRPrinter&) override {
    ++shows;
    return &window;
  }
  PreviewWindow* showModal(TQRPrinter&) override { return nullptr; }
};

// The event loop while a preview is open: `duringPages` runs between the cells, `whileOpen`
// once the pages are made; then the user closes the window.
struct FakePump : EventPump {
  std::function<void()> duringPages;
  std::function<void()> whileOpen;
  TQRPrinter* printer = nullptr;
  void processEvents() override {
    if (duringPages) duringPages();
  }
  void waitUntil(const std::function<bool()>& done) override {
    if (whileOpen) whileOpen();
    if (printer) printer->closePreview();
    EXPECT_TRUE(done());
  }
};

class CatalogCommandsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = QDir(dir.path()).canonicalPath();
    writeFile(root, "libs/three.lib",
              "DEF A U 0 40 Y Y 1 F N\nS 0 0 100 100 0 1 0 N\nENDDEF\n"
              "DEF B U 0 40 Y Y 1 F N\nS 0 0 300 300 0 1 0 N\nENDDEF\n"
              "DEF C U 0 40 Y Y 1 F N\nC 0 0 200 0 1 0 N\nENDDEF\n");
    window = std::make_unique<TForm1>(session);
    form3 = std::make_unique<TForm3>(window->catalogs().data());
    lista = std::make_unique<TQR_lista>(window->catalogs().data());
    window->setCatalogReports(form3.get(), lista.get());
    window->setDefaultFolderCandidates({});
    PreviewRegistry::instance().clear();
    PreviewRegistry::instance().registerPreviewInterface(preview);
    PreviewRegistry::instance().setEventPump(pump);
    window->findChild<DirectoryListBox*>("DLB1")->setDirectory((root + "/libs").toStdString());
  }
  void TearDown() override {
    window->setCatalogReports(nullptr, nullptr);
    PreviewRegistry::instance().clear();
  }
  void chooseLibrary() {
    auto* files = window->findChild<QListWidget*>("FileListBox1");
    files->setCurrentRow(0);
    window->FileListBox1Click();
  }
  QListWidget* components() { return window->findChild<QListWidget*>("ListBox1"); }

  CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  Session session;
  std::unique_ptr<TForm1> window;
  std::unique_ptr<TForm3> form3;
  std::unique_ptr<TQR_lista> lista;
  std::shared_ptr<FakeInterface> preview = std::make_shared<FakeInterface>();
  std::shared_ptr<FakePump> pump = std::make_shared<FakePump>();
};

TEST_F(CatalogCommandsWindowTest, WithoutALibraryTheCommandsRefuse) {
  ErrorCatcher errors;
  window->b_reportClick();
  window->Lista1Click();
  EXPECT_EQ(errors.messages(), QStringList(2, QString::fromUtf8("Nenhuma biblioteca selecionada")));
  EXPECT_EQ(window->catalogs().CurrentReport(), nullptr);
  EXPECT_EQ(preview->shows, 0);
}

TEST_F(CatalogCommandsWindowTest, TheMenuEntryPreviewsTheDrawingsCatalogAndTheWindowFollows) {
  chooseLibrary();
  pump->printer = &form3->QR_FIG.qrPrinter();
  window->findChild<QAction*>("Desenhos1")->trigger();
  EXPECT_EQ(preview->shows, 1);
  EXPECT_EQ(window->catalogs().CurrentReport(), &form3->QR_FIG);
  EXPECT_EQ(form3->QR_FIG.reportTitle(), "Visão prévia lib: three.lib");
  EXPECT_EQ(form3->QR_FIG.find<TQRLabel>("QRLabel5")->caption(), "Biblioteca: three.lib");
  EXPECT_EQ(window->catalogs().DocumentationPath(), (root + "/libs/three.dcm").toStdString());
  // The list shows the cursor's last stop, and the memo its block.
  EXPECT_EQ(components()->currentRow(), 2);
  EXPECT_EQ(session.browser.memo().front(), "DEF C U 0 40 Y Y 1 F N");
}

TEST_F(CatalogCommandsWindowTest, WhileACatalogMakesPagesTheOtherCommandsAndTheListsRest) {
  chooseLibrary();
  pump->printer = &lista->qrPrinter();
  std::vector<bool> enabledDuring;
  int cellsSeen = 0;
  pump->duringPages = [&] {
    if (cellsSeen++ != 1) return;
    for (const char* name : {"b_report", "FileListBox1", "ListBox1", "DLB1"})
      enabledDuring.push_back(window->findChild<QWidget*>(name)->isEnabled());
    enabledDuring.push_back(window->findChild<QAction*>("Desenhos1")->isEnabled());
    window->b_reportClick();         // a second catalog
    components()->setCurrentRow(0);  // a click in the component list
    window->ListBox1Click();
    window->FileListBox1Click();  // reloading the library the cursor walks
  };
  bool enabledAfter = false;
  pump->whileOpen = [&] { enabledAfter = window->findChild<QWidget*>("ListBox1")->isEnabled(); };
  window->Lista1Click();
  EXPECT_EQ(enabledDuring, std::vector<bool>(5, false));
  EXPECT_TRUE(enabledAfter);  // back as soon as the pages are made, preview still open
  EXPECT_EQ(preview->shows, 1);
  EXPECT_EQ(window->catalogs().CurrentReport(), lista.get());
  EXPECT_EQ(lista->qrPrinter().pageCount(), 1);
  EXPECT_EQ(session.renderer.state().PrintRemaining, 0);
  EXPECT_EQ(components()->currentRow(), 2);
}

TEST_F(CatalogCommandsWindowTest, ACommandForTheCatalogOnShowOnlyRaisesItsWindow) {
  chooseLibrary();
  pump->printer = &form3->QR_FIG.qrPrinter();
  pump->whileOpen = [&] {
    components()->setCurrentRow(0);
    window->ListBox1Click();
    window->b_reportClick();
  };
  window->b_reportClick();
  EXPECT_EQ(preview->shows, 1);
  EXPECT_EQ(session.renderer.state().PrintRemaining, 0);  // not rewound again
}

}  // namespace
}  // namespace quiral
