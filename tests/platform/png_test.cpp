#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/error.h"
#include "platform/halftone.h"
#include "platform/png_writer.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

std::string tempPath(const char* name) {
  static const quiral::testing::TempDir folder;  // removed at exit
  return folder.file(name);
}

void expectSamePixels(const Bitmap& a, const Bitmap& b) {
  ASSERT_EQ(a.width(), b.width());
  ASSERT_EQ(a.height(), b.height());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST(Png, RoundTripsFewAndManyColours) {
  Bitmap few(37, 5);  // 3 colours: a 2-bit palette image
  few.setPixel(3, 2, 0x000000);
  few.setPixel(36, 4, 0x0000FF);
  Bitmap many(300, 2);  // more than 256 colours: RGB
  for (int x = 0; x < 300; ++x) many.setPixel(x, 1, rgb(uint8_t(x), uint8_t(x / 2), 7));
  for (const Bitmap* picture : {&few, &many}) {
    for (bool fast : {false, true}) {
      const std::string path = tempPath("roundtrip.png");
      writePng(*picture, path, PngOptions{fast});
      expectSamePixels(*picture, readPng(path));
      std::remove(path.c_str());
    }
  }
}

TEST(Png, RoundTripsEveryPaletteDepthWithWhiteRuns) {
  // 2, 4, 16 and 256 colours give 1-, 2-, 4- and 8-bit rows; odd widths leave partial bytes,
  // and colours sit inside and at the ends of white runs.
  for (int colours : {2, 3, 5, 17, 256}) {
    Bitmap picture(53, 9);
    unsigned seed = 12345;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        seed = seed * 1103515245u + 12345u;
        if ((seed >> 16) % 4 == 0) {
          int k = int((seed >> 8) % unsigned(colours - 1));
          picture.setPixel(x, y, rgb(uint8_t(k), uint8_t(3 * k), 9));
        }
      }
    }
    picture.setPixel(52, 8, 0x000000);
    const std::string path = tempPath("depths.png");
    writePng(picture, path, PngOptions{true});
    expectSamePixels(picture, readPng(path));
    std::remove(path.c_str());
  }
}

TEST(Png, PaletteFileIsSmallAndIndexedPicturesKeepTheirColours) {
  Bitmap page(794, 1123);
  for (int y = 100; y < 900; y += 50)
    for (int x = 50; x < 700; ++x) page.setPixel(x, y, 0);
  const std::string path = tempPath("page.png");
  writePng(page, path, PngOptions{true});
  EXPECT_LT(std::filesystem::file_size(path), 20000u);  // 1 bit per pixel, compressed
  Bitmap indexed = toHalftone(page);
  writePng(indexed, path);
  expectSamePixels(page, readPng(path));
  std::remove(path.c_str());
}

// A picture prepared on one thread and encoded later gives the same file as writing it at once,
// for palette, RGB and indexed pictures, also after the source has changed.
TEST(Png, PreparedPicturesGiveTheSameFile) {
  Bitmap few(37, 5);
  few.setPixel(3, 2, 0x000000);
  Bitmap many(300, 2);
  for (int x = 0; x < 300; ++x) many.setPixel(x, 1, rgb(uint8_t(x), uint8_t(x / 2), 7));
  Bitmap indexed = toHalftone(few);
  const std::string direct = tempPath("direct.png"), prepared = tempPath("prepared.png");
  for (Bitmap* picture : {&few, &many, &indexed}) {
    writePng(*picture, direct, PngOptions{true});
    PreparedPng ready = preparePng(*picture);
    picture->clear(0x00FF00);
    writePng(ready, prepared, PngOptions{true});
    EXPECT_EQ(testing::readBytes(direct), testing::readBytes(prepared));
  }
  std::remove(direct.c_str());
  std::remove(prepared.c_str());
  EXPECT_THROW(preparePng(Bitmap()), QuiralError);
}

TEST(Png, FailuresThrow) {
  Bitmap b(2, 2);
  EXPECT_THROW(writePng(b, "/nonexistent-folder-quiral/x.png"), FileError);
  try {
    writePng(b, "/nonexistent-folder-quiral/x.png");
  } catch (const FileError& e) {
    EXPECT_EQ(e.errorNumber(), ENOENT);  // the text is strerror's, which follows the locale
  }
  EXPECT_THROW(writePng(Bitmap(), tempPath("empty.png")), QuiralError);
  EXPECT_THROW(readPng("/nonexistent-folder-quiral/x.png"), FileError);
  const std::string notPng = tempPath("not.png");
  FILE* f = std::fopen(notPng.c_str(), "wb");
  std::fputs("not a picture", f);
  std::fclose(f);
  EXPECT_THROW(readPng(notPng), QuiralError);
  std::remove(notPng.c_str());
}

}  // namespace
}  // namespace quiral
