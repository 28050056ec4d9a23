#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "reports/catalog_geometry.h"

namespace quiral {

// The rules of the fine (vector) catalog's page, in one place: the same page, bands, columns,
// cell frames and fonts as the prepared pages, with the mends that keep every text legible inside
// its cell. Lengths are millimetres from the top-left corner, font sizes are points.

constexpr double kFinePointsPerMm = 72.0 / 25.4;
constexpr double kFineMinimumFontSize = 6;
// A picture is never drawn larger than three times its natural size (1 library unit = 0.0254 mm).
constexpr double kFineMaximumEnlargement = 3;

enum class FineCatalogKind { Drawings, List };

// Measures text in the face the document draws it with.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Advance of `utf8` in millimetres.
  virtual double width(std::string_view utf8, double pointSize, bool bold) = 0;
  // Distance between two lines' tops, in millimetres.
  virtual double lineHeight(double pointSize, bool bold) = 0;
};

// One line of text placed in a cell; `top` is the top of its line box.
struct FineText {
  std::string utf8;
  double left = 0;
  double top = 0;
  double size = 10;
  bool bold = false;
  Color color = colors::kBlack;
  double lineHeight = 0;
  // Alias lines flow on into a continuation cell when a cell is split.
  bool flows = false;
  // The aliases whose names this line prints: `aliasCount` of them from index `aliasFirst`.
  size_t aliasFirst = 0;
  size_t aliasCount = 0;
};

struct FineRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// One unit of a multi-unit symbol, shown by its own picture: its letters as KiCad names units
// ("A", "B", ...), a modern library's name for it (may be empty), and the picture's natural size
// in library units.
struct FineUnitPicture {
  std::string letters;
  std::string name;
  double width = 0;
  double height = 0;
  double smallestText = 0;  // em of its smallest text, library units (0: no text)
};

// Whether a multi-unit symbol's cell shows every unit or only the first (the prepared pages' look).
enum class FineUnitPictures { AllUnits, FirstUnit };

// The most unit pictures a cell draws; the units past them are counted in a "+N" note.
constexpr size_t kFineMaxUnitPictures = 26;

// What a cell shows; the picture's natural size is in library units (0 when there is none).
struct FineCellContent {
  std::string name;
  std::string description;
  std::string unitCount;
  std::vector<std::string> aliases;
  // The aliases' own descriptions, by index (missing or empty: none).
  std::vector<std::string> aliasDescriptions;
  double pictureWidth = 0;
  double pictureHeight = 0;
  double smallestText = 0;  // em of the picture's smallest text, library units (0: no text)
  // Every unit's picture (at most kFineMaxUnitPictures), instead of the one picture above;
  // empty for a one-unit symbol.
  std::vector<FineUnitPicture> units;
  size_t unitsLeftOut = 0;  // units beyond those pictured
};

// A laid-out cell, relative to its top-left corner.
struct FineCell {
  double width = 0;
  double height = 0;
  // The cell spans both columns (a picture that needs the page's width).
  bool wide = false;
  std::vector<FineText> texts;
  bool hasPicture = false;
  FineRect pictureFrame;    // the frame drawn round the picture; nothing is drawn outside it
  FineRect picture;         // where the fitted picture lands (past the frame: a part of it)
  double pictureScale = 0;  // millimetres per library unit, one for all unit pictures
  // Where each unit's picture lands, and which unit it is (by index into the content's units;
  // in their order when `unitShown` is empty); their labels and the "+N" note are among the texts.
  std::vector<FineRect> unitPictures;
  std::vector<size_t> unitShown;
  // The part of each unit's picture shown, when only a part is (empty: every picture whole).
  std::vector<FineRect> unitWindows;
  // The printed size of the picture's smallest text, in points (0: no text).
  double smallestText = 0;
};

// The page of both catalogs: A4, 10 mm margins, two columns of equal width.
struct FinePage {
  double width = 210;
  double height = 297;
  double margin = 10;
  double headerHeight = 0;
  double footerHeight = 0;
  double contentWidth() const { return width - 2 * margin; }
  double columnWidth() const { return contentWidth() / 2; }
  double columnTop() const { return margin + headerHeight; }
  double columnRoom() const { return height - 2 * margin - headerHeight - footerHeight; }
};

FinePage finePage(FineCatalogKind kind);
// The geometry of the prepared pages of that kind, which the fine pages follow.
const CatalogGeometry& catalogGeometry(FineCatalogKind kind);

// Breaks `text` at spaces into lines no wider than `width`; a word wider than a line is broken
// between characters (never in the middle of a UTF-8 sequence).
std::vector<std::string> wrapWords(TextMeasure& measure, std::string_view text, double width,
                                   double size, bool bold);
// The first `maxLines` lines; when some are left out the last shown ends in "…" and still fits.
std::vector<std::string> limitLines(TextMeasure& measure, std::vector<std::string> lines,
                                    size_t maxLines, double width, double size, bool bold);
// The size at which `text` fits `width`: `size` itself, or smaller down to the minimum.
double shrinkToFit(TextMeasure& measure, std::string_view text, double width, double size,
                   bool bold);
// Alias names joined by spaces into lines no wider than `width`, broken only after a name; a name
// wider than a whole line stands alone (broken between characters as a last resort).
std::vector<std::string> wrapNames(TextMeasure& measure, const std::vector<std::string>& names,
                                   double width, double size);

// The names of an alias line ("ALIAS a b c"): every word after the first.
std::vector<std::string> aliasNames(std::string_view aliasLine);

// Lays out one cell of the catalog in the prepared pages' design.
FineCell layoutFineCell(TextMeasure& measure, FineCatalogKind kind, const FineCellContent& content);

// A drawings cell `width` wide whose texts run the whole width, the aliases below the unit count:
// its picture frame (left, top and width set, no height yet) starts below them, where the cell's
// height ends for now. A picture that needs more room than the design's frame gets this cell.
FineCell layoutWideDrawingsHeader(TextMeasure& measure, const FineCellContent& content,
                                  double width);

// Splits a cell taller than `room` into pieces no taller than it: the first keeps everything
// that fits, each next one starts with "<name> (cont.)" and lays the aliases that did not fit
// across its whole width.
std::vector<FineCell> splitFineCell(TextMeasure& measure, FineCatalogKind kind,
                                    const FineCell& cell, const FineCellContent& content,
                                    double room);

// An empty cell that goes on with "<name> (cont.)"; its height ends below the heading.
FineCell continuedCell(TextMeasure& measure, FineCatalogKind kind, const std::string& name,
                       double width, bool wide);

}  // namespace quiral
