// The symbol view as a user drives it: a new symbol opens at the pixel view's scale or fitted, the
// wheel zooms around the pointer and the keys around the centre, dragging pans, and each zoom is
// drawn anew (not enlarged pixels).
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <set>

#include "app/bitmap_image.h"
#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
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

class SymbolZoomTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    testing::writeFile(root, "parts.lib", kParts);
    showWindow(root, QSize(1000, 700));
    choose("FileListBox1", 0);
  }
  void key(int k) { QTest::keyClick(window.get(), Qt::Key(k), Qt::ControlModifier); }
};

// Colours other than the drawing's own: the edges that anti-aliasing leaves.
size_t blendedColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
  return colours.size();
}

// Whether the picture's outermost rows and columns are all white: nothing drawn is cut.
bool whiteBorder(const QImage& image) {
  for (int x = 0; x < image.width(); ++x)
    if (image.pixel(x, 0) != 0xFFFFFFFF || image.pixel(x, image.height() - 1) != 0xFFFFFFFF)
      return false;
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(0, y) != 0xFFFFFFFF || image.pixel(image.width() - 1, y) != 0xFFFFFFFF)
      return false;
  return true;
}

// The width of the part of an image that is not white.
int inkWidth(const QImage& image) {
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
        left = std::min(left, x), right = std::max(right, x);
  return right - left + 1;
}

TEST_F(SymbolZoomTest, ZoomDrawsAnewAroundThePointerOrTheCentreAndDragPans) {
  auto* canvas = window->findChild<SymbolCanvas*>("Image2");
  auto* scroll = window->findChild<QScrollArea*>("ScrollBox1");
  auto* label = window->findChild<QLabel*>("ZoomLabel");
  // A small symbol opens at 100 %: the pixel view's scale, centred, whole, with no scroll bar.
  EXPECT_EQ(window->zoom().percent(), 100);
  EXPECT_EQ(label->text(), "100 %");
  const QImage at100 = view();
  EXPECT_NEAR(inkWidth(at100), inkWidth(toQImage(session.renderer.ViewImage())), 3);
  EXPECT_TRUE(whiteBorder(at100));
  EXPECT_EQ(canvas->size(), scroll->viewport()->size());
  EXPECT_NEAR(canvas->pictureOrigin().x(), (canvas->width() - at100.width()) / 2, 1);
  EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);

  key(Qt::Key_Plus);
  key(Qt::Key_Plus);
  EXPECT_EQ(window->zoom().percent(), 200);
  EXPECT_EQ(label->text(), "200 %");
  const QImage at200 = view();
  key(Qt::Key_Plus);
  key(Qt::Key_Plus);
  const QImage at400 = view();
  EXPECT_NEAR(at400.width(), 2 * at200.width() - 2 * SymbolCanvas::kMarginPixels, 2);
  EXPECT_GT(blendedColours(at200), 20u) << "an enlarged bitmap, not a drawing";
  EXPECT_TRUE(whiteBorder(at400));
  key(Qt::Key_Plus);
  EXPECT_EQ(window->zoom().percent(), 600);
  EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);  // larger than the view now

  // The wheel zooms around the pointer: the drawing's point under it stays under it (at the
  // view's middle height, which the scroll bars can keep however tall the drawing grows).
  const QPointF pointer(120, scroll->viewport()->height() / 2);
  const QPointF before = canvas->unitsAt(pointer - QPointF(canvas->pos()));
  QWheelEvent wheel(pointer, scroll->viewport()->mapToGlobal(pointer), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(scroll->viewport(), &wheel);
  EXPECT_EQ(window->zoom().percent(), 800);
  const QPointF after = canvas->unitsAt(pointer - QPointF(canvas->pos()));
  const double unitsPerPixel = 1 / canvas->pixelsPerUnit();
  EXPECT_NEAR(after.x(), before.x(), unitsPerPixel);
  EXPECT_NEAR(after.y(), before.y(), unitsPerPixel);

  // Dragging with the middle button moves the drawing with the pointer.
  const QPoint h0(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value());
  QTest::mousePress(scroll->viewport(), Qt::MiddleButton, {}, QPoint(100, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(80, 90),
                   scroll->viewport()->mapToGlobal(QPointF(80, 90)), Qt::NoButton, Qt::MiddleButton,
                   Qt::NoModifier);
  QApplication::sendEvent(scroll->viewport(), &move);
  QTest::mouseRelease(scroll->viewport(), Qt::MiddleButton, {}, QPoint(80, 90));
  EXPECT_EQ(scroll->horizontalScrollBar()->value(), h0.x() + 20);
  EXPECT_EQ(scroll->verticalScrollBar()->value(), h0.y() + 10);

  // Another symbol opens by the rule again, whatever the zoom was.
  choose("ListBox1", 1);
  EXPECT_LT(window->zoom().percent(), 100);
  choose("ListBox1", 0);
  EXPECT_EQ(window->zoom().percent(), 100);
}

TEST_F(SymbolZoomTest, ASymbolLargerThanTheViewOpensFittedAndCtrl9FitsOnlyTheCurrentOne) {
  const QSize room = window->findChild<QScrollArea*>("ScrollBox1")->viewport()->size();
  choose("ListBox1", 1);
  const int opened = window->zoom().percent();
  EXPECT_LT(opened, 25);
  EXPECT_LE(view().height(), room.height());
  EXPECT_GT(view().height(), room.height() * 9 / 10);
  EXPECT_TRUE(whiteBorder(view()));
  key(Qt::Key_0);
  EXPECT_EQ(window->zoom().percent(), 100);
  EXPECT_TRUE(whiteBorder(view()));  // drawn whole past any canvas, not white
  key(Qt::Key_9);
  EXPECT_EQ(window->zoom().percent(), opened);

  // The small symbol: Ctrl + 9 enlarges it to the view, and the next symbol is not fitted so.
  choose("ListBox1", 0);
  EXPECT_EQ(window->zoom().percent(), 100);
  key(Qt::Key_9);
  EXPECT_GT(window->zoom().percent(), 100);
  EXPECT_LE(view().width(), room.width());
  choose("ListBox1", 1);
  EXPECT_EQ(window->zoom().percent(), opened);
  choose("ListBox1", 0);
  EXPECT_EQ(window->zoom().percent(), 100);
}

}  // namespace
}  // namespace quiral
