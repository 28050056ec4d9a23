// What must hold for every multi-unit symbol of the KiCad corpus: each unit draws something of its
// own (unless the block has no records for it at all), and no record is drawn in two units unless
// its unit is 0. Each record is drawn alone, unit by unit, on a surface that only counts.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "library/line_interpreter.h"
#include "render/record_drawer.h"
#include "render/renderer.h"
#include "render/symbol_units.h"

namespace quiral {
namespace {

// A surface that counts what is drawn on it.
class CountingSurface final : public DrawingSurface {
 public:
  int drawn = 0;
  double mapX(int64_t v) override { return double(v); }
  double mapY(int64_t v) override { return double(v); }
  HalvingRule halving() const override {
    return [](double v) { return v / 2; };
  }
  void setPenColor(Color) override {}
  void setPenMode(PenMode) override {}
  void setFont(const SurfaceFont&) override {}
  void rectangle(double, double, double, double) override { ++drawn; }
  void ellipse(double, double, double, double) override { ++drawn; }
  void arc(double, double, double, double, double, double, double, double) override { ++drawn; }
  void polyline(const std::vector<SurfacePoint>&) override { ++drawn; }
  void moveTo(double, double) override {}
  void lineTo(double, double) override { ++drawn; }
  void textOut(double, double, std::string_view) override { ++drawn; }
  SurfaceSize textExtent(std::string_view) override { return {10, 10}; }
};

struct RecordLine {
  std::string line;
  bool common;  // unit 0
};

TEST(CorpusUnits, EveryUnitDrawsItsOwnRecordsAndNoRecordIsDrawnInTwoUnits) {
  const auto libraries = testing::corpusLibraries();
  ASSERT_EQ(libraries.size(), 35u) << "the KiCad corpus was not found under " << QUIRAL_CORPUS_DIR;
  CountingSurface surface;
  DrawingState state;
  RecordDrawer drawer(surface, state);
  LineInterpreter interpreter(&drawer);
  TokenTable tokens;
  Session session;
  int multiUnit = 0, withEmptyUnits = 0;
  for (const std::filesystem::path library : libraries) {
    session.browser.B_carregarClick(library.string());
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      const std::vector<std::string>& memo = session.browser.memo();
      const SymbolUnits units = describeUnits(memo);
      if (units.count < 2) continue;
      ++multiUnit;
      std::vector<RecordLine> records;
      for (const std::string& line : memo) {
        FilteredRecord kind;
        if (TokenizeLine(tokens, line) == 0 || !filteredRecordOf(tokens.text(1), kind)) continue;
        records.push_back({line, tokens.text(filterPositionsOf(kind).unit) == "0"});
      }
      bool someUnitEmpty = false;
      std::vector<int> unitsDrawingRecord(records.size(), 0);
      for (int unit = 1; unit <= units.count; ++unit) {
        for (int style = 1; style <= (units.hasDeMorgan ? 2 : 1); ++style) {
          state.Choice = UnitChoice{unit, style, true};
          int ownDrawn = 0;
          for (size_t r = 0; r < records.size(); ++r) {
            surface.drawn = 0;
            interpreter.interpreta_linha(records[r].line);
            if (surface.drawn == 0) continue;
            if (style == 1) ++unitsDrawingRecord[r];
            if (!records[r].common) ++ownDrawn;
          }
          if (style != 1) continue;
          if (units.unitHasOwnRecords[size_t(unit - 1)]) {
            EXPECT_GT(ownDrawn, 0) << library.stem() << " " << list[i] << " unit " << unit;
          } else {
            someUnitEmpty = true;
          }
        }
      }
      for (size_t r = 0; r < records.size(); ++r) {
        if (!records[r].common) {
          EXPECT_LE(unitsDrawingRecord[r], 1) << library.stem() << " " << records[r].line;
        }
      }
      withEmptyUnits += someUnitEmpty;
    }
  }
  EXPECT_GT(multiUnit, 0);
  std::printf("%d multi-unit symbols, %d with a unit that has no records of its own\n", multiUnit,
              withEmptyUnits);
}

}  // namespace
}  // namespace quiral
