// The preview window on the program's own catalogs, driven by objectName with the dialogs answered
// by the test.
#include "app/prev_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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

#include "app/catalog_preview_host.h"
#include "app/event_pump_qt.h"
#include "app/main_window.h"
#include "app/prev_form_interface.h"
#include "app/program_start.h"
#include "app/qr_preview.h"
#include "platform/error.h"
#include "reports/catalog_commands.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tests/app/test_fixtures.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace quiral {
namespace {

// `count` components with one body rectangle each: six cells a page in the drawings catalog, all
// on one page in the list catalog.
std::string numberedLibrary(int count) {
  std::string text = "EESchema-LIBRARY Version 2.3\n";
  for (int i = 1; i <= count; ++i) {
    const std::string name = "P" + std::to_string(i);
    text += "DEF " + name + " U 0 40 Y Y 1 F N\nF0 \"U\" 0 150 50 H V C CNN\nF1 \"" + name +
            "\" 0 -150 50 H V C CNN\nDRAW\nS -100 100 100 -100 0 1 10 N\nENDDRAW\nENDDEF\n";
  }
  return text + "#End Library\n";
}

TPrevForm* windowFor(const TQuickRep& report) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<TPrevForm*>(w); form && form->isVisible())
      if (form->qrPrinter() == &report.qrPrinter()) return form;
  return nullptr;
}

template <typename T>
T* child(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

int pdfPages(const QString& path) {
  QProcess info;
  info.start("pdfinfo", {path});
  info.waitForFinished(30000);
  const auto match = QRegularExpression("Pages:\\s+(\\d+)\\n")
                         .match(QString::fromUtf8(info.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Runs `action` the first time a PDF button is disabled (a drawings catalog making pages).
struct OnPdfButtonDisabled : QObject {
  std::function<void()> action;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange && watched->objectName() == "BitBtn2" &&
        !static_cast<QWidget*>(watched)->isEnabled() && action)
      std::exchange(action, nullptr)();
    return false;
  }
};

// The leftmost frame of a page: the cells' left edge.
int32_t leftmostFrame(const PreparedPage& page) {
  int32_t left = INT32_MAX;
  for (const PageItem& item : page.items)
    if (auto* frame = std::get_if<PageFrame>(&item)) left = std::min(left, frame->box.left);
  return left;
}

class PrevFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.setReports(&form3, &lista);
    installReportPreviewServices(previews, dialogs);
    previews.registerPreviewInterface(std::make_shared<tqrpreviewinterf>(&host, dialogs));
    form3.QR_FIG.setPreviewRegistry(&previews);
    lista.setPreviewRegistry(&previews);
    auto answer = [this](auto&&...) { return answers.isEmpty() ? QString() : answers.takeFirst(); };
    dialogs.saveAnswer = answer;
    dialogs.openAnswer = answer;
  }
  void TearDown() override {
    previews.clear();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void load(int components) {
    testing::writeFile(dir.path(), "many.lib", numberedLibrary(components));
    session.browser.LoadLibrary(dir.path().toStdString(), "many.lib");
  }
  // Runs a catalog command; once its pages are all there, `user` acts on its window, which is
  // closed afterwards if still open. Returns when the command does.
  void preview(CatalogKind kind, const std::function<void(TPrevForm&)>& user) {
    const TQuickRep& report = *commands.reportFor(kind);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      TPrevForm* window = windowFor(report);
      if (!window || report.qrPrinter().generating() || report.qrPrinter().pageCount() == 0) return;
      poll.stop();
      user(*window);
      if (TPrevForm* still = windowFor(report)) still->close();
    });
    poll.start();
    EXPECT_EQ(commands.run(kind), CatalogCommands::Outcome::Ready);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTemporaryDir dir;
  testing::TestDialogs dialogs;
  PreviewRegistry previews;
  Session session;
  CatalogCommands commands{session};
  TForm3 form3{commands.data()};
  TQR_lista lista{commands.data()};
  CatalogPreviewHost host{commands, {}};
  testing::ErrorCatcher errors{dialogs};
  QStringList answers;  // what the file dialogs answer, in turn (then: cancelled)
};

