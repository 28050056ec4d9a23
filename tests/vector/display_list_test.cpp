// Display lists: texts measured so that no picture cuts them, SVG that readers accept with every
// text searchable, and hostile records that stay bounded.

#include <cairo.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/font_engine.h"
#include "vector/svg_writer.h"
#include "vector/symbol_files.h"
#include "vector/symbol_recorder.h"

namespace quiral {
namespace {

std::vector<std::string> block(const std::vector<std::string>& lines) {
  std::vector<std::string> memo{"DEF TEST U 0 40 Y Y 1 F N"};
  memo.insert(memo.end(), lines.begin(), lines.end());
  memo.push_back("ENDDEF");
  return memo;
}

// Whether the PNG's outermost `border` pixels are all white.
bool borderIsWhite(const std::string& png, int border) {
  struct Reader {
    const std::string* bytes;
    size_t at = 0;
  } reader{&png};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* r = static_cast<Reader*>(closure);
        if (r->at + length > r->bytes->size()) return CAIRO_STATUS_READ_ERROR;
        std::copy_n(r->bytes->data() + r->at, length, data);
        r->at += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &reader);
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  bool white = w > 2 * border && h > 2 * border;
  for (int y = 0; y < h && white; ++y) {
    for (int x = 0; x < w; ++x) {
      if (x >= border && x < w - border && y >= border && y < h - border) continue;
      const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x);
      if ((pixel & 0xFFFFFF) != 0xFFFFFF) {
        white = false;
        break;
      }
    }
  }
  cairo_surface_destroy(s);
  return white;
}

TEST(DisplayList, BoundsHoldEveryGlyphInEveryTurn) {
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  // Glyphs that reach below the baseline and past their advances, at the far ends of the drawing.
  const DisplayList& list = recorder.record(block({
      "T 0 -400 300 80 0 1 1 Wjgyq_Qj|   Normal 0 0",
      "T 900 500 -300 80 0 1 1 jgyWfff/ Normal 0 0",
      "X gjpq~ 1 -600 0 200 R 60 60 1 1 I",
      "X WWjj 22 600 0 200 L 60 60 1 1 I",
      "X j 333 0 -600 200 U 60 60 1 1 I",
      "X g 4444 0 600 200 D 60 60 1 1 I",
      "F0 \"Jyg_Reference\" -700 700 50 H V L CNN",
  }));
  ASSERT_EQ(list.texts().size(), 11u);
  // A picture with a margin of 50 units: at 4x the view's size, the outer 30 pixels (36 units)
  // must stay blank if the bounds hold every glyph.
  EXPECT_TRUE(borderIsWhite(symbolPng(list, 4), 30));
}

