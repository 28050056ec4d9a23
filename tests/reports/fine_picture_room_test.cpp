#include "reports/fine_picture_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace quiral {
namespace {

// Every character is 2 mm wide at 10 pt, widths and lines scale with the size.
struct FixedMeasure : TextMeasure {
  double width(std::string_view utf8, double size, bool) override {
    return double(utf8.size()) * 0.2 * size;
  }
  double lineHeight(double size, bool) override { return 0.4 * size; }
};

bool within(const FineRect& inner, const FineRect& outer) {
  constexpr double e = 1e-9;
  return inner.left >= outer.left - e && inner.top >= outer.top - e &&
         inner.left + inner.width <= outer.left + outer.width + e &&
         inner.top + inner.height <= outer.top + outer.height + e;
}

// A symbol of `units` pictures of `width` x `height` library units whose smallest text is a
// 50-unit em (a usual pin name), laid out on the drawings page.
std::vector<FineCell> pieces(size_t units, double width, double height, size_t aliases = 0) {
  FineCellContent content;
  for (size_t i = 0; i < aliases; ++i) content.aliases.push_back("ALIAS" + std::to_string(i));
  content.name = "U";
  content.unitCount = std::to_string(units) + " elementos";
  content.pictureWidth = width;
  content.pictureHeight = height;
  content.smallestText = 50;
  for (size_t i = 0; units > 1 && i < units; ++i)
    content.units.push_back({std::string(1, char('A' + i)), "", width, height, 50});
  FixedMeasure measure;
  return layoutFineCellPieces(measure, FineCatalogKind::Drawings, content,
                              finePage(FineCatalogKind::Drawings));
}

TEST(FinePictureRoom, EveryPictureGetsTheRoomItsSmallestTextNeedsToPrintAtFourPoints) {
  const FinePage page = finePage(FineCatalogKind::Drawings);
  struct Case {
    size_t units;
    double width, height;
    size_t pieces;  // 0: more than one
    bool wide;
    double cellWidth;
  } cases[] = {
      {1, 800, 600, 1, false, 94.9},    // readable in the design's cell
      {1, 3000, 2400, 1, false, 95},    // the column's whole width
      {1, 6000, 3000, 1, true, 190},    // across both columns
      {4, 3000, 4000, 0, true, 190},    // units in rows over pages
      {1, 20000, 30000, 0, true, 190},  // one picture cut into parts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const std::vector<FineCell> laid = pieces(c.units, c.width, c.height);
    EXPECT_TRUE(c.pieces ? laid.size() == c.pieces : laid.size() > 1) << laid.size();
    size_t shown = 0;
    for (const FineCell& piece : laid) {
      EXPECT_EQ(piece.wide, c.wide);
      EXPECT_NEAR(piece.width, c.cellWidth, 1e-9);
      EXPECT_LE(piece.height, page.columnRoom() + 1e-9);
      if (!piece.hasPicture) continue;
      EXPECT_GE(piece.smallestText, kFineReadableText - 1e-9);
      EXPECT_TRUE(within(piece.pictureFrame, {0, 0, piece.width, piece.height}));
      // A picture lies inside its frame, or, cut into parts, each part shown does.
      for (size_t i = 0; i < piece.unitPictures.size(); ++i)
        EXPECT_TRUE(
            within(i < piece.unitWindows.size() ? piece.unitWindows[i] : piece.unitPictures[i],
                   piece.pictureFrame));
      EXPECT_TRUE(!piece.unitPictures.empty() || within(piece.picture, piece.pictureFrame));
      shown += piece.unitPictures.empty() ? 1 : piece.unitPictures.size();
    }
    EXPECT_GE(shown, c.units);
  }
  // The parts of a cut picture cover it all, each labelled with its number; all but the last
  // say that the drawing goes on.
  const std::vector<FineCell> cut = pieces(1, 20000, 30000);
  size_t parts = 0;
  double covered = 0;
  for (const FineCell& piece : cut) {
    for (const FineRect& window : piece.unitWindows) covered += window.width * window.height;
    for (const FineText& text : piece.texts)
      if (text.utf8.find('/') != std::string::npos) ++parts;
  }
  const double scale = cut.back().pictureScale;
  EXPECT_GE(covered, 20000 * scale * 30000 * scale);
  EXPECT_GT(parts, 1u);
  EXPECT_NE(cut[1].texts.front().utf8.find("(cont.)"), std::string::npos);
  const FineText& last = cut.back().texts.back();
  EXPECT_EQ(last.utf8, std::to_string(parts) + "/" + std::to_string(parts));

  // So many aliases that the texts take pieces of their own: each alias once, every piece
  // within a page, the pictures after them.
  const std::vector<FineCell> crowded = pieces(1, 20000, 30000, 900);
  std::vector<int> named(900, 0);
  for (const FineCell& piece : crowded) {
    EXPECT_TRUE(piece.wide);
    EXPECT_LE(piece.height, page.columnRoom() + 1e-9);
    for (const FineText& text : piece.texts)
      for (size_t k = text.aliasFirst; k < text.aliasFirst + text.aliasCount; ++k) ++named.at(k);
  }
  EXPECT_EQ(std::count(named.begin(), named.end(), 1), 900);
  EXPECT_FALSE(crowded.front().hasPicture);
  EXPECT_TRUE(crowded.back().hasPicture);
}

}  // namespace
}  // namespace quiral
