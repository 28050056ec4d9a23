#include "report_engine/qrp_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/error.h"
#include "report_engine/crc32.h"
#include "tests/report_engine/report_fixtures.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;

// A small report that uses every kind of item, a shared picture and non-ASCII text.
PreparedReport sampleReport() {
  PreparedReport r;
  r.title = "Visão prévia lib: device.lib";
  r.pageWidth = 2970;
  r.pageHeight = 2100;
  r.orientation = Orientation::Landscape;
  Bitmap pixels(3, 2);
  pixels.setPixel(1, 1, 0x123456);
  auto picture = std::make_shared<const CompactBitmap>(pixels);
  PreparedPage one;
  one.items.push_back(PageFill{{1, 2, 3, 4}, 0xABCDEF});
  one.items.push_back(
      PageFrame{{10, 20, 30, 40}, FrameSides{true, false, true, false}, 0x000080, 2});
  one.items.push_back(
      PageText{{0, 0, 500, 60}, 7, 8, FontSpec{"Arial", 14, colors::kBlue, true}, "Catálogo"});
  one.items.push_back(PagePicture{{100, 100, 200, 200}, {100, 100, 150, 200}, true, picture});
  PreparedPage two;
  two.items.push_back(PagePicture{{0, 0, 10, 10}, {0, 0, 10, 10}, false, picture});
  two.items.push_back(PagePicture{{0, 0, 10, 10}, {0, 0, 10, 10}, false, nullptr});
  r.pages.push_back(std::make_shared<PreparedPage>(std::move(one)));
  r.pages.push_back(std::make_shared<PreparedPage>(std::move(two)));
  r.pages.push_back(std::make_shared<PreparedPage>());
  return r;
}

void expectSameReport(const PreparedReport& a, const PreparedReport& b) {
  // Two encodings are equal exactly when every field and pixel is.
  EXPECT_EQ(encodePreparedReport(a), encodePreparedReport(b));
}

// Fixes up the checksum after editing a file's bytes, so the test reaches the field it changed.
std::string withChecksum(std::string bytes) {
  bytes.resize(bytes.size() - 4);
  uint32_t sum = crc32Of(bytes);
  for (int i = 0; i < 4; ++i) bytes += char((sum >> (8 * i)) & 0xFF);
  return bytes;
}

void putU32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = char((v >> (8 * i)) & 0xFF);
}

std::string fullMessageOf(std::string_view bytes) {
  try {
    decodePreparedReport(bytes);
  } catch (const QuiralError& e) {
    return e.what();
  }
  return "accepted";
}

// The message without the offset it ends with.
std::string messageOf(std::string_view bytes) {
  const std::string full = fullMessageOf(bytes);
  return full.substr(0, full.find(" (at byte "));
}

class QrpFileTest : public ::testing::Test {
 protected:
  quiral::testing::TempDir folder;
  const fs::path dir = folder.path();
};

TEST(QrpFormat, RoundTripKeepsEveryItemAndSharesPictures) {
  const PreparedReport original = sampleReport();
  const std::string bytes = encodePreparedReport(original);
  const PreparedReport back = decodePreparedReport(bytes);
  expectSameReport(original, back);
  ASSERT_EQ(back.pages.size(), 3u);
  EXPECT_EQ(back.title, original.title);
  EXPECT_EQ(back.orientation, Orientation::Landscape);
  const auto& text = std::get<PageText>(back.pages[0]->items[2]);
  EXPECT_EQ(text.text, "Catálogo");
  EXPECT_TRUE(text.font.bold);
  const auto& first = std::get<PagePicture>(back.pages[0]->items[3]);
  const auto& second = std::get<PagePicture>(back.pages[1]->items[0]);
  EXPECT_EQ(first.picture, second.picture);  // stored once, shared again
  EXPECT_EQ(first.picture->pixel(1, 1), 0x123456u);
  EXPECT_EQ(std::get<PagePicture>(back.pages[1]->items[1]).picture, nullptr);
}

TEST(QrpFormat, RefusesEveryTruncationAndEveryFlippedByte) {
  const std::string bytes = encodePreparedReport(sampleReport());
  for (size_t n = 0; n < bytes.size(); ++n)
    EXPECT_NE(messageOf(bytes.substr(0, n)), "accepted") << "cut at " << n;
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::string damaged = bytes;
    damaged[i] = char(damaged[i] ^ 0x40);
    EXPECT_NE(messageOf(damaged), "accepted") << "byte " << i;
  }
  EXPECT_NE(messageOf(bytes + "x"), "accepted");
}

