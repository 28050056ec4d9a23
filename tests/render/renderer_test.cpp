#include "render/renderer.h"

#include <gtest/gtest.h>

#include "platform/font_engine.h"
#include "render/view_crop.h"
#include "render_test_util.h"

namespace quiral {
namespace {

using testing::inkBox;
using testing::kB;
using testing::renderBlock;
using testing::sameBitmaps;

constexpr Color kW = colors::kWhite;

// Sessions made with engines of their own draw a component alike, also after the first one and
// its fonts are gone.
TEST(Session, SessionsWithTheirOwnFontsDrawAlike) {
  const std::vector<std::string> memo = {"DEF R R 0 40 Y Y 1 F N", "T 0 0 300 120 0 0 0 Ohm",
                                         "X IN 1 -300 0 200 R 50 50 1 1 I", "ENDDEF"};
  Bitmap first;
  {
    FontEngine fonts;
    Session one(fonts);
    one.renderer.RenderComponent(memo);
    first = one.renderer.ViewImage();
  }
  FontEngine fonts;
  Session two(fonts);
  two.renderer.RenderComponent(memo);
  EXPECT_NE(inkBox(first), Rect{});
  EXPECT_TRUE(sameBitmaps(first, two.renderer.ViewImage()));
}

TEST(RenderComponent, ResetsEverythingBetweenComponents) {
  const std::vector<std::string> first = {
      "DEF BIG U 0 40 Y Y 4 F N",        "ALIAS BIG2 BIG3",
      "T 0 -3000 3000 120 0 0 0 Far",    "X IN 1 -2000 0 300 R 50 50 1 1 I I",
      "S -4000 4000 4000 -4000 0 1 0 N", "ENDDEF"};
  const std::vector<std::string> second = {"DEF SMALL U 0 40 N N 1 F N", "C 0 0 100 0 1 0 N",
                                           "S 0 0 50 50 0 1 0 N", "ENDDEF"};
  Renderer used;
  used.RenderComponent(first);
  EXPECT_EQ(used.state().UnitCount, "4");
  EXPECT_EQ(used.state().AliasLine, "ALIAS BIG2 BIG3");
  EXPECT_EQ(used.canvas().penMode(), PenMode::Copy);
  used.RenderComponent(second);

  Renderer fresh;
  fresh.canvas().setFont(used.canvas().font());  // fonts carry over; match them
  fresh.RenderComponent(second);
  EXPECT_TRUE(sameBitmaps(used.DrawingCanvas(), fresh.DrawingCanvas()));
  EXPECT_TRUE(sameBitmaps(used.ViewImage(), fresh.ViewImage()));
  EXPECT_EQ(used.state().UnitCount, "1");
  EXPECT_EQ(used.state().AliasLine, "");
  EXPECT_EQ(used.state().MinX, fresh.state().MinX);
  EXPECT_EQ(used.state().MaxY, fresh.state().MaxY);
  EXPECT_EQ(used.canvas().penMode(), PenMode::Mask);
  EXPECT_FALSE(used.state().ShowPinNumbers);
}

TEST(RenderComponent, FontsCarryOverBetweenComponents) {
  Renderer r;
  EXPECT_EQ(r.canvas().font().pointSize, 8);
  r.RenderComponent({"DEF A U 0 40 Y Y 1 F N", "T 0 0 0 100 0 0 0 Ten", "ENDDEF"});
  r.RenderComponent({"DEF B U 0 40 Y Y 1 F N", "S 0 0 50 50 0 1 0 N", "ENDDEF"});
  EXPECT_EQ(r.canvas().font().pointSize, 10);
  EXPECT_EQ(r.canvas().font().color, colors::kTeal);
}

TEST(RenderComponent, DefOptionsAreExactTexts) {
  Renderer r;
  r.RenderComponent({"DEF A U 0 40 N Y 2 F N", "ENDDEF"});
  EXPECT_FALSE(r.state().ShowPinNumbers);
  EXPECT_TRUE(r.state().ShowPinNames);
  EXPECT_EQ(r.state().UnitCount, "2");
  r.RenderComponent({"DEF A U 0 40 Y y 02 F N", "ENDDEF"});
  EXPECT_TRUE(r.state().ShowPinNumbers);
  EXPECT_FALSE(r.state().ShowPinNames);
  EXPECT_EQ(r.state().UnitCount, "02");
}

TEST(RenderComponent, EmptyMemoGivesAWhiteView) {
  Renderer r;
  r.RenderComponent({"DEF A U 0 40 Y Y 1 F N", "S -100 100 100 -100", "ENDDEF"});
  r.RenderComponent({});
  EXPECT_EQ(r.ViewImage().width(), 101);
  EXPECT_EQ(r.ViewImage().height(), 101);
  EXPECT_EQ(inkBox(r.ViewImage()), Rect{});
  EXPECT_EQ(inkBox(r.DrawingCanvas()), Rect{});
}

TEST(RenderComponent, ViewBeyondTheCanvasIsWhiteAndBounded) {
  Renderer r;
  // Left of the canvas: MinX stays 0 and the view starts 50 pixels left of the canvas.
  renderBlock(r, {"S -5000 100 100 -100 0 1 0 N"});
  EXPECT_EQ(r.state().MinX, 0);
  EXPECT_EQ(r.ViewImage().width(), 1020 + 100);
  EXPECT_EQ(r.ViewImage().pixel(49, 1000 - 930), kW);
  EXPECT_EQ(r.ViewImage().pixel(50 + 1019, 50), kB);  // right edge of the box
  // A symbol wider than the canvas: the view holds the whole canvas and its margins, no more,
  // since nothing can be drawn beyond it.
  renderBlock(r, {"S -12000 100 12000 -100 0 1 0 N"});
  EXPECT_EQ(r.ViewImage().width(), 2100);
  EXPECT_EQ(r.ViewImage().pixel(2049, 50), kB);  // the box's top edge, on the canvas's last column
  EXPECT_EQ(r.ViewImage().pixel(2050, 50), kW);
  // Coordinates near the 32-bit limit: the same bound.
  renderBlock(r, {"S -99999999999 99999999999 99999999999 -99999999999 0 1 0 N"});
  EXPECT_EQ(r.ViewImage().width(), 2100);
  EXPECT_EQ(r.ViewImage().height(), 2100);
}

TEST(PenMode, MaskUntilTheFirstInvertedPinThenCopy) {
  const std::string line = "P 2 0 1 0 -200 0 200 0 N";  // through the rectangle below
  const std::string box = "S -100 100 100 -100 0 1 0 N";
  Renderer mask;
  renderBlock(mask, {line, box});
  EXPECT_EQ(mask.DrawingCanvas().pixel(1000, 1000), kB);  // white interior leaves it

  Renderer copy;
  renderBlock(copy, {"X ~ 1 -1000 -1000 100 R 50 50 1 1 I I", line, box}, false, false);
  EXPECT_EQ(copy.DrawingCanvas().pixel(1000, 1000), kW);  // interior now painted white
  EXPECT_EQ(copy.DrawingCanvas().pixel(970, 1000), kB);   // line outside the box stays

  // A non-inverted pin leaves the mode alone.
  Renderer plain;
  renderBlock(plain, {"X ~ 1 -1000 -1000 100 R 50 50 1 1 I C", line, box}, false, false);
  EXPECT_EQ(plain.DrawingCanvas().pixel(1000, 1000), kB);
}

TEST(LineClick, DrawsOneLineOnTopAndKeepsTheBox) {
  Renderer r;
  std::vector<std::string> memo = {"DEF A U 0 40 Y Y 1 F N", "S -100 100 100 -100 0 1 0 N",
                                   "S 200 200 300 300 0 1 0 N", "ENDDEF"};
  r.RenderComponent({memo[0], memo[1], memo[3]});
  EXPECT_EQ(r.ViewImage().width(), 139);
  r.B_linhaClick(memo, 2);
  EXPECT_EQ(r.state().MaxX, 1061);
  EXPECT_EQ(r.state().MinX, 981);
  EXPECT_EQ(r.ViewImage().width(), 1061 - 981 + 100);
  EXPECT_EQ(r.DrawingCanvas().pixel(981, 980), kB);  // the first drawing stays
  r.B_linhaClick(memo, 7);                           // no line at the caret: view refreshed only
  EXPECT_EQ(r.ViewImage().width(), 1061 - 981 + 100);
  r.B_linhaClick(memo, -1);
  EXPECT_EQ(r.DrawingCanvas().pixel(1041, 940), kB);
}

TEST(ClearCanvas, WhitensCanvasAndView) {
  Renderer r;
  renderBlock(r, {"S -100 100 100 -100 0 1 0 N", "T 0 0 0 50 0 0 0 Text"});
  r.ClearCanvas();
  EXPECT_EQ(inkBox(r.DrawingCanvas()), Rect{});
  EXPECT_EQ(inkBox(r.ViewImage()), Rect{});
  EXPECT_EQ(r.ViewImage().width(), 139);
}

TEST(BadInput, NeverCrashesOrDoesUnboundedWork) {
  const std::vector<std::string> lines = {
      "C 0 0 2147483647 0 1 0 N",
      "C 99999999999 -99999999999 99999999999 1 1 0 N",
      "C 0 0 -2147483648 0 1 0 N",
      "A 0 0 2147483647 -99999999999 99999999999 0 1 0 N 1 2 3 4",
      "A 0 0 -5 x y 0 1",
      "S 99999999999 -99999999999",
      "S",
      "P",
      "P 147 0 1",
      "P 3 0 1 0 1e9 2.5 -- $$ 0x 0xFFFFFFFFFF F",
      "T 0 0 0 99999999999 0 0 0 Huge",
      "T 0 0 0 -500 0 0 0 Negative",
      "T 1 99999999999 99999999999 50 0 0 0 Far",
      "T",
      "F0 \"x\" 99999999999 99999999999 99999999999 H V C CNN",
      "X A 1 99999999999 -99999999999 99999999999 R 99999999999 99999999999 1 1 I IC",
      "X A 1 0 0 -99999999999 U -50 -50 0 0 I CL",
      "X",
      "X ~ ~ 0 0 300 D 0 0 0 0 I V",
      "DEF",
      "ALIAS",
  };
  Renderer r;
  renderBlock(r, lines);
  EXPECT_LE(r.ViewImage().width(), kMaxViewSide);
  EXPECT_LE(r.ViewImage().height(), kMaxViewSide);
  for (const std::string& line : lines) {
    Renderer one;
    renderBlock(one, {line});
    EXPECT_GE(one.ViewImage().width(), 1) << line;
    EXPECT_LE(one.ViewImage().width(), 8192) << line;
    // Coordinates of 10^11 must not turn into as many steps: what one record draws stays within
    // a few times the canvas (a pin draws a line, a shape mark, a name and a number).
    const Bitmap& canvas = one.DrawingCanvas();
    EXPECT_LE(one.canvas().workDone(), 2u * uint64_t(canvas.width()) * uint64_t(canvas.height()))
        << line;
  }
}

}  // namespace
}  // namespace quiral

