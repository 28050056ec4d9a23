#include "app/prev_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/event_pump_qt.h"
#include "app/prev_form_interface.h"
#include "app/qr_preview.h"
#include "platform/error.h"
#include "report_engine/report.h"
#include "tests/app/test_fixtures.h"

// Readable failures for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace quiral {
namespace {

using testing::ErrorCatcher;

// A two-column report of framed cells, six a page.
struct CellReport {
  TQuickRep report;
  TQRLabel* name = nullptr;
  int records = 0;
  int served = 0;

  explicit CellReport(int count, const char* componentName = "QR_FIG")
      : report(componentName), records(count) {
    report.page().columns = 2;
    report.setReportTitle("Visão prévia lib: cells.lib");
    report.addBand("Header", BandType::PageHeader, 1902, 165).addLabel("Title", 562, 33);
    TQRBand& detail = report.addBand("Detail", BandType::Detail, 949, 814);
    detail.setFrame(FrameSides::all());
    name = &detail.addLabel("Name", 17, 3);
    report.setBeforePrint([this](TQuickRep&, bool&) { served = 0; });
    report.setNeedData([this](TQuickRep&, bool& more) {
      more = served < records;
      if (more) name->setCaption("Cell " + std::to_string(++served));
    });
  }
};

// Stands in for the main window's catalogs.
struct FakeHost : PreviewHost {
  std::vector<TQuickRep*> reports;
  const TQuickRep* drawings = nullptr;
  int rewinds = 0;
  TQuickRep* reportOf(const TQRPrinter& pages) override {
    for (TQuickRep* r : reports)
      if (&r->qrPrinter() == &pages) return r;
    return nullptr;
  }
  const TQuickRep* drawingsCatalog() override { return drawings; }
  void zerarparaimprimir(TQuickRep&) override { ++rewinds; }
  bool catalogGenerating() override {
    for (TQuickRep* r : reports)
      if (r->qrPrinter().generating()) return true;
    return false;
  }
};

template <typename T>
T* child(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

TPrevForm* windowFor(const TQRPrinter& pages) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<TPrevForm*>(w); form && form->isVisible())
      if (form->qrPrinter() == &pages) return form;
  return nullptr;
}

// Previews the report through the registered window and, once every page is there, lets `user`
// act on the window; the window is closed afterwards if `user` left it open. Returns when the
// engine's preview call does.
void previewAndThen(TQuickRep& report, const std::function<void(TPrevForm&)>& user) {
  QTimer poll;
  poll.setInterval(5);
  bool done = false;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const TQRPrinter& pages = report.qrPrinter();
    TPrevForm* window = windowFor(pages);
    // Once the generation has begun and ended.
    if (done || pages.generating() || pages.pageCount() == 0 || !window) return;
    done = true;
    poll.stop();
    user(*window);
    if (TPrevForm* still = windowFor(pages)) still->close();
  });
  poll.start();
  report.preview();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<PageFrame> itemsOfFrames(const PreparedPage& page) {
  std::vector<PageFrame> frames;
  for (const PageItem& item : page.items)
    if (auto* frame = std::get_if<PageFrame>(&item)) frames.push_back(*frame);
  return frames;
}

// Types into the box as the keyboard does: the box hands the keys on to its editor.
void typeZoom(TPrevForm& window, const QString& text) {
  auto* box = child<QComboBox>(window, "CB_zoom");
  box->lineEdit()->clear();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

class PrevFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PreviewRegistry::instance().clear();
    installReportPreviewServices();
    PreviewRegistry::instance().registerPreviewInterface(std::make_shared<tqrpreviewinterf>(&host));
  }
  void TearDown() override {
    PreviewRegistry::instance().clear();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  FakeHost host;
  ErrorCatcher errors;
};

