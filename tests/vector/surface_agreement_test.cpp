// Both surfaces draw the same geometry: each record kind and each pin shape in each orientation,
// drawn on the pixel canvas and recorded as vectors, lands within a pixel of the other.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../render/render_test_util.h"
#include "platform/font_engine.h"
#include "render/renderer.h"
#include "vector/symbol_recorder.h"
#include "vector_test_util.h"

namespace quiral {
namespace {

std::vector<std::string> block(const std::vector<std::string>& lines) {
  // Pin names and numbers are left out: glyph hinting differs between the two.
  std::vector<std::string> memo{"DEF TEST U 0 40 N N 1 F N"};
  memo.insert(memo.end(), lines.begin(), lines.end());
  memo.push_back("ENDDEF");
  return memo;
}

void expectSameGeometry(const std::vector<std::string>& lines) {
  SCOPED_TRACE(lines.front());
  const std::vector<std::string> memo = block(lines);
  Renderer pixels;
  pixels.RenderComponent(memo);
  FontEngine fonts;
  SymbolRecorder recorder(fonts, LookName::Specified);  // the pixel view's look
  const DisplayList& list = recorder.record(memo);
  const std::vector<bool> canvasInk = testing::inkOf(pixels.DrawingCanvas());
  const std::vector<bool> vectorInk = testing::rasterizeShapes(list);
  // The canvas puts a coordinate on its pixel with pixelOffset, which rounds negative values up to
  // a pixel away from the exact point; the exact line then lands within half a pixel of its own
  // raster. So a stroke of either picture is at most two pixels from the other's, but for the
  // last pixels of an arc: the canvas finds the arc's ends from radial points it rounded on their
  // own, which can shift an end along the arc by a few pixels.
  const int arcEnds = lines.front()[0] == 'A' ? 4 : 0;
  EXPECT_LE(testing::strayPixels(canvasInk, vectorInk, 2), arcEnds)
      << "canvas ink far from vectors";
  EXPECT_LE(testing::strayPixels(vectorInk, canvasInk, 2), arcEnds) << "vector ink far from canvas";
}

TEST(SurfaceAgreement, EveryRecordKind) {
  expectSameGeometry({"S -200 300 250 -150 0 1 10 f"});
  expectSameGeometry({"C 100 -50 173 0 1 10 N"});
  expectSameGeometry({"P 4 0 1 10 -300 -200 -100 250 200 260 310 -180 N"});
  expectSameGeometry({"P 3 0 1 10 -300 -200 -100 250 200 260 F"});
  expectSameGeometry({"A 0 0 200 900 -900 0 1 10 N 0 200 0 -200"});         // right half
  expectSameGeometry({"A 50 -30 150 1350 450 0 1 10 N -56 76 156 76"});     // top, short way
  expectSameGeometry({"A -100 100 120 -1200 300 0 1 10 N -160 -4 4 160"});  // across 0
}

TEST(SurfaceAgreement, EveryPinShapeInEveryOrientation) {
  const char* shapes[] = {"", "I", "C", "IC", "L", "CL", "V"};
  const char* orientations[] = {"R", "L", "U", "D"};
  for (const char* shape : shapes) {
    for (const char* o : orientations) {
      std::string pin = std::string("X A 1 -150 80 200 ") + o + " 50 50 1 1 I " + shape;
      // An opaque bubble drawn before a rectangle makes the rectangle opaque too.
      expectSameGeometry({pin, "S -60 -60 60 60 0 1 10 N"});
    }
  }
}

}  // namespace
}  // namespace quiral