TEST_F(PrevFormTest, WindowSpinnerAndClose) {
  load(13);
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Visão prévia lib: many.lib"));
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(child<QToolButton>(w, "SB_imprimir")->toolTip(), "Imprimir");
    EXPECT_FALSE(child<QPushButton>(w, "bb_salvar")->icon().isNull());
    EXPECT_EQ(child<QComboBox>(w, "CB_zoom")->itemText(0), "  25  %");
    EXPECT_EQ(child<QComboBox>(w, "CB_zoom")->currentText(), "100 %");
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 3");
    auto* spin = child<QSpinBox>(w, "SpinEdit1");
    EXPECT_TRUE(spin->isEnabled());
    EXPECT_EQ(spin->maximum(), 3);
    spin->setValue(3);
    EXPECT_EQ(w.preview()->pageNumber(), 3);
    QTest::keyClick(&w, Qt::Key_Escape);
  });
  EXPECT_FALSE(form3.QR_FIG.previewShowing());  // the command returned: the preview is closed
  preview(CatalogKind::List, [&](TPrevForm& w) {
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 1");
    EXPECT_FALSE(child<QSpinBox>(w, "SpinEdit1")->isEnabled());
    lista.qrPrinter().closePreview();  // a preview ended elsewhere takes its window along
    EXPECT_FALSE(w.isVisible());
  });
}

TEST_F(PrevFormTest, ZoomBoxTypingItemsAndResize) {
  load(3);
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    auto* box = child<QComboBox>(w, "CB_zoom");
    // Typed as on the keyboard; 1 and 3000 are ignored and the zoom before them stays.
    for (auto [typed, zoom] : std::vector<std::pair<const char*, int>>{{"150 %", 150},
                                                                       {"abc", 100},
                                                                       {"800", 500},
                                                                       {"1", 500},
                                                                       {" 7 5 %%", 75},
                                                                       {"3000", 75},
                                                                       {"99999999999", 100}}) {
      box->lineEdit()->clear();
      QTest::keyClicks(box, typed);
      QTest::keyClick(box, Qt::Key_Return);
      EXPECT_EQ(w.preview()->zoom(), zoom) << typed;
      EXPECT_EQ(box->currentText(), QString::number(zoom) + " %");
    }
    w.showNormal();
    w.resize(700, 600);
    emit box->activated(5);  // "Página inteira"
    const int fitted = w.preview()->zoom();
    w.resize(1000, 1100);  // keeps the fitted zoom instead of fitting again
    EXPECT_EQ(w.preview()->zoom(), fitted);
    emit box->activated(0);  // fit, then 25
    EXPECT_EQ(w.preview()->zoom(), 25);
  });
}

TEST_F(PrevFormTest, SaveAndLoadPreparedPages) {
  load(13);
  commands.runWithoutWindow(CatalogKind::List);
  lista.qrPrinter().save(QFile::encodeName(dir.filePath("one.QRP")).toStdString());
  QFile::copy(dir.filePath("one.QRP"), dir.filePath("bad.QRP"));
  QFile bad(dir.filePath("bad.QRP"));
  ASSERT_TRUE(bad.open(QIODevice::ReadWrite) && bad.seek(30) && bad.write("x") == 1);
  bad.close();
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    auto* spin = child<QSpinBox>(w, "SpinEdit1");
    spin->setValue(3);
    answers = {dir.filePath("saved"), QString(), dir.filePath("bad.QRP"), dir.filePath("one")};
    child<QPushButton>(w, "bb_salvar")->click();  // a name without an extension gets ".QRP"
    EXPECT_TRUE(QFile::exists(dir.filePath("saved.QRP")));
    child<QPushButton>(w, "BB_ler")->click();  // cancelled: only repaints
    child<QPushButton>(w, "BB_ler")->click();  // damaged: the engine's reason, the pages stay
    // Which file, and where in it the reading stopped (its checksum no longer matches).
    EXPECT_EQ(errors.messages(),
              QStringList{dir.filePath("bad.QRP") +
                          QString::fromUtf8(": O arquivo de relatório preparado está danificado e "
                                            "não pode ser lido (no byte ") +
                          QString::number(QFileInfo(dir.filePath("bad.QRP")).size() - 4) + ")"});
    EXPECT_EQ(w.qrPrinter()->pageCount(), 3);
    child<QPushButton>(w, "BB_ler")->click();  // one page: the controls follow it
    EXPECT_EQ(w.qrPrinter()->pageCount(), 1);
    EXPECT_EQ(spin->maximum(), 1);
    EXPECT_FALSE(spin->isEnabled());
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 1");
    EXPECT_EQ(w.preview()->pageNumber(), 1);
  });
  EXPECT_EQ(errors.messages().size(), 1);
}

