// The catalog commands without a window: refusal, naming, the rewind, and what a command does
// while a catalog is generating or on show; the PDF button of the previewing window.
#include "reports/catalog_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/error.h"
#include "report_engine/preview_interface.h"
#include "reports/catalog_cursor.h"
#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

using testing::CatalogFixture;
using testing::printedCells;
using testing::TempDir;
using testing::writeBytes;
using Outcome = CatalogCommands::Outcome;

class CatalogCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.file("libs"));
    writeBytes(dir.file("libs/mylib.lib"), testing::numberedLibrary(3));
    writeBytes(dir.file("libs/other.lib"), testing::numberedLibrary(2));
  }
  std::string label5(CatalogKind kind) {
    return f.report(kind).find<TQRLabel>("QRLabel5")->caption();
  }
  TempDir dir;
  CatalogFixture f;
};

TEST_F(CatalogCommandsTest, AnEmptyComponentListIsRefusedAndNothingChanges) {
  EXPECT_STREQ(CatalogCommands::kNoLibrary, "Nenhuma biblioteca selecionada");
  EXPECT_EQ(f.commands.begin(CatalogKind::Drawings), Outcome::Refused);
  EXPECT_EQ(f.commands.CurrentReport(), nullptr);

  f.load(dir.file("libs/mylib.lib"));
  EXPECT_EQ(f.commands.begin(CatalogKind::List), Outcome::Ready);
  writeBytes(dir.file("libs/empty.lib"), "EESchema-LIBRARY Version 2.4\n");
  f.load(dir.file("libs/empty.lib"));
  EXPECT_EQ(f.prepare(CatalogKind::Drawings), Outcome::Refused);
  EXPECT_EQ(f.needDataCalls, 0);
  EXPECT_EQ(f.commands.CurrentReport(), &f.report(CatalogKind::List));
  EXPECT_EQ(label5(CatalogKind::List), "Biblioteca: mylib.lib");
}

TEST_F(CatalogCommandsTest, TheCommandNamesTheLibraryInUseAndItsDocumentationBesideIt) {
  f.load(dir.file("libs/mylib.lib"));
  f.session.browser.components().select(2);
  f.session.renderer.state().PrintRemaining = 0;
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
    ASSERT_EQ(f.commands.begin(kind), Outcome::Ready);
    EXPECT_EQ(f.commands.CurrentReport(), &f.report(kind));
    EXPECT_EQ(label5(kind), "Biblioteca: mylib.lib");
    EXPECT_EQ(f.report(kind).reportTitle(), "Visão prévia lib: mylib.lib");
    EXPECT_EQ(f.commands.DocumentationPath(), dir.file("libs/mylib.dcm"));
    // Rewound: every component to come, the first one selected.
    EXPECT_EQ(f.session.renderer.state().PrintRemaining, 3);
    EXPECT_EQ(f.session.browser.components().selectedIndex(), 0);
  }
  // A library given without a folder has its documentation in the current folder.
  Session bare;
  CatalogCommands commands(bare);
  TQR_lista lista(commands.data());
  commands.setReports(nullptr, &lista);
  bare.browser.B_carregarClick(dir.file("libs/other.lib"));
  commands.begin(CatalogKind::List);
  EXPECT_EQ(commands.DocumentationPath(), dir.file("libs/other.dcm"));
}

TEST_F(CatalogCommandsTest, ZerarparaimprimirRewindsOnlyTheTwoCatalogs) {
  f.load(dir.file("libs/mylib.lib"));
  TQuickRep lowerCase("qr_fig"), other("QR_OTHER");
  f.session.browser.components().select(2);
  f.commands.zerarparaimprimir(other);
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 0);
  EXPECT_EQ(f.session.browser.components().selectedIndex(), 2);
  f.commands.zerarparaimprimir(lowerCase);
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 3);
  EXPECT_EQ(f.session.browser.components().selectedIndex(), 0);
  f.session.browser.components().select(1);
  f.commands.zerarparaimprimir(f.report(CatalogKind::List));
  EXPECT_EQ(f.session.browser.components().selectedIndex(), 0);
}