TEST_F(PrevFormTest, WindowAsDesignedAndTheCatalogCommandReturnsOnceItCloses) {
  CellReport r(7);
  bool checked = false;
  previewAndThen(r.report, [&](TPrevForm& w) {
    checked = true;
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Visão prévia lib: cells.lib"));
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(child<QWidget>(w, "Panel1")->height(), 42);
    EXPECT_EQ(child<QPushButton>(w, "BitBtn2")->geometry(), QRect(586, 7, 47, 25));
    EXPECT_EQ(child<QToolButton>(w, "SB_imprimir")->toolTip(), "Imprimir");
    EXPECT_TRUE(child<QPushButton>(w, "bb_salvar")->text().isEmpty());
    EXPECT_FALSE(child<QPushButton>(w, "BB_ler")->icon().isNull());
    auto* zoom = child<QComboBox>(w, "CB_zoom");
    ASSERT_EQ(zoom->count(), 7);
    EXPECT_EQ(zoom->itemText(0), "  25  %");
    EXPECT_EQ(zoom->currentText(), "100 %");
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 2");
    QTest::keyClick(&w, Qt::Key_Escape);
  });
  EXPECT_TRUE(checked);
  EXPECT_FALSE(r.report.previewShowing());  // the engine's wait ended
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<TPrevForm*>(w), nullptr);
}

TEST_F(PrevFormTest, APreviewClosedElsewhereTakesItsWindowAlong) {
  CellReport r(1);
  previewAndThen(r.report, [&](TPrevForm& w) {
    r.report.qrPrinter().closePreview();
    EXPECT_FALSE(w.isVisible());
  });
  EXPECT_EQ(windowFor(r.report.qrPrinter()), nullptr);
}

TEST_F(PrevFormTest, SpinnerFollowsThePagesAsTheyCome) {
  for (auto [records, pages] : {std::pair{1, 1}, std::pair{13, 3}}) {
    CellReport r(records);
    previewAndThen(r.report, [&, pages = pages](TPrevForm& w) {
      auto* spin = child<QSpinBox>(w, "SpinEdit1");
      EXPECT_EQ(spin->minimum(), 1);
      EXPECT_EQ(spin->maximum(), pages);
      EXPECT_EQ(spin->isEnabled(), pages > 1);
      EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de " + QString::number(pages));
      spin->setValue(pages);
      EXPECT_EQ(w.preview()->pageNumber(), pages);
    });
  }
}

TEST_F(PrevFormTest, TypedZoomIsReadBoundedAndWrittenBack) {
  CellReport r(3);
  previewAndThen(r.report, [&](TPrevForm& w) {
    struct Case {
      const char* typed;
      int zoom;
    };
    // 1 and 3000 are ignored by the view: the zoom before them stays.
    for (const Case c : {Case{"150 %", 150}, Case{"abc", 100}, Case{"800", 500}, Case{"1", 500},
                         Case{" 7 5 %%", 75}, Case{"3000", 75}, Case{"99999999999", 100}}) {
      typeZoom(w, QString::fromLatin1(c.typed));
      EXPECT_EQ(w.preview()->zoom(), c.zoom) << c.typed;
      EXPECT_EQ(child<QComboBox>(w, "CB_zoom")->currentText(), QString::number(c.zoom) + " %");
    }
  });
}

TEST_F(PrevFormTest, FittingThenResizingKeepsTheFittedZoom) {
  CellReport r(3);
  previewAndThen(r.report, [&](TPrevForm& w) {
    w.showNormal();
    w.resize(700, 600);
    auto* zoom = child<QComboBox>(w, "CB_zoom");
    zoom->setCurrentIndex(5);
    emit zoom->activated(5);  // "Página inteira"
    const int fitted = w.preview()->zoom();
    EXPECT_NE(fitted, 100);
    w.resize(1000, 1100);
    EXPECT_EQ(w.preview()->zoom(), fitted);
    emit zoom->activated(0);  // "  25  %": fit, then 25
    EXPECT_EQ(w.preview()->zoom(), 25);
  });
}