TEST_F(PrevFormTest, PrintsTheChosenRangeOfThePagesShown) {
  load(19);  // four pages
  int highest = 0, from = 0, to = 0;
  dialogs.printAnswer = [&](QPrinter& printer, int highestPage) {
    highest = highestPage, from = printer.fromPage(), to = printer.toPage();
    printer.setOutputFormat(QPrinter::PdfFormat);  // "print to file"
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setResolution(100);
    printer.setFromTo(2, 3);
    return true;
  };
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    child<QToolButton>(w, "SB_imprimir")->click();
    EXPECT_EQ(highest, 4);  // the drawings catalog sets no last page: the pages shown
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 4);
    form3.QR_FIG.printerSettings().lastPage = 3;  // its setting rules when it has one
    child<QToolButton>(w, "SB_imprimir")->click();
    EXPECT_EQ(highest, 3);
  });
  EXPECT_EQ(pdfPages(dir.filePath("printed.pdf")), 2);
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
}

TEST_F(PrevFormTest, ASecondPreviewOpensBesideTheFirst) {
  load(3);
  preview(CatalogKind::List, [&](TPrevForm& first) {
    preview(CatalogKind::Drawings, [&](TPrevForm& second) {
      EXPECT_TRUE(first.isMaximized());
      EXPECT_FALSE(second.isMaximized());
      EXPECT_EQ(second.pos(), first.pos() + QPoint(32, 32));
    });
  });
}

TEST_F(PrevFormTest, KeysPageAndActAsTheButtons) {
  load(19);  // four pages
  int printDialogs = 0;
  dialogs.printAnswer = [&](QPrinter&, int) { return ++printDialogs, false; };
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.preview()) << "the page has the focus first";
    // Ctrl + "+" / "-" step the zoom and the box says it.
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Minus})
      QTest::keyClick(w.preview(), key, Qt::ControlModifier);
    EXPECT_EQ(child<QComboBox>(w, "CB_zoom")->currentText(), "75 %");
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_PageDown, 2}, {Qt::Key_End, 4},
                                            {Qt::Key_PageDown, 4}, {Qt::Key_PageUp, 3},
                                            {Qt::Key_Home, 1},     {Qt::Key_PageUp, 1}};
    for (auto [key, page] : keys) {
      QTest::keyClick(w.preview(), key);
      EXPECT_EQ(w.preview()->pageNumber(), page) << key;
    }
    answers = {dir.filePath("keyed"), QString()};
    QTest::keyClick(w.preview(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(dir.filePath("keyed.QRP")));
    QTest::keyClick(w.preview(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(answers.isEmpty());  // the open dialog was asked
    QTest::keyClick(w.preview(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printDialogs, 1);
  });
}

TEST_F(PrevFormTest, TheOverwriteQuestionNamesTheFileWrittenAndDialogsKeepTheirFolder) {
  load(3);
  testing::writeFile(dir.path(), "x.PDF", "old");
  testing::writeFile(dir.path(), "y.QRP", "old");
  QStringList asked, startedIn;
  dialogs.overwriteAnswer = [&](const QString& path) {
    asked << QFileInfo(path).fileName();
    return false;
  };
  dialogs.saveAnswer = [&](const QString& start, auto&&...) {
    startedIn << start;
    return answers.isEmpty() ? QString() : answers.takeFirst();
  };
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    answers = {dir.filePath("x.pdf"), dir.filePath("y"), dir.filePath("new")};
    child<QPushButton>(w, "BitBtn2")->click();  // writes x.PDF: that is the file asked about
    child<QPushButton>(w, "bb_salvar")->click();
    child<QPushButton>(w, "bb_salvar")->click();  // nothing there: no question
  });
  EXPECT_EQ(asked, (QStringList{"x.PDF", "y.QRP"}));
  for (const char* name : {"x.PDF", "y.QRP"}) {
    QFile kept(dir.filePath(name));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old") << name;
  }
  EXPECT_TRUE(QFile::exists(dir.filePath("new.QRP")));
  // The first dialog starts where the last one of the run was; the next ones where it chose.
  ASSERT_EQ(startedIn.size(), 3);
  EXPECT_EQ(startedIn[1], QDir(dir.path()).absolutePath());
  EXPECT_EQ(startedIn[2], QDir(dir.path()).absolutePath());
}

