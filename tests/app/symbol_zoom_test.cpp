// The symbol view's zoom as a user drives it: keys and the wheel with Ctrl, a picture drawn anew
// at each zoom (not enlarged pixels), kept across components, and 100 % as the pixel view.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>
#include <QWheelEvent>
#include <set>

#include "app/bitmap_image.h"
#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "render/renderer.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

const char* const kParts =
    "DEF GATE U 0 40 Y Y 1 F N\n"
    "F0 \"U\" 0 250 50 H V C CNN\n"
    "DRAW\n"
    "A 0 0 150 900 -900 0 1 10 N 0 150 0 -150\n"
    "X A 1 -300 50 150 R 50 50 1 1 I\n"
    "X Y 2 300 0 150 L 50 50 1 1 O I\n"
    "ENDDEF\n"
    "DEF TALL U 0 40 Y Y 1 F N\n"
    "S -200 -9000 200 9000 0 1 10 N\n"
    "ENDDEF\n";

class SymbolZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = QDir(dir.path()).canonicalPath();
    testing::writeFile(root, "parts.lib", kParts);
    window.setDefaultFolderCandidates({});
    window.resize(1000, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.findChild<DirectoryListBox*>("DLB1")->setDirectory(root.toStdString());
    choose("FileListBox1", 0);
  }
  void choose(const char* list, int row) {
    auto* w = window.findChild<QListWidget*>(list);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(w->item(row)).center());
  }
  QImage view() { return window.findChild<QLabel*>("Image2")->pixmap().toImage(); }
  void key(int k) { QTest::keyClick(&window, Qt::Key(k), Qt::ControlModifier); }

  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  QString root;
  testing::TestDialogs dialogs;
  Session session;
  TForm1 window{session, dialogs};
};

// Colours other than the drawing's own: the edges that anti-aliasing leaves.
size_t blendedColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
  return colours.size();
}

TEST_F(SymbolZoomTest, ZoomDrawsTheSymbolAnewAndOneHundredIsThePixelView) {
  const QImage pixels = view();
  EXPECT_EQ(pixels, toQImage(session.renderer.ViewImage()).convertToFormat(pixels.format()));
  EXPECT_LE(blendedColours(pixels), 4u);  // white, black, teal, olive

  key(Qt::Key_Plus);
  key(Qt::Key_Plus);
  EXPECT_EQ(window.zoom().percent(), 200);
  const QImage at200 = view();
  key(Qt::Key_Plus);
  key(Qt::Key_Plus);
  EXPECT_EQ(window.zoom().percent(), 400);
  const QImage at400 = view();
  EXPECT_NEAR(at400.width(), 2 * at200.width(), 2);
  EXPECT_NEAR(at400.height(), 2 * at200.height(), 2);
  EXPECT_NEAR(at200.width(), 2 * pixels.width(), pixels.width() / 4);
  EXPECT_GT(blendedColours(at200), 20u) << "an enlarged bitmap, not a drawing";

  // Ctrl + wheel steps back; the zoom stays when another component is chosen.
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.findChild<QScrollArea*>("ScrollBox1")->viewport(), &wheel);
  EXPECT_EQ(window.zoom().percent(), 300);
  choose("ListBox1", 1);
  EXPECT_EQ(window.zoom().percent(), 300);
  EXPECT_GT(view().height(), 3 * 18000 / 4.9);  // the tall part drawn whole, past the canvas

  key(Qt::Key_0);
  EXPECT_EQ(window.zoom().percent(), 100);
  const QImage back = view();
  EXPECT_EQ(back, toQImage(session.renderer.ViewImage()).convertToFormat(back.format()));
}

TEST_F(SymbolZoomTest, FitShowsAPartTallerThanTheCanvasWhole) {
  choose("ListBox1", 1);
  key(Qt::Key_9);
  const QSize room = window.findChild<QScrollArea*>("ScrollBox1")->viewport()->size();
  EXPECT_LT(window.zoom().percent(), 25);
  EXPECT_LE(view().height(), room.height());
  EXPECT_LE(view().width(), room.width());
  EXPECT_GT(view().height(), room.height() * 9 / 10);
}

}  // namespace
}  // namespace quiral