namespace quiral {
namespace {

// The row-by-row crop gives the same pixels as the general rectangle copy at 1:1, also where the
// crop reaches past the canvas on any side or misses it, whatever the view held before.
TEST(CopyCrop, MatchesTheRectangleCopy) {
  Bitmap canvas(300, 200);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) canvas.setPixel(x, y, Color(x * 7919 + y * 104729));
  }
  const ViewCrop crops[] = {{50, 40, 10, 20, false},   {400, 300, -50, -60, false},
                            {80, 90, 250, 150, false}, {30, 30, -100, 10, false},
                            {30, 30, 10, 500, false},  {1, 1, 299, 199, false},
                            {20, 10, 5, 5, true},      {40, 20, 400, 0, false}};
  Bitmap mine(500, 400);
  for (const ViewCrop& crop : crops) {
    mine.clear(0x123456);  // left over from a bigger, earlier view
    copyCrop(mine, canvas, crop);
    Bitmap theirs(crop.width, crop.height);
    if (!crop.blank)
      stretchCopy(theirs, Rect{0, 0, crop.width, crop.height}, canvas,
                  Rect{crop.sourceLeft, crop.sourceTop, crop.sourceLeft + crop.width,
                       crop.sourceTop + crop.height});
    EXPECT_TRUE(testing::sameBitmaps(mine, theirs)) << crop.sourceLeft << "," << crop.sourceTop;
  }
}

}  // namespace
}  // namespace quiral