TEST_F(PrevFormTest, SaveAndLoadPreparedPagesThroughTheDialogs) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  CellReport three(13), one(1);
  one.report.prepare();
  one.report.qrPrinter().save(QFile::encodeName(dir.filePath("one.QRP")).toStdString());
  QFile::copy(dir.filePath("one.QRP"), dir.filePath("damaged.QRP"));
  QFile damaged(dir.filePath("damaged.QRP"));
  ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
  damaged.seek(20);
  damaged.write("x");
  damaged.close();

  QString answer, filterSeen, suffixSeen;
  const auto previousSave = setSaveFileChooser(
      [&](QWidget*, const QString&, const QString& filter, const QString& suffix) {
        filterSeen = filter;
        suffixSeen = suffix;
        return answer;
      });
  const auto previousOpen =
      setOpenFileChooser([&](QWidget*, const QString&, const QString&) { return answer; });

  previewAndThen(three.report, [&](TPrevForm& w) {
    auto* spin = child<QSpinBox>(w, "SpinEdit1");
    spin->setValue(3);
    // A name typed without an extension gets ".QRP".
    answer = dir.filePath("saved");
    child<QPushButton>(w, "bb_salvar")->click();
    EXPECT_EQ(filterSeen, "Arquivos QRP (*.qrp)");
    EXPECT_EQ(suffixSeen, "QRP");
    EXPECT_TRUE(QFile::exists(dir.filePath("saved.QRP")));

    answer.clear();  // cancelled: nothing changes
    child<QPushButton>(w, "BB_ler")->click();
    EXPECT_EQ(w.qrPrinter()->pageCount(), 3);

    answer = dir.filePath("damaged.QRP");  // refused with the engine's reason; the pages stay
    child<QPushButton>(w, "BB_ler")->click();
    ASSERT_EQ(errors.messages().size(), 1);
    EXPECT_EQ(errors.messages()[0], "The prepared report file is damaged and cannot be read");
    EXPECT_EQ(w.qrPrinter()->pageCount(), 3);

    answer = dir.filePath("one");  // one page: the controls and the page shown follow
    child<QPushButton>(w, "BB_ler")->click();
    EXPECT_EQ(w.qrPrinter()->pageCount(), 1);
    EXPECT_EQ(spin->maximum(), 1);
    EXPECT_FALSE(spin->isEnabled());
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 1");
    EXPECT_EQ(w.preview()->pageNumber(), 1);

    answer = dir.filePath("saved.QRP");  // and back to three, all reachable
    child<QPushButton>(w, "BB_ler")->click();
    EXPECT_EQ(spin->maximum(), 3);
    EXPECT_TRUE(spin->isEnabled());
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 3");
  });
  EXPECT_EQ(errors.messages().size(), 1);
  setSaveFileChooser(previousSave);
  setOpenFileChooser(previousOpen);
}

TEST_F(PrevFormTest, PrintsTheChosenRangeOfThePagesShown) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  CellReport drawings(1), shown(19);  // 4 pages
  host.drawings = &drawings.report;
  int highestSeen = 0, fromSeen = 0, toSeen = 0;
  const auto previous = setPrintDialogRunner([&](QWidget*, QPrinter& printer, int highest) {
    highestSeen = highest;
    fromSeen = printer.fromPage();
    toSeen = printer.toPage();
    printer.setOutputFormat(QPrinter::PdfFormat);  // "print to file"
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setResolution(100);
    printer.setFromTo(2, 3);
    return true;
  });
  previewAndThen(shown.report, [&](TPrevForm& w) {
    child<QToolButton>(w, "SB_imprimir")->click();
    EXPECT_EQ(highestSeen, 4);  // the drawings catalog sets no last page: the pages shown
    EXPECT_EQ(fromSeen, 1);
    EXPECT_EQ(toSeen, 4);
    drawings.report.printerSettings().lastPage = 2;
    child<QToolButton>(w, "SB_imprimir")->click();
    EXPECT_EQ(highestSeen, 2);
  });
  setPrintDialogRunner(previous);
  QProcess info;
  info.start("pdfinfo", {dir.filePath("printed.pdf")});
  ASSERT_TRUE(info.waitForFinished(30000));
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                  .contains(QRegularExpression("Pages:\\s+2\\n")));
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
}