TEST(QrpFormat, ForeignFilesAndNewerVersionsSayWhatTheyAre) {
  EXPECT_EQ(messageOf("%PDF-1.4\n..."), "The file is not a prepared report");
  EXPECT_EQ(messageOf(""), "The file is not a prepared report");
  std::string newer = encodePreparedReport(sampleReport());
  newer[8] = 2;  // version
  EXPECT_EQ(messageOf(withChecksum(newer)),
            "The prepared report was written by a newer version of the program");
}

TEST(QrpFormat, AbsurdCountsAreRefusedBeforeAnythingIsAllocated) {
  PreparedReport empty;
  empty.title = "t";
  const std::string bytes = encodePreparedReport(empty);
  // magic 8, version 2, title 4+1, size 8, orientation 1: picture count, then page count.
  const size_t pictureCount = 8 + 2 + 5 + 8 + 1;
  const size_t pageCount = pictureCount + 4;
  for (size_t at : {pictureCount, pageCount, size_t(10)}) {
    std::string forged = bytes;
    putU32(forged, at, 0xFFFFFFFFu);
    EXPECT_EQ(messageOf(withChecksum(forged)),
              "The prepared report file is damaged and cannot be read")
        << "field at " << at;
  }
  std::string forged = bytes;
  putU32(forged, pictureCount, 0xFFFFFFFFu);
  EXPECT_EQ(fullMessageOf(withChecksum(forged)),
            "The prepared report file is damaged and cannot be read (at byte " +
                std::to_string(pictureCount + 4) + ")");
  // A page of ten metres would make page pictures of gigabytes.
  std::string hugePage = bytes;
  putU32(hugePage, 8 + 2 + 5, 100000);
  EXPECT_EQ(messageOf(withChecksum(hugePage)),
            "The prepared report file is damaged and cannot be read");
  // A picture claiming 30000 x 30000 pixels in a file of a few bytes.
  std::string picture = bytes;
  putU32(picture, pictureCount, 1);
  picture.insert(pictureCount + 4, std::string("\x30\x75\0\0\x30\x75\0\0", 8));
  EXPECT_EQ(messageOf(withChecksum(picture)),
            "The prepared report file is damaged and cannot be read");
}

TEST(QrpFormat, PicturesAreStoredAsRunsThatMustFillThemExactly) {
  PreparedReport r;
  Bitmap pixels(600, 2);  // 1200 pixels: white runs of 32 at most
  pixels.setPixel(599, 1, colors::kBlack);
  auto picture = std::make_shared<const CompactBitmap>(pixels);
  PreparedPage page;
  page.items.push_back(PagePicture{{0, 0, 10, 10}, {0, 0, 10, 10}, false, picture});
  r.pages.push_back(std::make_shared<PreparedPage>(std::move(page)));
  const std::string bytes = encodePreparedReport(r);
  EXPECT_LT(bytes.size(), 260u);
  const auto back = decodePreparedReport(bytes);
  const auto& copy = *std::get<PagePicture>(back.pages[0]->items[0]).picture;
  EXPECT_EQ(copy.pixel(599, 1), colors::kBlack);
  EXPECT_EQ(copy.pixel(598, 1), colors::kWhite);

  // Three pixels, black then two white: two runs.
  Bitmap smallPixels(3, 1);
  smallPixels.setPixel(0, 0, colors::kBlack);
  auto small = std::make_shared<const CompactBitmap>(smallPixels);
  PreparedPage smallPage;
  smallPage.items.push_back(PagePicture{{0, 0, 10, 10}, {0, 0, 10, 10}, false, small});
  r.pages = {std::make_shared<PreparedPage>(std::move(smallPage))};
  const std::string three = encodePreparedReport(r);
  // magic 8, version 2, empty title 4, size 9, picture count 4, width 4, height 4, run count 4.
  const size_t secondRun = 8 + 2 + 4 + 9 + 4 + 4 + 4 + 4 + 4;
  ASSERT_EQ(three[secondRun], 1);  // two pixels
  std::string overfull = three;
  overfull[secondRun] = 2;  // one pixel more than the picture has
  EXPECT_NE(messageOf(withChecksum(overfull)), "accepted");
  std::string tooFew = three;
  tooFew[secondRun] = 0;
  EXPECT_NE(messageOf(withChecksum(tooFew)), "accepted");
  EXPECT_EQ(messageOf(three), "accepted");
}

