#include "review/review_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/error.h"
#include "platform/font_engine.h"
#include "review/library_review.h"
#include "review/overlay_picture.h"
#include "tests/support/temp_dir.h"
#include "vector/symbol_recorder.h"

namespace quiral {
namespace {

using testing::TempDir;

// A two-unit symbol whose unit B moves a pin: the overlay of unit B shows the old pin red, the
// new one green and the rest grey; unit A, drawn the same on both sides, gets no picture.
Review movedPinReview(TempDir& dir) {
  auto lib = [](const std::string& y) {
    return "EESchema-LIBRARY Version 2.4\nDEF U U 0 40 Y Y 2 L N\nF0 \"U\" 0 200 50 H V C CNN\n"
           "DRAW\nS -100 100 100 -100 0 1 10 f\nX A 1 -200 0 100 R 50 50 1 1 I\n"
           "X B 2 200 " +
           y + " 100 L 50 50 2 1 O\nENDDRAW\nENDDEF\n";
  };
  testing::writeBytes(dir.file("a.lib"), lib("0"));
  testing::writeBytes(dir.file("b.lib"), lib("50"));
  return reviewPaths(dir.file("a.lib"), dir.file("b.lib"));
}

int run(const std::string& command) {
  return std::system(command.c_str());
}

TEST(ReviewReport, OverlaysColourWhatWasRemovedAddedAndKept) {
  TempDir dir;
  const Review review = movedPinReview(dir);
  ASSERT_EQ(review.entries.size(), 1u);
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  const auto pictures = overlayPictures(recorder, review.entries[0]);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].unit, 2);
  EXPECT_EQ(pictures[0].caption, "unit B");
  int removed = 0, added = 0, same = 0;
  for (const DisplayItem& item : pictures[0].list.items()) {
    removed += item.color == overlay::kRemoved;
    added += item.color == overlay::kAdded;
    same += item.color == overlay::kSame;
  }
  // The pin's line, name and number on each side; the body is shared.
  EXPECT_GE(removed, 3);
  EXPECT_EQ(removed, added);
  EXPECT_GE(same, 1);
}

// The reports are read by real readers: an HTML5 parser in strict mode, qpdf and pdftotext.
TEST(ReviewReport, HtmlAndPdfReportsAreValidAndSearchable) {
  TempDir dir;
  const Review review = movedPinReview(dir);
  const std::string html = dir.file("r.html"), pdf = dir.file("r.pdf");
  writeReviewReport(review, "a.lib", "b.lib", html);
  writeReviewReport(review, "a.lib", "b.lib", pdf);
  const std::string page = testing::readBytes(html);
  EXPECT_NE(page.find("<article id=\"lib-b--U\">"), std::string::npos);
  EXPECT_NE(page.find("pin moved: 2 (B) of unit B: (200, 0) -&gt; (200, 50)"), std::string::npos);
  EXPECT_NE(page.find("<svg"), std::string::npos);
  EXPECT_NE(page.find("stroke=\"#D01010\""), std::string::npos);
  EXPECT_EQ(run("/usr/bin/python3 -c 'import html5lib,sys; "
                "html5lib.HTMLParser(strict=True).parse(open(sys.argv[1],\"rb\"))' " +
                html),
            0);
  EXPECT_EQ(run("qpdf --check " + pdf + " > /dev/null"), 0);
  EXPECT_EQ(run("pdftotext " + pdf + " " + dir.file("r.txt")), 0);
  EXPECT_NE(testing::readBytes(dir.file("r.txt")).find("pin moved: 2 (B) of unit B"),
            std::string::npos);
  // The outline: one entry for the library and one for the symbol.
  const std::string bytes = testing::readBytes(pdf);
  EXPECT_NE(bytes.find("/Outlines"), std::string::npos);
  EXPECT_NE(bytes.find("/Title (b)"), std::string::npos);
  EXPECT_NE(bytes.find("/Title (U)"), std::string::npos);

  // Anchors stay valid HTML ids whatever the names hold.
  ReviewEntry odd;
  odd.library = "my lib";
  odd.symbol = "R/1 \"x\"";
  odd.occurrence = 1;
  EXPECT_EQ(entryAnchor(odd), "lib-my_20lib--R_2F1_20_22x_22--2");
}

TEST(ReviewReport, ATargetThatIsNoFileOrInAMissingFolderIsRefusedAndNothingWritten) {
  TempDir dir;
  const Review review = movedPinReview(dir);
  EXPECT_THROW(writeReviewReport(review, "a", "b", dir.file("missing/r.html")), QuiralError);
  EXPECT_THROW(writeReviewReport(review, "a", "b", "/dev/null"), QuiralError);
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2u);  // the two libraries only
}

}  // namespace
}  // namespace quiral