TEST(DisplayList, SvgTextsAreEscapedTextElementsThatReadersAccept) {
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  const DisplayList& list = recorder.record(block({
      "X A<&>'x 1 -300 0 200 R 50 50 1 1 I",
      "T 0 0 100 60 0 1 1 caf\xC3\xA9~bar Normal 0 0",
      "S -100 -100 100 100 0 1 10 N",
  }));
  const std::string svg = symbolSvg(list, 50);
  const std::string compact = symbolSvg(list, 50, SvgForm::Compact);
  EXPECT_NE(svg.find(">A&lt;&amp;&gt;&apos;x</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">caf\xC3\xA9~bar</text>"), std::string::npos);  // overbars stay as drawn
  EXPECT_NE(svg.find(">1</text>"), std::string::npos);
  // Drawing order, as in every other output: a body filled after a text hides it, while the
  // pin's and the rectangle's texts above (drawn before no filled shape) stay after the outlines.
  const std::string hidden = symbolSvg(
      recorder.record(block({"T 0 0 0 60 0 1 1 under Normal 0 0", "S -100 -100 100 100 0 1 10 f"})),
      50);
  ASSERT_NE(hidden.find(">under</text>"), std::string::npos) << hidden;
  EXPECT_LT(hidden.find(">under</text>"), hidden.find("fill=\"white\"")) << hidden;
  EXPECT_GT(svg.find(">1</text>"), svg.find("<path")) << svg;
  // The compact form: the same texts, a turned one inside its group at the turned-back place.
  EXPECT_LT(compact.size(), svg.size() * 9 / 10);
  EXPECT_NE(compact.find(">A&lt;&amp;&gt;&apos;x</text>"), std::string::npos) << compact;
  const DisplayList& turned = recorder.record(block({"T 900 130 -20 60 0 1 1 up Normal 0 0"}));
  const std::string full = symbolSvg(turned, 50), small = symbolSvg(turned, 50, SvgForm::Compact);
  // The first text's place, read without the locale (the suite also runs under pt_BR).
  auto place = [](const std::string& svg, double& x, double& y) {
    const size_t at = svg.find("<text x=\"");
    if (at == std::string::npos) return false;
    const char* p = svg.c_str() + at + 9;
    const char* end = svg.c_str() + svg.size();
    const auto first = std::from_chars(p, end, x);
    if (first.ec != std::errc() || std::string_view(first.ptr, 5) != "\" y=\"") return false;
    return std::from_chars(first.ptr + 5, end, y).ec == std::errc();
  };
  double x = 0, y = 0, cx = 0, cy = 0;
  ASSERT_TRUE(place(full, x, y)) << full;
  ASSERT_NE(small.find("<g transform=\"rotate(-90)\"><text"), std::string::npos) << small;
  ASSERT_TRUE(place(small, cx, cy)) << small;
  EXPECT_NEAR(cx, -y, 0.5);
  EXPECT_NEAR(cy, x, 0.5);
  const std::string path = ::testing::TempDir() + "quiral_escaped.svg";
  writeSymbolSvg(list, path);
  EXPECT_EQ(std::system(("rsvg-convert '" + path + "' >/dev/null").c_str()), 0);
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(compact.data(), 1, compact.size(), file);
    std::fclose(file);
  }
  const std::string command = "rsvg-convert '" + path + "' >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << "rsvg-convert refused " << path;
  std::remove(path.c_str());
}

TEST(DisplayList, HostileRecordsStayBounded) {
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  const std::vector<std::string> shapes = {
      "C 0 0 2147483647 0 1 10 N",
      "A 2147483647 -2147483648 2147483647 3600 -3600 0 1 0 N 0 0 0 0",
      "A 0 0 0 0 0 0 1 0 N 5 5 5 5",
      "S -99999999999 99999999999 1 1 0 1 0 N",
      "T 0 0 0 2147483647 0 1 1 huge Normal 0 0",
      "P 147 0 1 0 2147483647 -2147483647",
  };
  auto expectBounded = [](const DisplayList& list) {
    const Bounds& b = list.bounds();
    for (double v : {b.minX, b.minY, b.maxX, b.maxY}) {
      EXPECT_TRUE(std::isfinite(v));
      EXPECT_LE(std::abs(v), 2 * kMaxVectorUnits + 1e6);
    }
    for (const DisplayItem& item : list.items())
      for (double v : item.v) ASSERT_TRUE(std::isfinite(v));
  };
  const DisplayList& list = recorder.record(block(shapes));
  expectBounded(list);
  EXPECT_LT(symbolPdf(list, "hostile").size(), 1u << 20);
  EXPECT_THROW(symbolPng(list, 1), QuiralError);  // far larger than any raster allowed

  std::vector<std::string> pins = shapes;
  for (int i = 0; i < 200000; ++i) pins.push_back("X P 1 0 0 2147483647 U 50 50 1 1 I C");
  const DisplayList& many = recorder.record(block(pins));
  EXPECT_LE(many.items().size(), 200000u * 8);  // a pin's line, texts and marks
  expectBounded(many);
  EXPECT_LT(symbolSvg(many, 50).size(), 200000u * 600);
}

}  // namespace
}  // namespace quiral