TEST_F(CatalogCommandsTest, ASecondCommandDuringAGenerationChangesNothing) {
  f.load(dir.file("libs/mylib.lib"));
  std::vector<Outcome> outcomes;
  TQuickRep& drawings = f.report(CatalogKind::Drawings);
  auto inner = drawings.needDataHook();
  drawings.setNeedData([&](TQuickRep& r, bool& more) {
    inner(r, more);
    if (outcomes.empty()) {
      outcomes.push_back(f.commands.begin(CatalogKind::List));
      outcomes.push_back(f.commands.begin(CatalogKind::Drawings));
    }
  });
  EXPECT_FALSE(f.commands.generating());
  ASSERT_EQ(f.commands.runWithoutWindow(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(outcomes, (std::vector<Outcome>{Outcome::Busy, Outcome::Busy}));
  EXPECT_EQ(f.commands.CurrentReport(), &drawings);
  EXPECT_EQ(printedCells(drawings).size(), 3u);
  EXPECT_EQ(label5(CatalogKind::List), "Biblioteca: ");
}

// A preview window that records what the report asks of it.
struct RecordingWindow : PreviewWindow {
  std::vector<bool> pdfButton;
  void setPdfButtonEnabled(bool enabled) override { pdfButton.push_back(enabled); }
};

struct RecordingInterface : TQRPreviewInterface {
  RecordingWindow window;
  PreviewWindow* show(TQRPrinter&) override { return &window; }
  PreviewWindow* showModal(TQRPrinter& printer) override {
    printer.closePreview();
    return nullptr;
  }
};

// The user: does `whileOpen` once the pages are made, then closes the window.
struct ScriptedPump : EventPump {
  std::function<void()> whileOpen;
  TQRPrinter* printer = nullptr;
  void processEvents() override {}
  void waitUntil(const std::function<bool()>& done) override {
    if (whileOpen) whileOpen();
    printer->closePreview();
    EXPECT_TRUE(done());
  }
};

class CatalogPreviewTest : public CatalogCommandsTest {
 protected:
  void SetUp() override {
    CatalogCommandsTest::SetUp();
    PreviewRegistry::instance().clear();
    PreviewRegistry::instance().registerPreviewInterface(preview);
    PreviewRegistry::instance().setEventPump(pump);
    f.load(dir.file("libs/mylib.lib"));
  }
  void TearDown() override { PreviewRegistry::instance().clear(); }

  std::shared_ptr<RecordingInterface> preview = std::make_shared<RecordingInterface>();
  std::shared_ptr<ScriptedPump> pump = std::make_shared<ScriptedPump>();
};

TEST_F(CatalogPreviewTest, ACommandForAReportOnShowChangesNothing) {
  pump->printer = &f.report(CatalogKind::Drawings).qrPrinter();
  Outcome again = Outcome::Ready;
  std::string pathWhileOpen;
  pump->whileOpen = [&] {
    f.load(dir.file("libs/other.lib"));  // the user opens another library meanwhile
    again = f.commands.begin(CatalogKind::Drawings);
  };
  ASSERT_EQ(f.commands.run(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(again, Outcome::AlreadyShowing);
  EXPECT_EQ(label5(CatalogKind::Drawings), "Biblioteca: mylib.lib");
  EXPECT_EQ(f.commands.DocumentationPath(), dir.file("libs/mylib.dcm"));
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 0);  // not rewound
  // Closed: the next command starts afresh with the library now in use.
  pump->whileOpen = nullptr;
  ASSERT_EQ(f.commands.run(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(label5(CatalogKind::Drawings), "Biblioteca: other.lib");
}

TEST_F(CatalogPreviewTest, TheDrawingsCatalogHoldsThePdfButtonWhileItMakesPages) {
  pump->printer = &f.report(CatalogKind::Drawings).qrPrinter();
  f.commands.run(CatalogKind::Drawings);
  // Disabled with each of the 3 cells, enabled by the last call and at the generation's end.
  EXPECT_EQ(preview->window.pdfButton, (std::vector<bool>{false, false, false, true, true}));

  // The list catalog leaves the button alone.
  preview->window.pdfButton.clear();
  pump->printer = &f.report(CatalogKind::List).qrPrinter();
  f.commands.run(CatalogKind::List);
  EXPECT_TRUE(preview->window.pdfButton.empty());

  // Without a window there is nothing to enable or disable.
  f.prepare(CatalogKind::Drawings);
  EXPECT_TRUE(preview->window.pdfButton.empty());
}

TEST_F(CatalogPreviewTest, AFailedGenerationEnablesTheButtonAndKeepsItsPages) {
  std::filesystem::create_directory(dir.file("libs/mylib.dcm"));  // unreadable as text
  pump->printer = &f.report(CatalogKind::Drawings).qrPrinter();
  EXPECT_THROW(f.commands.run(CatalogKind::Drawings), FileError);
  EXPECT_EQ(preview->window.pdfButton, std::vector<bool>{true});
  TQuickRep& drawings = f.report(CatalogKind::Drawings);
  EXPECT_EQ(drawings.qrPrinter().pageCount(), 1);
  EXPECT_FALSE(f.commands.generating());
  // The window is still open with its page; once closed, the report works again.
  drawings.qrPrinter().closePreview();
  std::filesystem::remove(dir.file("libs/mylib.dcm"));
  EXPECT_EQ(f.prepare(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(printedCells(drawings).size(), 3u);
}

}  // namespace
}  // namespace quiral