TEST_F(PrevFormTest, SavePrintAndPdfWaitUntilTheWholeReportIsMade) {
  load(300);  // fifty pages: the window is tried while most are still to come
  int printDialogs = 0, highest = 0;
  dialogs.printAnswer = [&](QPrinter&, int highestPage) {
    ++printDialogs, highest = highestPage;
    return false;
  };
  int triedAtPage = 0;
  QTimer early;
  early.setInterval(0);
  QObject::connect(&early, &QTimer::timeout, [&] {
    TPrevForm* w = windowFor(form3.QR_FIG);
    if (!w || w->qrPrinter()->pageCount() < 2) return;
    early.stop();
    triedAtPage = w->qrPrinter()->pageCount();
    EXPECT_TRUE(w->qrPrinter()->generating());
    answers = {dir.filePath("early.QRP")};
    for (const char* name : {"SB_imprimir", "bb_salvar", "BitBtn2", "BitBtn3"}) {
      auto* control = child<QAbstractButton>(*w, name);
      EXPECT_FALSE(control->isEnabled()) << name;
      control->click();
    }
  });
  early.start();
  preview(CatalogKind::Drawings, [&](TPrevForm& w) {
    EXPECT_EQ(printDialogs, 0);
    EXPECT_EQ(answers.size(), 1);  // no file was asked for
    for (const char* name : {"SB_imprimir", "bb_salvar", "BitBtn2", "BitBtn3"})
      EXPECT_TRUE(child<QAbstractButton>(w, name)->isEnabled()) << name;
    child<QToolButton>(w, "SB_imprimir")->click();
    EXPECT_EQ(highest, 50);  // the whole report
  });
  EXPECT_GE(triedAtPage, 2);
  EXPECT_LT(triedAtPage, 50);
  EXPECT_FALSE(QFile::exists(dir.filePath("early.QRP")));
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
}

