// What must hold for every multi-unit symbol of the KiCad corpus: each unit draws something of its
// own (unless the block has no records for it at all), and no record is drawn in two units unless
// its unit is 0; and unit A, drawn by the same rule as every other unit, lost only other units'
// records from the views it changed. Each record is drawn alone on a surface that only counts.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../support/corpus_libraries.h"
#include "../support/golden_hashes.h"
#include "corpus_view_keys.h"
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
          state.Choice = UnitChoice{unit, style};
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

// Which of its two filter tokens each record kind checked in unit A's view before that view used
// the full rule: rectangles and texts none, polylines and arcs the body style, circles the unit,
// pins both.
bool formerlyDrawnInUnitA(FilteredRecord kind, const std::string& unit, const std::string& style) {
  const bool checksUnit = kind == FilteredRecord::Circle || kind == FilteredRecord::Pin;
  const bool checksStyle = kind == FilteredRecord::Polyline || kind == FilteredRecord::Arc ||
                           kind == FilteredRecord::Pin;
  const auto isZeroOrOne = [](const std::string& t) { return t == "0" || t == "1"; };
  return (!checksUnit || isZeroOrOne(unit)) && (!checksStyle || isZeroOrOne(style));
}

// The record with its unit and body style made 0, so every choice draws it as it is.
std::string sharedByEveryUnit(const std::string& line, const FilterPositions& at) {
  std::istringstream in(line);
  std::string token, out;
  for (int position = 1; in >> token; ++position) {
    if (position == at.unit || position == at.style) token = "0";
    out += (position > 1 ? " " : "") + token;
  }
  return out;
}

// unit_a_former_views.txt holds, for every view that unit A's full rule changed, its former golden
// line. Every view is drawn again with only the records unit A no longer draws put back as records
// of every unit: the views that this changes are exactly those of the list, and each gets its
// former pixels back, so nothing else changed; every record put back belongs to another unit or
// body style.
TEST(CorpusUnits, UnitAOnlyLostOtherUnitsRecords) {
  const auto libraries = testing::corpusLibraries();
  ASSERT_EQ(libraries.size(), 35u) << "the KiCad corpus was not found under " << QUIRAL_CORPUS_DIR;
  const testing::GoldenList former = testing::readGolden("unit_a_former_views.txt");
  ASSERT_FALSE(former.empty());
  CountingSurface surface;
  DrawingState state;
  RecordDrawer drawer(surface, state);
  LineInterpreter interpreter(&drawer);
  TokenTable tokens;
  Session session;
  testing::GoldenList restored;
  int oneUnitChanged = 0;
  for (const std::filesystem::path library : libraries) {
    session.browser.B_carregarClick(library.string());
    ComponentList& list = session.browser.components();
    for (size_t i = 0; i < list.size(); ++i) {
      list.select(int(i));
      session.browser.ShowComponent();
      const std::string now = testing::viewHash(session.renderer.ViewImage());
      std::vector<std::string> memo = session.browser.memo();
      bool changed = false;
      for (std::string& line : memo) {
        FilteredRecord kind;
        if (TokenizeLine(tokens, line) == 0 || !filteredRecordOf(tokens.text(1), kind)) continue;
        const FilterPositions at = filterPositionsOf(kind);
        const std::string unit = tokens.text(at.unit), style = tokens.text(at.style);
        if (recordDrawn(unit, style, UnitChoice{}) || !formerlyDrawnInUnitA(kind, unit, style))
          continue;
        EXPECT_TRUE(plainNumber(unit) > 1 || plainNumber(style) > 1) << list[i] << ": " << line;
        line = sharedByEveryUnit(line, at);
        surface.drawn = 0;
        interpreter.interpreta_linha(line);
        changed = changed || surface.drawn > 0;
      }
      if (!changed) continue;
      session.renderer.RenderComponent(memo);
      const Bitmap& view = session.renderer.ViewImage();
      // Records drawn over by the same records of unit A leave the view as it was.
      if (testing::viewHash(view) == now) continue;
      oneUnitChanged += describeUnits(memo).count < 2;
      restored[testing::viewKey(library.stem().string(), i, view)] = testing::viewHash(view);
    }
  }
  EXPECT_TRUE(former == restored) << testing::goldenDifferences(former, restored);
  EXPECT_EQ(oneUnitChanged, 0);
  std::printf("%zu views of unit A changed, %d of them of one-unit symbols\n", restored.size(),
              oneUnitChanged);
}

}  // namespace
}  // namespace quiral
