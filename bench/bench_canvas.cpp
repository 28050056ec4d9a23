// Throughput of the drawing canvas on the 2000 x 2000 symbol canvas, and the 8-bit conversion of
// an A4 page picture at 96 dpi.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_engine.h"
#include "platform/halftone.h"
#include "platform/page_text.h"
#include "platform/png_writer.h"

namespace quiral {
namespace {

constexpr int kCanvas = 2000;

// Coordinates like a symbol's: within a few hundred pixels of the centre.
std::vector<int64_t> symbolCoordinates(size_t n) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> d(700, 1300);
  std::vector<int64_t> v(n);
  for (auto& c : v) c = d(rng);
  return v;
}

void BM_Lines(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  const auto v = symbolCoordinates(4096);
  size_t i = 0;
  for (auto _ : state) {
    c.moveTo(v[i], v[i + 1]);
    c.lineTo(v[i + 2], v[i + 3]);
    i = (i + 4) % 4096;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Lines);

void BM_ShortPinLines(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  int64_t y = 700;
  for (auto _ : state) {
    c.moveTo(900, y);
    c.lineTo(940, y);  // a pin: 40 pixels, horizontal
    y = y == 1300 ? 700 : y + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShortPinLines);

void BM_Ellipses(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  const int64_t size = state.range(0);
  int64_t x = 800;
  for (auto _ : state) {
    c.ellipse(x, 900, x + size, 900 + size);
    x = x == 1000 ? 800 : x + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ellipses)->Arg(8)->Arg(40)->Arg(400);

void BM_Arcs(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  c.setPenMode(PenMode::Mask);
  for (auto _ : state) c.arc(900, 900, 1000, 980, 1100, 900, 800, 1000);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Arcs);

// One pin name or field text per iteration, switching between two fonts like the renderer does.
void BM_Text(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  FontSpec small, turned;
  small.pointSize = 8;
  turned.pointSize = 9;
  turned.escapement = 900;
  int64_t y = 700;
  for (auto _ : state) {
    c.setFont(small);
    c.textOut(1000, y, "VCC_IO");
    c.setFont(turned);
    c.textOut(900, y + 100, "GND");
    y = y == 1200 ? 700 : y + 1;
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_Text);

void BM_TextExtent(benchmark::State& state) {
  Bitmap bm(1, 1);
  Canvas c(bm);
  for (auto _ : state) benchmark::DoNotOptimize(c.textExtent("74HC595 shift register"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextExtent);

void BM_ClearCanvas(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  for (auto _ : state) {
    bm.clear();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ClearCanvas)->Unit(benchmark::kMillisecond);

void BM_ClearTouchedOnly(benchmark::State& state) {
  Bitmap bm(kCanvas, kCanvas);
  Canvas c(bm);
  c.rectangle(850, 850, 1150, 1200);  // a typical symbol's extent
  c.setBrushColor(colors::kWhite);
  for (auto _ : state) {
    const Rect r = c.touched();
    c.fillRect(r.left, r.top, r.right, r.bottom);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ClearTouchedOnly)->Unit(benchmark::kMicrosecond);

Bitmap pagePicture() {
  Bitmap page(794, 1123);
  FontEngine fonts;
  Canvas c(page, fonts);
  for (int y = 60; y < 1060; y += 200) {
    c.rectangle(40, y, 754, y + 190);
    c.setPenColor(0x808080);
    c.ellipse(100, y + 20, 300, y + 170);
    c.setPenColor(colors::kBlack);
  }
  FontSpec f;
  for (int y = 70; y < 1060; y += 20)
    drawPageText(fonts, page, 400, y, f, 13.3, "Componente R 10k", {0, 0, 794, 1123});
  return page;
}

void BM_HalftonePage(benchmark::State& state) {
  const Bitmap page = pagePicture();
  halftoneTable();  // built once per process, not per page
  for (auto _ : state) benchmark::DoNotOptimize(toHalftone(page));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HalftonePage)->Unit(benchmark::kMillisecond);

void BM_HalftoneTableBuild(benchmark::State& state) {
  for (auto _ : state) {
    // The table is a process-wide static; time the brute force it replaces per colour instead.
    const auto& pal = halftonePalette();
    int sum = 0;
    for (int key = 0; key < 32768; key += 64) {
      int r = (key >> 10) * 8 + 4, g = ((key >> 5) & 31) * 8 + 4, b = (key & 31) * 8 + 4,
          best = 1 << 30;
      for (Color p : pal) {
        int dr = int(redOf(p)) - r, dg = int(greenOf(p)) - g, db = int(blueOf(p)) - b;
        best = std::min(best, dr * dr + dg * dg + db * db);
      }
      sum += best;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_HalftoneTableBuild)->Unit(benchmark::kMicrosecond);

void BM_WritePagePng(benchmark::State& state) {
  const Bitmap page = pagePicture();
  for (auto _ : state)
    writePng(page, "/tmp/quiral_bench_page.png", PngOptions{state.range(0) != 0});
}
BENCHMARK(BM_WritePagePng)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quiral