TEST_F(PrevFormTest, VectorPdfWritesTheFineCatalogOfTheLibraryOnShowUnderTheNameChosen) {
  load(8);
  testing::writeFile(dir.path(), "many.dcm",
                     "EESchema-DOCLIB  Version 2.0\n$CMP P3\nD Third part described\n$ENDCMP\n"
                     "#\n#End Doc Library\n");
  testing::writeFile(dir.path(), "fine.pdf", "old");
  QStringList asked, startedIn;
  dialogs.overwriteAnswer = [&](const QString& path) {
    asked << QFileInfo(path).fileName();
    return true;
  };
  preview(CatalogKind::List, [&](TPrevForm& w) {
    auto* vector = child<QPushButton>(w, "BitBtn3");
    EXPECT_LT(vector->fontMetrics().horizontalAdvance("PDF vetorial"), vector->width())
        << "its caption is shown whole";
    w.setPdfButtonEnabled(false);  // it follows "PDF"
    EXPECT_FALSE(vector->isEnabled());
    w.setPdfButtonEnabled(true);
    EXPECT_TRUE(vector->isEnabled());
    answers = {dir.filePath("fine")};
    dialogs.saveAnswer = [&](const QString& start, auto&&...) {
      startedIn << start;
      return answers.takeFirst();
    };
    vector->click();
  });
  EXPECT_EQ(asked, QStringList{"fine.pdf"});
  // The save box offered the library's own name, beside it.
  EXPECT_EQ(startedIn, QStringList{QDir(dir.path()).filePath("many.pdf")});
  QProcess text;
  text.start("pdftotext", {dir.filePath("fine.pdf"), "-"});
  text.waitForFinished(30000);
  const QString words = QString::fromUtf8(text.readAllStandardOutput());
  for (const char* expected : {"P1", "P8", "Third part described", "many.lib"})
    EXPECT_TRUE(words.contains(expected)) << expected;
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"fine.pdf", "many.dcm", "many.lib"}));
  EXPECT_TRUE(errors.messages().isEmpty()) << errors.messages().join('\n').toStdString();
}

TEST_F(PrevFormTest, APageThatCannotBePaintedShowsEmptyAndIsReportedOnceAfterPainting) {
  load(13);
  commands.runWithoutWindow(CatalogKind::Drawings);
  bool painting = false, reportedWhilePainting = false;
  int reports = 0;
  struct WatchingDialogs : testing::TestDialogs {
    std::function<void(const QString&)> watch;
    void reportError(QWidget*, const QString& text) override { watch(text); }
  } watching;
  watching.watch = [&](const QString& text) {
    reportedWhilePainting |= painting;
    reports += text == "No usable font is installed";
  };
  TPrevForm w(&host, &form3.QR_FIG.qrPrinter(), watching);
  w.preview()->setPagePainter([&](QPainter&, const PreparedPage&, double) {
    painting = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{painting};
    throw QuiralError("No usable font is installed");
  });
  w.show();
  for (int page : {1, 1, 2}) {
    child<QSpinBox>(w, "SpinEdit1")->setValue(page);
    const QImage shown = w.preview()->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(w.preview()->pageOrigin() + QPoint(30, 30))), QColor(Qt::white));
    QApplication::processEvents();
  }
  EXPECT_EQ(reports, 2);  // once for each page
  EXPECT_FALSE(reportedWhilePainting);
}

TEST_F(PrevFormTest, EachPreviewExportsItsOwnPagesAndNeverWhileACatalogMakesPages) {
  load(20);  // drawings: four pages, list: one
  QPushButton* listPdf = nullptr;
  OnPdfButtonDisabled whileDrawing;
  whileDrawing.action = [&] {
    listPdf->click();  // refused before its first step
    EXPECT_EQ(errors.messages(), QStringList{"Error exporting report"});
    EXPECT_EQ(answers.size(), 2);  // no file was asked for
  };
  preview(CatalogKind::List, [&](TPrevForm& listWindow) {
    listPdf = child<QPushButton>(listWindow, "BitBtn2");
    answers = {dir.filePath("list.pdf"), dir.filePath("drawings")};
    qApp->installEventFilter(&whileDrawing);
    preview(CatalogKind::Drawings, [&](TPrevForm& drawingsWindow) {
      qApp->removeEventFilter(&whileDrawing);
      EXPECT_TRUE(child<QPushButton>(drawingsWindow, "BitBtn2")->isEnabled());
      EXPECT_EQ(commands.CurrentReport(), &form3.QR_FIG);
      EXPECT_GT(leftmostFrame(*drawingsWindow.qrPrinter()->page(1)), 0);
      listPdf->click();  // its own pages, though the current report is the other
      child<QPushButton>(drawingsWindow, "BitBtn2")->click();
    });
  });
  EXPECT_FALSE(whileDrawing.action);
  EXPECT_EQ(errors.messages().size(), 1);
  EXPECT_EQ(pdfPages(dir.filePath("list.PDF")), 1);
  EXPECT_EQ(pdfPages(dir.filePath("drawings.PDF")), 4);
  // The next generation of an exported catalog has no side margins.
  commands.runWithoutWindow(CatalogKind::Drawings);
  EXPECT_EQ(leftmostFrame(*form3.QR_FIG.qrPrinter().page(1)), 0);
  EXPECT_EQ(form3.QR_FIG.page().rightMargin, 0);
}