// One page holding `items` copies of a text item.
PreparedReport textReport(size_t items, const PageText& text) {
  PreparedReport r;
  PreparedPage page;
  page.items.assign(items, text);
  r.pages.push_back(std::make_shared<PreparedPage>(std::move(page)));
  return r;
}

std::string refusalOf(const PreparedReport& r) {
  try {
    encodePreparedReport(r);
  } catch (const QuiralError& e) {
    return e.what();
  }
  return "written";
}

TEST(QrpFormat, WhatTheReaderRefusesTheWriterRefusesToWrite) {
  const PageText text{{0, 0, 500, 60}, 7, 8, FontSpec{"Arial", 10}, "R1"};
  // A file at each limit is written and read back.
  PageText large = text;
  large.font.pointSize = 2000;
  large.font.face = std::string(255, 'F');
  PreparedReport atLimits = textReport(5000, large);
  EXPECT_EQ(decodePreparedReport(encodePreparedReport(atLimits)).pages[0]->items.size(), 5000u);

  large.font.pointSize = 2500;
  EXPECT_EQ(refusalOf(textReport(1, large)),
            "The prepared report cannot be saved: a text is larger than 2000 points");
  large.font.pointSize = 10;
  large.font.face += 'F';
  EXPECT_EQ(refusalOf(textReport(1, large)),
            "The prepared report cannot be saved: a font name is too long");
  EXPECT_EQ(refusalOf(textReport(5001, text)),
            "The prepared report cannot be saved: a page holds more than 5000 items");
}

TEST(QrpFormat, ReaderBoundsPaintingWorkFaceNamesAndPicturePixelsByTheFile) {
  const PageText text{{0, 0, 500, 60}, 7, 8, FontSpec{"Arial", 10}, "R1"};
  // The item count sits after the empty title, page size, no pictures and one page.
  const size_t itemCount = 8 + 2 + 4 + 9 + 4 + 4;
  // The file of a one-page report of `n` equal items, forged to hold one item more.
  auto oneItemMore = [&](const PreparedReport& r, uint32_t n) {
    std::string bytes = encodePreparedReport(r);
    bytes.resize(bytes.size() - 4);
    bytes += bytes.substr(bytes.size() - (bytes.size() - itemCount - 4) / n);
    putU32(bytes, itemCount, n + 1);
    return withChecksum(bytes + "....");
  };
  const char* const damagedText = "The prepared report file is damaged and cannot be read";
  EXPECT_EQ(messageOf(oneItemMore(textReport(5000, text), 5000)), damagedText);
  // Fills covering the page 32 times over load; one more is refused.
  PreparedReport fills;
  PreparedPage page32;
  page32.items.assign(32, PageFill{{0, 0, 2100, 2970}, colors::kBlack});
  fills.pages.push_back(std::make_shared<PreparedPage>(page32));
  EXPECT_EQ(messageOf(encodePreparedReport(fills)), "accepted");
  EXPECT_EQ(messageOf(oneItemMore(fills, 32)), damagedText);
  page32.items.push_back(PageFill{{-9000, -9000, 90000, 90000}, colors::kBlack});
  fills.pages[0] = std::make_shared<PreparedPage>(page32);
  EXPECT_EQ(refusalOf(fills),
            "The prepared report cannot be saved: a page is painted over more than 32 times");

  // A face name one byte longer than a name can be (kind, box, colour, x and top come first).
  std::string face = encodePreparedReport(textReport(1, text));
  const size_t faceLength = itemCount + 4 + 1 + 16 + 4 + 8;
  ASSERT_EQ(face.substr(faceLength + 4, 5), "Arial");
  face.replace(faceLength + 4, 5, std::string(256, 'F'));
  putU32(face, faceLength, 256);
  EXPECT_EQ(messageOf(withChecksum(face)),
            "The prepared report file is damaged and cannot be read");

  // 40 white pixels are written as runs of 32 and 8; one run of 39 and one of 1 would fill the
  // picture too, but a run longer than 32 would let a file hold more pixels than its size allows.
  PreparedReport r;
  PreparedPage page;
  page.items.push_back(PagePicture{
      {0, 0, 10, 10}, {0, 0, 10, 10}, false, std::make_shared<const CompactBitmap>(Bitmap(40, 1))});
  r.pages.push_back(std::make_shared<PreparedPage>(std::move(page)));
  std::string runs = encodePreparedReport(r);
  const size_t firstRun = 8 + 2 + 4 + 9 + 4 + 4 + 4 + 4;
  ASSERT_EQ(runs[firstRun], 31);
  ASSERT_EQ(runs[firstRun + 4], 7);
  EXPECT_EQ(messageOf(runs), "accepted");
  runs[firstRun] = 38;
  runs[firstRun + 4] = 0;
  EXPECT_EQ(messageOf(withChecksum(runs)),
            "The prepared report file is damaged and cannot be read");
}

