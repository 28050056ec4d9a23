// The catalog commands without a window: refusal, naming, the rewind, a command while a catalog
// generates or is on show, and the PDF button of the previewing window.
#include "reports/catalog_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/error.h"
#include "report_engine/preview_interface.h"
#include "tests/reports/catalog_fixtures.h"

namespace quiral {
namespace {

using testing::printedCells;
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
  testing::TempDir dir;
  testing::CatalogFixture f;
};

TEST_F(CatalogCommandsTest, RefusesAnEmptyListElseNamesTheLibraryInUseAndRewinds) {
  EXPECT_EQ(f.commands.begin(CatalogKind::Drawings), Outcome::Refused);
  EXPECT_EQ(f.commands.CurrentReport(), nullptr);

  f.load(dir.file("libs/mylib.lib"));
  f.session.browser.components().select(2);
  for (CatalogKind kind : {CatalogKind::Drawings, CatalogKind::List}) {
    ASSERT_EQ(f.commands.begin(kind), Outcome::Ready);
    EXPECT_EQ(f.commands.CurrentReport(), &f.report(kind));
    EXPECT_EQ(label5(kind), "Biblioteca: mylib.lib");
    EXPECT_EQ(f.report(kind).reportTitle(), "Visão prévia lib: mylib.lib");
    EXPECT_EQ(f.commands.DocumentationPath(), dir.file("libs/mylib.dcm"));
    EXPECT_EQ(f.session.renderer.state().PrintRemaining, 3);
    EXPECT_EQ(f.session.browser.components().selectedIndex(), 0);
  }
  writeBytes(dir.file("libs/empty.lib"), "EESchema-LIBRARY Version 2.4\n");
  f.load(dir.file("libs/empty.lib"));
  EXPECT_EQ(f.prepare(CatalogKind::Drawings), Outcome::Refused);
  EXPECT_EQ(f.needDataCalls, 0);
  EXPECT_EQ(f.commands.CurrentReport(), &f.report(CatalogKind::List));  // kept

  // The rewind takes the two catalogs by name, in any letter case, and nothing else.
  f.load(dir.file("libs/mylib.lib"));
  TQuickRep lowerCase("qr_fig"), other("QR_OTHER");
  f.session.renderer.state().PrintRemaining = 0;
  f.commands.zerarparaimprimir(other);
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 0);
  f.commands.zerarparaimprimir(lowerCase);
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 3);
}

