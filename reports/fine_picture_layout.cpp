#include "reports/fine_picture_layout.h"

#include <algorithm>
#include <string>
#include <vector>

#include "reports/fine_picture_room.h"

namespace quiral {

namespace {

constexpr double kLibraryUnitMm = 0.0254;
constexpr double kPicturePadding = 1.0;  // between the frame and what it holds
constexpr double kUnitGap = 1.5;         // between two unit slots
constexpr double kLabelGap = 0.5;        // between a picture and its label

// Fits the one picture into its frame, centred, never cut and never more than the largest
// enlargement.
void fitOnePicture(const FineCellContent& content, const FineRect& frame, double maxFactor,
                   FineCell& cell) {
  const double w = std::max(content.pictureWidth, 1.0) * kLibraryUnitMm;
  const double h = std::max(content.pictureHeight, 1.0) * kLibraryUnitMm;
  const double roomW = frame.width - 2 * kPicturePadding;
  const double roomH = frame.height - 2 * kPicturePadding;
  const double factor = std::min({roomW / w, roomH / h, maxFactor});
  cell.pictureScale = factor * kLibraryUnitMm;
  cell.picture = {frame.left + (frame.width - w * factor) / 2,
                  frame.top + (frame.height - h * factor) / 2, w * factor, h * factor};
}

// The unit pictures' measures, in millimetres at natural size.
struct UnitSlots {
  size_t count = 0;            // slots: the pictures and the "+N" note
  std::vector<double> widths;  // of each picture
  std::vector<double> heights;
  double pictureW = 0;  // the widest picture
  double labelW = 0;    // the widest label that must fit (letters only) or the note
  double labelH = 0;    // a label's line and the gap above it
};

struct Grid {
  size_t columns = 0;
  std::vector<double> rowHeights;  // the tallest picture of each row, at natural size
  double factor = 0;               // enlargement of the pictures
};

std::string noteText(size_t unitsLeftOut) {
  return "+" + std::to_string(unitsLeftOut);
}

UnitSlots measureSlots(TextMeasure& measure, const FineCellContent& content) {
  UnitSlots slots;
  slots.count = content.units.size() + (content.unitsLeftOut > 0 ? 1 : 0);
  for (const FineUnitPicture& unit : content.units) {
    slots.widths.push_back(std::max(unit.width, 1.0) * kLibraryUnitMm);
    slots.heights.push_back(std::max(unit.height, 1.0) * kLibraryUnitMm);
    slots.pictureW = std::max(slots.pictureW, slots.widths.back());
    slots.labelW = std::max(slots.labelW, measure.width(unit.letters, kFineUnitLabelSize, false));
  }
  if (content.unitsLeftOut > 0)
    slots.labelW = std::max(
        slots.labelW, measure.width(noteText(content.unitsLeftOut), kFineUnitLabelSize, false));
  slots.labelH = measure.lineHeight(kFineUnitLabelSize, false) + kLabelGap;
  return slots;
}

std::vector<double> rowHeights(const UnitSlots& slots, size_t columns) {
  std::vector<double> rows((slots.count + columns - 1) / columns, 0.0);
  for (size_t i = 0; i < slots.heights.size(); ++i)
    rows[i / columns] = std::max(rows[i / columns], slots.heights[i]);
  return rows;
}

// The grid that gives the pictures the largest common scale; columns from the most (a row) down,
// so that a row wins a tie. Each row is as tall as its tallest picture. A grid whose labels alone
// overflow the room is never chosen.
Grid bestGrid(const UnitSlots& slots, double roomW, double roomH, double maxFactor) {
  Grid best;
  for (size_t columns = slots.count; columns >= 1; --columns) {
    std::vector<double> rows = rowHeights(slots, columns);
    double picturesH = 0;
    for (double h : rows) picturesH += h;
    const double freeW = roomW - double(columns - 1) * kUnitGap;
    const double freeH =
        roomH - double(rows.size()) * slots.labelH - double(rows.size() - 1) * kUnitGap;
    if (freeW < double(columns) * slots.labelW || freeH <= 0) continue;
    const double factor = std::min({freeW / (double(columns) * slots.pictureW),
                                    picturesH > 0 ? freeH / picturesH : maxFactor, maxFactor});
    if (factor > best.factor) best = {columns, std::move(rows), factor};
  }
  // No grid leaves room for the labels (a frame far smaller than any catalog's): one row, tiny.
  if (best.columns == 0) best = {slots.count, rowHeights(slots, slots.count), 1e-3};
  return best;
}

// The label under a picture: with the unit's name when the whole fits the slot.
std::string unitLabel(TextMeasure& measure, const FineUnitPicture& unit, double slotW) {
  if (unit.name.empty()) return unit.letters;
  std::string label = unit.letters + " (" + unit.name + ")";
  return measure.width(label, kFineUnitLabelSize, false) <= slotW ? label : unit.letters;
}

void addCentredText(TextMeasure& measure, FineCell& cell, std::string text, double slotLeft,
                    double slotW, double top) {
  const double width = measure.width(text, kFineUnitLabelSize, false);
  cell.texts.push_back({std::move(text), slotLeft + (slotW - width) / 2, top, kFineUnitLabelSize,
                        false, colors::kBlack, measure.lineHeight(kFineUnitLabelSize, false),
                        false});
}

// Each picture stands on its row's label line, centred across its slot.
void placeUnitPictures(TextMeasure& measure, const FineCellContent& content, const FineRect& frame,
                       double maxFactor, FineCell& cell) {
  const UnitSlots slots = measureSlots(measure, content);
  const Grid grid = bestGrid(slots, frame.width - 2 * kPicturePadding,
                             frame.height - 2 * kPicturePadding, maxFactor);
  const double slotW = std::max(slots.pictureW * grid.factor, slots.labelW);
  const double gridW = double(grid.columns) * slotW + double(grid.columns - 1) * kUnitGap;
  double gridH = double(grid.rowHeights.size() - 1) * kUnitGap;
  for (double h : grid.rowHeights) gridH += h * grid.factor + slots.labelH;
  const double left = frame.left + (frame.width - gridW) / 2;
  double rowTop = frame.top + (frame.height - gridH) / 2;
  cell.pictureScale = grid.factor * kLibraryUnitMm;
  cell.picture = {left, rowTop, gridW, gridH};
  for (size_t row = 0; row < grid.rowHeights.size(); ++row) {
    const double labelTop = rowTop + grid.rowHeights[row] * grid.factor;
    for (size_t i = row * grid.columns; i < std::min(slots.count, (row + 1) * grid.columns); ++i) {
      const double slotLeft = left + double(i % grid.columns) * (slotW + kUnitGap);
      if (i == content.units.size()) {  // the note of the units left out
        addCentredText(measure, cell, noteText(content.unitsLeftOut), slotLeft, slotW,
                       labelTop + kLabelGap);
        break;
      }
      const double w = slots.widths[i] * grid.factor;
      const double h = slots.heights[i] * grid.factor;
      cell.unitPictures.push_back({slotLeft + (slotW - w) / 2, labelTop - h, w, h});
      addCentredText(measure, cell, unitLabel(measure, content.units[i], slotW), slotLeft, slotW,
                     labelTop + kLabelGap);
    }
    rowTop = labelTop + slots.labelH + kUnitGap;
  }
}

}  // namespace

void placeFinePictures(TextMeasure& measure, const FineCellContent& content, const FineRect& frame,
                       FineCell& cell, double maxFactor) {
  cell.hasPicture = true;
  cell.pictureFrame = frame;
  if (content.units.empty()) {
    fitOnePicture(content, frame, maxFactor, cell);
  } else {
    placeUnitPictures(measure, content, frame, maxFactor, cell);
  }
  cell.smallestText = smallestPictureText(content) * cell.pictureScale * kFinePointsPerMm;
}

double smallestPictureText(const FineCellContent& content) {
  double smallest = 0;
  auto count = [&](double em) {
    if (em >= kFineSmallestCountedText && (smallest == 0 || em < smallest)) smallest = em;
  };
  count(content.smallestText);
  for (const FineUnitPicture& unit : content.units) count(unit.smallestText);
  return smallest;
}

}  // namespace quiral