TEST_F(QrpFileTest, SaveAndLoadThroughThePrinterObject) {
  testing::GridReport g;
  g.records = 7;
  g.report.setReportTitle("Lista");
  g.report.prepare();
  const std::string path = (dir / "cat.QRP").string();
  g.report.qrPrinter().save(path);

  TQRPrinter other;
  other.load(path);
  EXPECT_EQ(other.pageCount(), 2);
  EXPECT_EQ(other.title(), "Lista");
  expectSameReport(other.prepared(), g.report.qrPrinter().prepared());
}

TEST_F(QrpFileTest, ADamagedFileLeavesThePagesAsTheyWere) {
  testing::GridReport g;
  g.records = 7;
  g.report.prepare();
  const auto before = g.report.qrPrinter().page(1);

  const std::string bad = (dir / "bad.QRP").string();
  std::string bytes = encodePreparedReport(sampleReport());
  std::ofstream(bad, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  try {
    g.report.qrPrinter().load(bad);
    ADD_FAILURE() << "a damaged file was loaded";
  } catch (const QuiralError& e) {
    // The file and where its checksum sits, which no longer matches the shortened body.
    EXPECT_EQ(std::string(e.what()),
              bad + ": The prepared report file is damaged and cannot be read (at byte " +
                  std::to_string(bytes.size() / 2 - 4) + ")");
  }
  EXPECT_THROW(g.report.qrPrinter().load((dir / "missing.QRP").string()), FileError);
  EXPECT_THROW(g.report.qrPrinter().load(dir.string()), FileError);  // a folder
  EXPECT_EQ(g.report.qrPrinter().pageCount(), 2);
  EXPECT_EQ(g.report.qrPrinter().page(1), before);
}

TEST_F(QrpFileTest, SavingIsAtomicAndOnlyAfterTheGenerationFinished) {
  const std::string path = (dir / "keep.QRP").string();
  std::ofstream(path) << "old";
  testing::GridReport g;
  g.records = 1;
  g.report.prepare();
  // A folder that does not exist: the save fails and the old file is untouched.
  EXPECT_THROW(g.report.qrPrinter().save((dir / "no" / "x.QRP").string()), FileError);
  // A report the reader could not read back is refused before anything is written.
  g.report.find<TQRLabel>("Name")->setFont(FontSpec{"Arial", 2500});
  g.needDataCalls = 0;
  g.report.prepare();
  EXPECT_THROW(g.report.qrPrinter().save((dir / "big.QRP").string()), QuiralError);
  EXPECT_FALSE(fs::exists(dir / "big.QRP"));
  g.report.find<TQRLabel>("Name")->setFont(FontSpec{"Arial", 10});
  g.report.setNeedData([&](TQuickRep& r, bool& more) {
    EXPECT_THROW(r.qrPrinter().save(path), QuiralError);
    EXPECT_THROW(r.qrPrinter().load(path), QuiralError);
    more = false;
  });
  g.report.prepare();
  std::ifstream in(path);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "old");

  g.report.qrPrinter().save(path);
  EXPECT_EQ(loadPreparedReport(path).pages.size(), 1u);
  int leftovers = 0;
  for (const auto& entry : fs::directory_iterator(dir)) leftovers += entry.path() != path;
  EXPECT_EQ(leftovers, 0);  // no temporary file stays behind
}

}  // namespace
}  // namespace quiral