TEST_F(CatalogCommandsTest, ASecondCommandDuringAGenerationChangesNothing) {
  f.load(dir.file("libs/mylib.lib"));
  std::vector<Outcome> outcomes;
  TQuickRep& drawings = f.report(CatalogKind::Drawings);
  auto inner = drawings.needDataHook();
  drawings.setNeedData([&](TQuickRep& r, bool& more) {
    inner(r, more);
    if (outcomes.empty())
      outcomes = {f.commands.begin(CatalogKind::List), f.commands.begin(CatalogKind::Drawings)};
  });
  ASSERT_EQ(f.commands.runWithoutWindow(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(outcomes, (std::vector<Outcome>{Outcome::Busy, Outcome::Busy}));
  EXPECT_EQ(f.commands.CurrentReport(), &drawings);
  EXPECT_EQ(printedCells(drawings).size(), 3u);
  EXPECT_EQ(label5(CatalogKind::List), "Biblioteca: ");
}

TEST_F(CatalogCommandsTest, AnExportIsPreparedOnlyForACatalogThatIsNotMakingPages) {
  f.load(dir.file("libs/mylib.lib"));
  ASSERT_EQ(f.prepare(CatalogKind::Drawings), Outcome::Ready);
  TQuickRep& drawings = f.report(CatalogKind::Drawings);
  TQuickRep other("QR_OTHER");
  EXPECT_EQ(f.commands.prepareExport(other.qrPrinter()), nullptr);  // no catalog's pages

  TQuickRep* during = &drawings;  // asked while the list catalog makes its pages
  TQuickRep& list = f.report(CatalogKind::List);
  auto inner = list.needDataHook();
  list.setNeedData([&](TQuickRep& r, bool& more) {
    inner(r, more);
    if (during == &drawings) during = f.commands.prepareExport(drawings.qrPrinter());
  });
  ASSERT_EQ(f.commands.runWithoutWindow(CatalogKind::List), Outcome::Ready);
  EXPECT_EQ(during, nullptr);

  f.session.browser.components().select(2);
  drawings.page().leftMargin = drawings.page().rightMargin = 100;
  EXPECT_EQ(f.commands.prepareExport(drawings.qrPrinter()), &drawings);
  EXPECT_EQ(drawings.page().leftMargin, 0);  // the export places pages at the paper's edge
  EXPECT_EQ(drawings.page().rightMargin, 0);
  EXPECT_EQ(printedCells(drawings).size(), 3u);  // rewound: every component again
}

TEST(CatalogPrinting, TheDialogsChoiceGivesThePagesPrinted) {
  using Range = CatalogCommands::PageRange;
  EXPECT_EQ(CatalogCommands::printedPages(false, 2, 3, 9), (Range{1, 9}));
  EXPECT_EQ(CatalogCommands::printedPages(true, 0, 3, 9), (Range{1, 9}));  // no first page
  EXPECT_EQ(CatalogCommands::printedPages(true, 2, 0, 9), (Range{2, 9}));  // to the end
  EXPECT_EQ(CatalogCommands::printedPages(true, 2, 3, 9), (Range{2, 3}));
}

// A preview window that records what the report asks of it.
struct RecordingWindow : PreviewWindow {
  std::vector<bool> pdfButton;
  void setPdfButtonEnabled(bool enabled) override { pdfButton.push_back(enabled); }
};

struct RecordingInterface : TQRPreviewInterface {
  RecordingWindow window;
  PreviewWindow* show(TQRPrinter&) override { return &window; }
  PreviewWindow* showModal(TQRPrinter&) override { return nullptr; }
};

// The user: does `whileOpen` once the pages are made, then closes the window.
struct ScriptedPump : EventPump {
  std::function<void()> whileOpen;
  TQRPrinter* printer = nullptr;
  void processEvents() override {}
  void waitUntil(const std::function<bool()>&) override {
    if (whileOpen) whileOpen();
    printer->closePreview();
  }
};

class CatalogPreviewTest : public CatalogCommandsTest {
 protected:
  void SetUp() override {
    CatalogCommandsTest::SetUp();
    previews.registerPreviewInterface(preview);
    previews.setEventPump(pump);
    f.form3.QR_FIG.setPreviewRegistry(&previews);
    f.lista.setPreviewRegistry(&previews);
    f.load(dir.file("libs/mylib.lib"));
    pump->printer = &f.report(CatalogKind::Drawings).qrPrinter();
  }

  PreviewRegistry previews;
  std::shared_ptr<RecordingInterface> preview = std::make_shared<RecordingInterface>();
  std::shared_ptr<ScriptedPump> pump = std::make_shared<ScriptedPump>();
};

TEST_F(CatalogPreviewTest, ACommandForAReportOnShowChangesNothing) {
  Outcome again = Outcome::Ready;
  pump->whileOpen = [&] {
    f.load(dir.file("libs/other.lib"));  // the user opens another library meanwhile
    again = f.commands.begin(CatalogKind::Drawings);
  };
  ASSERT_EQ(f.commands.run(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(again, Outcome::AlreadyShowing);
  EXPECT_EQ(label5(CatalogKind::Drawings), "Biblioteca: mylib.lib");
  EXPECT_EQ(f.commands.DocumentationPath(), dir.file("libs/mylib.dcm"));
  EXPECT_EQ(f.session.renderer.state().PrintRemaining, 0);  // not rewound
}

TEST_F(CatalogPreviewTest, AnEmptyListIsRefusedEvenWithThePreviewOpen) {
  writeBytes(dir.file("libs/empty.lib"), "EESchema-LIBRARY Version 2.4\n");
  Outcome again = Outcome::Ready;
  pump->whileOpen = [&] {
    f.load(dir.file("libs/empty.lib"));
    again = f.commands.begin(CatalogKind::Drawings);
  };
  ASSERT_EQ(f.commands.run(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(again, Outcome::Refused);
}

TEST_F(CatalogPreviewTest, TheDrawingsCatalogHoldsThePdfButtonWhileItMakesPages) {
  f.commands.run(CatalogKind::Drawings);
  // Disabled with each of the 3 cells, enabled by the last call and at the generation's end.
  EXPECT_EQ(preview->window.pdfButton, (std::vector<bool>{false, false, false, true, true}));
  preview->window.pdfButton.clear();
  pump->printer = &f.report(CatalogKind::List).qrPrinter();
  f.commands.run(CatalogKind::List);  // the list catalog leaves it alone
  f.prepare(CatalogKind::Drawings);   // and without a window there is none
  EXPECT_TRUE(preview->window.pdfButton.empty());
}

TEST_F(CatalogPreviewTest, AFailedGenerationEnablesTheButtonAndKeepsItsPages) {
  std::filesystem::create_directory(dir.file("libs/mylib.dcm"));  // unreadable as text
  EXPECT_THROW(f.commands.run(CatalogKind::Drawings), FileError);
  EXPECT_EQ(preview->window.pdfButton, std::vector<bool>{true});
  TQuickRep& drawings = f.report(CatalogKind::Drawings);
  EXPECT_EQ(drawings.qrPrinter().pageCount(), 1);
  EXPECT_FALSE(f.commands.generating());
  drawings.qrPrinter().closePreview();  // the window, still open, is closed: usable again
  std::filesystem::remove(dir.file("libs/mylib.dcm"));
  EXPECT_EQ(f.prepare(CatalogKind::Drawings), Outcome::Ready);
  EXPECT_EQ(printedCells(drawings).size(), 3u);
}

}  // namespace
}  // namespace quiral
