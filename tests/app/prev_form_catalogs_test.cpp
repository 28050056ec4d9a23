// The preview window with the program's own catalogs: the drawings catalog holds the PDF button
// while it makes pages, and each of two open previews exports its own pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "app/catalog_preview_host.h"
#include "app/event_pump_qt.h"
#include "app/prev_form.h"
#include "app/prev_form_interface.h"
#include "app/program_start.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

// `count` components with one body rectangle each: six cells a page in the drawings catalog,
// all on one page in the list catalog.
std::string numberedLibrary(int count) {
  std::string text = "EESchema-LIBRARY Version 2.3\n#encoding utf-8\n";
  for (int i = 1; i <= count; ++i) {
    const std::string name = "P" + std::to_string(i);
    text +=
        "#\n# " + name + "\n#\nDEF " + name + " U 0 40 Y Y 1 F N\nF0 \"U\" 0 150 50 H V C CNN\n";
    text += "F1 \"" + name + "\" 0 -150 50 H V C CNN\nDRAW\nS -100 100 100 -100 0 1 10 N\n";
    text += "ENDDRAW\nENDDEF\n";
  }
  return text + "#\n#End Library\n";
}

int pdfPages(const QString& path) {
  QProcess info;
  info.start("pdfinfo", {path});
  if (!info.waitForFinished(30000)) return -1;
  const auto match = QRegularExpression("Pages:\\s+(\\d+)\\n")
                         .match(QString::fromUtf8(info.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

TPrevForm* windowFor(const TQuickRep& report) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<TPrevForm*>(w); form && form->isVisible())
      if (form->qrPrinter() == &report.qrPrinter()) return form;
  return nullptr;
}

bool readyToLookAt(const TQuickRep& report) {
  return windowFor(report) && !report.qrPrinter().generating() &&
         report.qrPrinter().pageCount() > 0;
}

QPushButton* pdfButton(TPrevForm& window) {
  return window.findChild<QPushButton*>("BitBtn2");
}

struct Catalogs {
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  CatalogPreviewHost host{commands, {}};

  Catalogs() {
    commands.setReports(&form3, &lista);
    PreviewRegistry::instance().clear();
    installReportPreviewServices();
    PreviewRegistry::instance().registerPreviewInterface(std::make_shared<tqrpreviewinterf>(&host));
  }
  ~Catalogs() {
    PreviewRegistry::instance().clear();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST(PrevFormCatalogs, TwoPreviewsExportTheirOwnPages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  testing::writeFile(dir.path(), "many.lib", numberedLibrary(20));
  testing::ErrorCatcher errors;
  Catalogs c;
  c.session.browser.LoadLibrary(dir.path().toStdString(), "many.lib");
  TQuickRep& drawings = c.form3.QR_FIG;

  QString answer;
  const auto previous = setSaveFileChooser(
      [&](QWidget*, const QString&, const QString&, const QString&) { return answer; });
  bool pdfHeldWhileDrawing = false, pdfBackAtTheEnd = false, bothOpen = false;
  QTimer list, draw;
  list.setInterval(5);
  draw.setInterval(5);
  // With both previews open and the list catalog the current report, each window's PDF button
  // exports the pages that window shows.
  QObject::connect(&list, &QTimer::timeout, [&] {
    if (!readyToLookAt(c.lista)) return;
    list.stop();
    bothOpen = windowFor(drawings) != nullptr;
    EXPECT_EQ(c.commands.CurrentReport(), &c.lista);
    answer = dir.filePath("drawings");
    pdfButton(*windowFor(drawings))->click();
    answer = dir.filePath("list.pdf");
    pdfButton(*windowFor(c.lista))->click();
    windowFor(c.lista)->close();
  });
  QObject::connect(&draw, &QTimer::timeout, [&] {
    if (drawings.qrPrinter().generating()) {
      if (TPrevForm* w = windowFor(drawings)) pdfHeldWhileDrawing |= !pdfButton(*w)->isEnabled();
      return;
    }
    if (!readyToLookAt(drawings)) return;
    draw.stop();
    pdfBackAtTheEnd = pdfButton(*windowFor(drawings))->isEnabled();
    list.start();
    EXPECT_EQ(c.commands.run(CatalogKind::List), CatalogCommands::Outcome::Ready);
    windowFor(drawings)->close();
  });
  draw.start();
  EXPECT_EQ(c.commands.run(CatalogKind::Drawings), CatalogCommands::Outcome::Ready);
  setSaveFileChooser(previous);

  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
  EXPECT_TRUE(pdfHeldWhileDrawing);
  EXPECT_TRUE(pdfBackAtTheEnd);
  EXPECT_TRUE(bothOpen);
  EXPECT_EQ(drawings.qrPrinter().pageCount(), 4);
  EXPECT_EQ(c.lista.qrPrinter().pageCount(), 1);
  EXPECT_EQ(pdfPages(dir.filePath("drawings.PDF")), 4);
  EXPECT_EQ(pdfPages(dir.filePath("list.PDF")), 1);
  EXPECT_FALSE(drawings.previewShowing());
  EXPECT_FALSE(c.lista.previewShowing());
}

TEST(PrevFormCatalogs, TheProgramRoutesPreviewsToItsOwnWindowUntilItEnds) {
  testing::CurrentFolderGuard folder;
  PreviewRegistry::instance().clear();
  auto objects = createProgramObjects();
  EXPECT_NE(dynamic_cast<tqrpreviewinterf*>(PreviewRegistry::instance().current().get()), nullptr);
  ASSERT_NE(objects->PrevForm, nullptr);
  EXPECT_FALSE(objects->PrevForm->isVisible());
  EXPECT_EQ(objects->PrevForm->windowTitle(), QString::fromUtf8("Visão Prévia da Impressão"));
  objects.reset();
  EXPECT_EQ(PreviewRegistry::instance().registered(), nullptr);
  PreviewRegistry::instance().clear();
}

}  // namespace
}  // namespace quiral
