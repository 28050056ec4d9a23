#include <gtest/gtest.h>

#include <limits>

#include "render/coordinate_map.h"
#include "render/pin_layout.h"
#include "render/record_rules.h"
#include "render/token_value.h"
#include "render/view_crop.h"

namespace quiral {
namespace {

DrawingState freshState() {
  DrawingState s;
  resetBounds(s);
  return s;
}

TEST(Mapping, KnownValues) {
  DrawingState s = freshState();
  EXPECT_EQ(mapX(s, tokenValue("0")), 1000);
  EXPECT_EQ(mapY(s, tokenValue("")), 1000);
  EXPECT_EQ(mapX(s, 100), 1020);
  EXPECT_EQ(mapX(s, -100), 981);
  EXPECT_EQ(mapY(s, 100), 980);
  EXPECT_EQ(mapY(s, -100), 1019);
  EXPECT_EQ(mapX(s, 2), 1000);
  EXPECT_EQ(mapX(s, -3), 1000);
  EXPECT_EQ(mapY(s, 2), 1000);
  EXPECT_EQ(mapY(s, -3), 1000);
  EXPECT_EQ(s.MinX, 981);
  EXPECT_EQ(s.MaxX, 1020);
  EXPECT_EQ(s.MinY, 980);
  EXPECT_EQ(s.MaxY, 1019);
}

TEST(Mapping, LeftAndTopEdgesNeverBelowZero) {
  DrawingState s = freshState();
  EXPECT_EQ(mapX(s, -5000), -19);
  EXPECT_EQ(s.MinX, 0);
  EXPECT_EQ(s.MaxX, -19);
  EXPECT_EQ(mapY(s, 5000), -20);
  EXPECT_EQ(s.MinY, 0);
  EXPECT_EQ(s.MaxY, -20);
}

TEST(Mapping, SaturatedSumsDoNotOverflow) {
  DrawingState s = freshState();
  const int64_t big = std::numeric_limits<int32_t>::max();
  const int64_t small = std::numeric_limits<int32_t>::min();
  int32_t right = mapX(s, big + big);
  int32_t left = mapX(s, small - big);
  EXPECT_GT(right, 800000000);
  EXPECT_LT(left, -800000000);
  EXPECT_EQ(s.MinX, 0);
  EXPECT_EQ(s.MaxX, right);
}

TEST(ViewCrop, MarginOfFiftyAroundTheBox) {
  DrawingState s = freshState();
  mapX(s, -100);
  mapX(s, 100);
  mapY(s, 100);
  mapY(s, -100);
  ViewCrop c = viewCropOf(s);
  EXPECT_FALSE(c.blank);
  EXPECT_EQ(c.width, 1020 - 981 + 100);
  EXPECT_EQ(c.height, 1019 - 980 + 100);
  EXPECT_EQ(c.sourceLeft, 931);
  EXPECT_EQ(c.sourceTop, 930);
}

TEST(ViewCrop, NothingMappedGivesABlankView) {
  ViewCrop c = viewCropOf(freshState());
  EXPECT_TRUE(c.blank);
  EXPECT_EQ(c.width, 101);
  EXPECT_EQ(c.height, 101);
}

TEST(ViewCrop, HugeAndNegativeBoxesStayBounded) {
  DrawingState s = freshState();
  mapX(s, 0);
  mapX(s, std::numeric_limits<int32_t>::max());
  mapY(s, 0);
  mapY(s, std::numeric_limits<int32_t>::min());
  ViewCrop c = viewCropOf(s);
  EXPECT_EQ(c.width, kMaxViewSide);
  EXPECT_EQ(c.height, kMaxViewSide);

  DrawingState n = freshState();
  mapX(n, -50000);  // far left of the canvas: left edge clamps to 0, right edge is negative
  mapY(n, 0);
  ViewCrop d = viewCropOf(n);
  EXPECT_EQ(d.width, 1);
  EXPECT_EQ(d.sourceLeft, -50);
}

TEST(ArcRules, SwapDecision) {
  EXPECT_FALSE(arcEndsSwapped(0, 900));
  EXPECT_FALSE(arcEndsSwapped(0, 1800));
  EXPECT_TRUE(arcEndsSwapped(0, 1801));
  EXPECT_TRUE(arcEndsSwapped(1801, 0));
  EXPECT_FALSE(arcEndsSwapped(1802, 0));
  EXPECT_FALSE(arcEndsSwapped(1800, 0));
  EXPECT_FALSE(arcEndsSwapped(normalizedAngle(-900), normalizedAngle(900)));
  EXPECT_EQ(normalizedAngle(-900), 2700);
  EXPECT_EQ(normalizedAngle(-4000), -400);  // raised once only
  EXPECT_EQ(normalizedAngle(3700), 3700);
}

TEST(TextRules, SizeAndTurn) {
  EXPECT_EQ(textPointSize(50), 5);
  EXPECT_EQ(textPointSize(65), 6);
  EXPECT_EQ(textPointSize(75), 8);
  EXPECT_TRUE(textTurnsUp("1"));
  EXPECT_TRUE(textTurnsUp("1800"));
  EXPECT_TRUE(textTurnsUp("900"));
  EXPECT_FALSE(textTurnsUp("0"));
  EXPECT_FALSE(textTurnsUp("9000"));
  EXPECT_FALSE(textTurnsUp(""));
}

TEST(PinLayout, OrientationIsUpperCaseFirstCharacter) {
  EXPECT_EQ(pinOrientationOf("U"), PinOrientation::Up);
  EXPECT_EQ(pinOrientationOf("Down"), PinOrientation::Down);
  EXPECT_EQ(pinOrientationOf("L"), PinOrientation::Left);
  EXPECT_EQ(pinOrientationOf("R"), PinOrientation::Right);
  EXPECT_FALSE(pinOrientationOf("u"));
  EXPECT_FALSE(pinOrientationOf(""));
  EXPECT_FALSE(pinOrientationOf("X"));
}

TEST(PinLayout, TextPositionsPerOrientation) {
  PinTextMetrics m{.nameWidth = 30, .nameHeight = 13, .numberWidth = 7, .numberHeight = 12};
  PinLayout r = layoutPin(PinOrientation::Right, {1000, 1000}, {1061, 1000}, m, pixelHalf);
  EXPECT_EQ(r.name, (SurfacePoint{1071, 1000 - 6}));  // h(13) = 6 (6.5 to even)
  EXPECT_EQ(r.number, (SurfacePoint{1061 - 7 - 20, 1000 - 13 - 2}));
  EXPECT_EQ(r.bubble, (SurfacePoint{1053, 1000}));

  PinLayout l = layoutPin(PinOrientation::Left, {1000, 1000}, {939, 1000}, m, pixelHalf);
  EXPECT_EQ(l.name, (SurfacePoint{939 - 30 - 10, 994}));
  EXPECT_EQ(l.number, (SurfacePoint{959, 985}));
  EXPECT_EQ(l.bubble, (SurfacePoint{947, 1000}));

  // Up: end above the connection point; h(7) = 4, h(-61) = -30 (30.5 to even).
  PinLayout u = layoutPin(PinOrientation::Up, {1000, 1000}, {1000, 939}, m, pixelHalf);
  EXPECT_EQ(u.name, (SurfacePoint{995, 934}));
  EXPECT_EQ(u.number, (SurfacePoint{1000 - 12 - 2, 939 + 4 + 30}));
  EXPECT_EQ(u.bubble, (SurfacePoint{1000, 947}));

  PinLayout d = layoutPin(PinOrientation::Down, {1000, 1000}, {1000, 1061}, m, pixelHalf);
  EXPECT_EQ(d.name, (SurfacePoint{1005, 1066}));
  EXPECT_EQ(d.number, (SurfacePoint{1000 + 12 + 4, 1061 - 4 - 30}));
  EXPECT_EQ(d.bubble, (SurfacePoint{1000, 1053}));

  EXPECT_EQ(pinTextEscapement(PinOrientation::Up), 900);
  EXPECT_EQ(pinTextEscapement(PinOrientation::Down), -900);
  EXPECT_EQ(pinTextEscapement(PinOrientation::Left), 0);
}

}  // namespace
}  // namespace quiral
