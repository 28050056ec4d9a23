#include <gtest/gtest.h>

#include "render/renderer.h"
#include "render_test_util.h"

namespace quiral {
namespace {

using testing::inkBox;
using testing::kB;
using testing::renderBlock;

const Rect kAll{0, 0, 2000, 2000};

TEST(Rectangle, OutlineWithRightAndBottomEdgesExcluded) {
  for (const char* line : {"S -100 100 100 -100 0 1 0 N", "S -100 100 100 -100 1 0 0 N",
                           "s 100 -100 -100 100 0 1 0 N"}) {
    Renderer r;
    renderBlock(r, {line});
    const Bitmap& c = r.DrawingCanvas();
    EXPECT_EQ(inkBox(c), (Rect{981, 980, 1020, 1019})) << line;
    EXPECT_EQ(c.pixel(981, 980), kB);
    EXPECT_EQ(c.pixel(1019, 1018), kB);
    EXPECT_EQ(c.pixel(1000, 1000), colors::kWhite);
    EXPECT_EQ(r.state().MinX, 981);
    EXPECT_EQ(r.state().MaxX, 1020);
    EXPECT_EQ(r.state().MinY, 980);
    EXPECT_EQ(r.state().MaxY, 1019);
    // The view is the box plus 50 pixels of margin, copied 1:1.
    const Bitmap& v = r.ViewImage();
    EXPECT_EQ(v.width(), 139);
    EXPECT_EQ(v.height(), 139);
    EXPECT_EQ(inkBox(v), (Rect{50, 50, 89, 89}));
  }
}

TEST(Circle, UnitFilterAndBox) {
  Renderer skipped;
  renderBlock(skipped, {"C 0 0 100 2 1 0 N"});
  EXPECT_EQ(inkBox(skipped.DrawingCanvas()), Rect{});
  EXPECT_EQ(skipped.ViewImage().width(), 101);  // nothing mapped: blank view
  EXPECT_EQ(inkBox(skipped.ViewImage()), Rect{});

  for (const char* line : {"C 0 0 100 0 1 0 N", "C 0 0 100 1 1 0 N"}) {
    Renderer r;
    renderBlock(r, {line});
    EXPECT_EQ(inkBox(r.DrawingCanvas()), (Rect{981, 980, 1020, 1019})) << line;
    EXPECT_EQ(r.DrawingCanvas().pixel(1000, 999), colors::kWhite);
  }
}

TEST(Arc, QuarterArcAndBodyStyles) {
  for (const char* style : {"1", "0"}) {
    Renderer r;
    renderBlock(r, {std::string("A 0 0 100 0 900 0 ") + style + " 0 N 100 0 0 100"});
    Rect ink = inkBox(r.DrawingCanvas());
    // The upper right quarter of the circle in the box (981, 980)-(1020, 1019), centre (1000, 999).
    EXPECT_GE(ink.left, 999) << style;
    EXPECT_LE(ink.right, 1020);
    EXPECT_GE(ink.top, 980);
    EXPECT_LE(ink.bottom, 1000);
    EXPECT_GE(ink.width(), 15);
    EXPECT_GE(ink.height(), 15);
    EXPECT_EQ(r.label1Caption(), "n\xC3\xA3o invert");
    // The whole circle's box widens the bounding box, not only the arc.
    EXPECT_EQ(r.state().MinX, 981);
    EXPECT_EQ(r.state().MaxY, 1019);
  }
  Renderer other;
  renderBlock(other, {"A 0 0 100 0 900 0 2 0 N 100 0 0 100"});
  EXPECT_EQ(inkBox(other.DrawingCanvas()), Rect{});
}

TEST(Arc, SwappedEndsDrawTheOtherWayRound) {
  // Angles 0 -> 1801: the end points trade places, so the arc runs from (0, 100) round to
  // (100, 0) counter-clockwise on the screen: the three quarters left, below and right.
  Renderer r;
  renderBlock(r, {"A 0 0 100 0 1801 0 1 0 N 100 0 0 100"});
  EXPECT_EQ(r.label1Caption(), "invertida");
  Rect ink = inkBox(r.DrawingCanvas());
  EXPECT_LE(ink.left, 982);
  EXPECT_GE(ink.bottom, 1018);
  // Nothing of the upper right quarter is drawn.
  EXPECT_EQ(inkBox(r.DrawingCanvas(), Rect{1002, 978, 1030, 997}), Rect{});

  Renderer notSwapped;
  renderBlock(notSwapped, {"A 0 0 100 -900 900 0 1 0 N 100 0 0 100"});
  EXPECT_EQ(notSwapped.label1Caption(), "n\xC3\xA3o invert");
}

TEST(Arc, ShortLineUsesTheOriginForBothRadials) {
  Renderer r;
  renderBlock(r, {"A 500 500 100 0 900 0 1"});
  EXPECT_EQ(r.state().MinX, 1000);  // the radial points (0, 0) widened the box
  EXPECT_EQ(r.state().MaxY, 1000);
}

TEST(Polyline, ClosedOnlyByAMatchingFillMark) {
  auto render = [](const std::string& line) {
    auto r = std::make_unique<Renderer>();
    renderBlock(*r, {line});
    return r;
  };
  auto closed = render("P 3 0 1 0 0 0 100 0 100 100 F");
  const Bitmap& c = closed->DrawingCanvas();
  EXPECT_EQ(c.pixel(1000, 1000), kB);
  EXPECT_EQ(c.pixel(1019, 1000), kB);
  EXPECT_EQ(c.pixel(1020, 980), kB);  // joint of the closing segment
  EXPECT_EQ(c.pixel(1010, 990), kB);  // on the closing diagonal
  for (const char* open : {"P 3 0 1 0 0 0 100 0 100 100 f", "P 3 0 1 0 0 0 100 0 100 100 N",
                           "P 3 0 1 0 0 0 100 0 100 100 N F"}) {
    auto r = render(open);
    const Bitmap& o = r->DrawingCanvas();
    EXPECT_EQ(o.pixel(1000, 1000), kB) << open;
    EXPECT_EQ(o.pixel(1020, 981), kB) << open;
    EXPECT_EQ(o.pixel(1020, 980), colors::kWhite) << open;  // last vertex never set
    EXPECT_EQ(o.pixel(1010, 990), colors::kWhite) << open;
    EXPECT_EQ(inkBox(o, Rect{0, 0, 999, 2000}), Rect{}) << "no stray point at the origin";
  }
}

TEST(Polyline, BodyStyleFilterAndBadCounts) {
  auto inkOf = [](const std::string& line) {
    Renderer r;
    renderBlock(r, {line});
    return inkBox(r.DrawingCanvas());
  };
  EXPECT_EQ(inkOf("P 2 0 2 0 0 0 100 0 N"), Rect{});
  EXPECT_EQ(inkOf("P x2 0 1 0 0 0 100 0 N"), Rect{});
  EXPECT_EQ(inkOf("P -2 0 1 0 0 0 100 0 N"), Rect{});
  EXPECT_EQ(inkOf("P 2 0 0 0 0 0 100 0 N"), (Rect{1000, 1000, 1020, 1001}));
  // Points missing below position 300 read as (0, 0): the line comes back to the origin.
  EXPECT_EQ(inkOf("P 3 0 1 0 -100 0 100 0"), (Rect{981, 1000, 1021, 1001}));
}

TEST(Polyline, HugeCountsStopAtTheTable) {
  std::string line = "P 99999999999999999999 0 1 0";
  for (int i = 0; i < 150; ++i) line += " " + std::to_string(i * 10) + " " + std::to_string(-i);
  line += " F";
  Renderer r;
  renderBlock(r, {line});
  // Point 146 (tokens 298, 299) is the last one drawn: x = 1460 units, pixel 1298.
  EXPECT_EQ(r.state().MaxX, 1298);
  EXPECT_EQ(r.state().MinX, 1000);
}

TEST(Text, SizeTurnAndColour) {
  Renderer h;
  renderBlock(h, {"T 0 0 0 100 0 0 0 Hello"});
  EXPECT_EQ(h.canvas().font().pointSize, 10);
  EXPECT_EQ(h.canvas().font().color, colors::kTeal);
  EXPECT_EQ(h.canvas().font().escapement, 0);
  Rect hi = inkBox(h.DrawingCanvas());
  EXPECT_GT(hi.width(), hi.height());
  EXPECT_GE(hi.left, 1000);
  EXPECT_GE(hi.top, 1000);
  EXPECT_TRUE(testing::anyPixelOf(h.DrawingCanvas(), colors::kTeal, kAll));

  for (const char* angle : {"900", "1", "1800"}) {
    Renderer v;
    renderBlock(v, {std::string("T ") + angle + " 0 0 100 0 0 0 Hello"});
    EXPECT_EQ(v.canvas().font().escapement, 900) << angle;
    Rect vi = inkBox(v.DrawingCanvas());
    EXPECT_GT(vi.height(), vi.width()) << angle;
    EXPECT_LE(vi.bottom, 1001) << angle;  // reads upwards from the anchor
  }
  Renderer small;
  renderBlock(small, {"T 0 0 0 50 0 0 0 x"});
  EXPECT_EQ(small.canvas().font().pointSize, 5);
  Renderer odd;
  renderBlock(odd, {"T 0 0 0 75 0 0 0 x"});
  EXPECT_EQ(odd.canvas().font().pointSize, 8);
}

TEST(Fields, OnlyVisibleFieldsAreDrawnButAllSelectTheFieldFont) {
  Renderer r;
  renderBlock(r, {"T 0 0 0 120 0 0 0 Big", "F2 \"Footprint\" 0 -2000 50 H I C CNN"});
  EXPECT_EQ(r.canvas().font().pointSize, 7);
  EXPECT_EQ(r.canvas().font().color, colors::kTeal);
  EXPECT_EQ(r.state().MaxY, 1000);  // the hidden field at y -2000 did not widen the box
  EXPECT_EQ(inkBox(r.DrawingCanvas(), Rect{0, 1100, 2000, 2000}), Rect{});

  Renderer v;
  renderBlock(v, {"F0 \"U\" 0 -500 50 H V C CNN", "f1 \"x\" 500 0 50 H V C CNN",
                  "F12 \"no\" -500 0 50 H V C CNN"});
  EXPECT_EQ(v.state().MaxY, 1101);
  EXPECT_EQ(v.state().MaxX, 1102);
  EXPECT_EQ(v.state().MinX, 1000);  // F12 is not a field line
  EXPECT_TRUE(testing::anyPixelOf(v.DrawingCanvas(), colors::kTeal, Rect{990, 1095, 1020, 1125}));
}

}  // namespace
}  // namespace quiral