TEST(PrevFormProgram, PreviewsGoToTheProgramsOwnWindowUntilItEnds) {
  testing::CurrentFolderGuard folder;
  auto objects = createProgramObjects();
  PreviewRegistry& previews = objects->previews;
  EXPECT_NE(dynamic_cast<tqrpreviewinterf*>(previews.current().get()), nullptr);
  EXPECT_FALSE(objects->PrevForm->isVisible());
  EXPECT_EQ(objects->PrevForm->windowTitle(), QString::fromUtf8("Visão Prévia da Impressão"));
  // The catalogs measure and draw with the program's fonts.
  EXPECT_EQ(&objects->Form3->QR_FIG.qrPrinter().fontEngine(), &objects->fonts);
  EXPECT_EQ(&objects->QR_lista->qrPrinter().fontEngine(), &objects->fonts);
  // The window shows and prints the drawings catalog's pictures from their vectors.
  EXPECT_TRUE(objects->Form3->keepsVectorPictures());
  objects->Form1.reset();
  EXPECT_EQ(previews.registered(), nullptr);
}

// The panel's controls in the order they stand, left to right.
constexpr const char* kPanelControls[] = {"Label1",  "SpinEdit1",   "Label2",    "Label3",
                                          "CB_zoom", "SB_imprimir", "bb_salvar", "BB_ler",
                                          "BitBtn1", "BitBtn2",     "BitBtn3"};

// The width a control needs to show its text whole: a button's caption (a button's size hint may
// be wider than any designed button), a label's or spinner's size hint; a zoom box keeps its own.
int neededWidth(const QWidget& control) {
  if (auto* button = qobject_cast<const QAbstractButton*>(&control))
    return button->fontMetrics().horizontalAdvance(button->text().remove('&')) + 1;
  if (qobject_cast<const QComboBox*>(&control)) return 0;
  return control.sizeHint().width();
}

TEST(PrevFormLayout, FourDigitPageCountsShowWholeBesideTheZoomAndThePagesTakeTheRest) {
  testing::TestDialogs dialogs;
  TQRPrinter pages;
  pages.beginGeneration("big", PageSetup{});
  for (int i = 0; i < 1351; ++i) pages.addPage(PreparedPage{});
  pages.endGeneration();
  TPrevForm w(nullptr, &pages, dialogs);
  for (const QSize size : {QSize(716, 612), QSize(1400, 1000)}) {
    w.resize(size);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "de 1351");
    QRect before;
    for (const char* name : kPanelControls) {
      const QWidget* control = child<QWidget>(w, name);
      const QRect at(control->mapTo(&w, QPoint(0, 0)), control->size());
      EXPECT_GE(at.width(), neededWidth(*control)) << name << " is cut short";
      EXPECT_TRUE(w.rect().contains(at)) << name << " is cut off at " << size.width();
      EXPECT_GT(at.left(), before.right()) << name << " touches the control before it";
      before = at;
    }
    // The page area takes the rest of the window.
    EXPECT_EQ(w.preview()->height(), size.height() - child<QWidget>(w, "Panel1")->height());
    EXPECT_EQ(w.preview()->width(), size.width());
  }
}

}  // namespace
}  // namespace quiral