TEST_F(PrevFormTest, APageThatCannotBePaintedShowsEmptyAndIsReportedOnceAfterPainting) {
  CellReport r(13);
  r.report.prepare();
  TPrevForm w(&host, &r.report.qrPrinter());
  bool reportedWhilePainting = false;
  bool painting = false;
  QStringList reported;
  const auto previous = setErrorReporter([&](QWidget*, const QString& text) {
    reportedWhilePainting = reportedWhilePainting || painting;
    reported << text;
  });
  w.preview()->setPagePainter([&](const PreparedPage&, Bitmap&, double, int64_t, int64_t) {
    painting = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{painting};
    throw QuiralError("No usable font is installed");
  });
  w.resize(600, 500);
  w.show();
  for (int i = 0; i < 3; ++i) {
    const QImage shown = w.preview()->viewport()->grab().toImage();
    const QPoint inside = w.preview()->pageOrigin() + QPoint(30, 30);
    EXPECT_EQ(QColor(shown.pixel(inside)), QColor(Qt::white));
    QApplication::processEvents();
  }
  EXPECT_EQ(reported, QStringList{"No usable font is installed"});
  child<QSpinBox>(w, "SpinEdit1")->setValue(2);  // another page: told once more
  w.preview()->viewport()->grab();
  QApplication::processEvents();
  EXPECT_EQ(reported.size(), 2);
  EXPECT_FALSE(reportedWhilePainting);
  setErrorReporter(previous);
  w.close();
}

int pdfPages(const QString& path) {
  QProcess info;
  info.start("pdfinfo", {path});
  if (!info.waitForFinished(30000)) return -1;
  const auto match = QRegularExpression("Pages:\\s+(\\d+)\\n")
                         .match(QString::fromUtf8(info.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

TEST_F(PrevFormTest, PdfWritesTheShownPagesAndLaterPreviewsHaveNoSideMargins) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  CellReport r(7);
  host.reports = {&r.report};
  QString filterSeen;
  const auto previous =
      setSaveFileChooser([&](QWidget*, const QString&, const QString& filter, const QString&) {
        filterSeen = filter;
        return dir.filePath("cat.pdf");
      });
  int leftBefore = -1;
  previewAndThen(r.report, [&](TPrevForm& w) {
    leftBefore = itemsOfFrames(*w.qrPrinter()->page(1)).front().box.left;
    child<QPushButton>(w, "BitBtn2")->click();
  });
  setSaveFileChooser(previous);
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
  EXPECT_EQ(filterSeen, "Arquivos PDF (*.pdf)");
  EXPECT_EQ(host.rewinds, 1);
  EXPECT_EQ(pdfPages(dir.filePath("cat.PDF")), 2);
  EXPECT_GT(leftBefore, 0);
  EXPECT_EQ(r.report.page().leftMargin, 0);
  EXPECT_EQ(r.report.page().rightMargin, 0);
  previewAndThen(r.report, [&](TPrevForm& w) {
    EXPECT_EQ(itemsOfFrames(*w.qrPrinter()->page(1)).front().box.left, 0);
  });
}

TEST_F(PrevFormTest, PdfIsRefusedWhileAnyCatalogProducesPages) {
  CellReport list(13, "QR_lista");
  host.reports = {&list.report};
  bool asked = false;
  const auto previous =
      setSaveFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        asked = true;
        return QString();
      });
  list.report.setNeedData([&](TQuickRep&, bool& more) {
    more = list.served < list.records;
    if (!more) return;
    list.name->setCaption("Cell " + std::to_string(++list.served));
    if (list.served == 8)
      if (TPrevForm* w = windowFor(list.report.qrPrinter()))
        child<QPushButton>(*w, "BitBtn2")->click();
  });
  previewAndThen(list.report, [](TPrevForm&) {});
  setSaveFileChooser(previous);
  EXPECT_EQ(errors.messages(), QStringList{"Error exporting report"});
  EXPECT_EQ(host.rewinds, 0);  // refused before its first step
  EXPECT_FALSE(asked);
  EXPECT_EQ(list.report.qrPrinter().pageCount(), 3);  // the generation went on undisturbed
}

TEST(PrevFormNames, DefaultExtensionAndItsRemoval) {
  EXPECT_EQ(withDefaultExtension("/a.d/cat", "QRP"), "/a.d/cat.QRP");
  EXPECT_EQ(withDefaultExtension("/a/cat.pdf", "QRP"), "/a/cat.pdf");
  EXPECT_EQ(withDefaultExtension("/a/.hidden", "QRP"), "/a/.hidden.QRP");
}

}  // namespace
}  // namespace quiral
