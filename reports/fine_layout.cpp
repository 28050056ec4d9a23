#include "reports/fine_layout.h"

#include <algorithm>
#include <cmath>

#include "reports/fine_picture_layout.h"

namespace quiral {

namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…"
constexpr double kGap = 0.5;                  // between texts that must not touch

// A cell design of the prepared pages, in millimetres.
struct CellDesign {
  double width, height;
  double nameLeft, nameTop, nameSize;
  double descriptionLeft, descriptionTop, descriptionWidth, descriptionSize;
  size_t descriptionLines;  // at most, when the design's box holds fewer
  double aliasLeft, aliasTop, aliasWidth, aliasSize;
};

constexpr CellDesign cellDesign(const CatalogGeometry& g, size_t descriptionLines) {
  return {toMillimetres(g.cellWidth),
          toMillimetres(g.cellHeight),
          toMillimetres(g.name.left),
          toMillimetres(g.name.top),
          double(g.nameSize),
          toMillimetres(g.description.left),
          toMillimetres(g.description.top),
          toMillimetres(g.description.width),
          double(g.textSize),
          descriptionLines,
          toMillimetres(g.aliases.left),
          toMillimetres(g.aliases.top),
          toMillimetres(g.aliases.width),
          double(g.textSize)};
}

constexpr CellDesign kDrawingsCell = cellDesign(kDrawingsCatalogGeometry, 4);
constexpr CellDesign kListCell = cellDesign(kListCatalogGeometry, 2);
constexpr double kUnitCountLeft = toMillimetres(kDrawingsCatalogGeometry.unitCount.left);
constexpr double kUnitCountTop = toMillimetres(kDrawingsCatalogGeometry.unitCount.top);
constexpr double kUnitCountSize = kDrawingsCatalogGeometry.textSize;
constexpr FineRect kPictureFrame{toMillimetres(kDrawingsCatalogGeometry.picture.left),
                                 toMillimetres(kDrawingsCatalogGeometry.picture.top),
                                 toMillimetres(kDrawingsCatalogGeometry.picture.width),
                                 toMillimetres(kDrawingsCatalogGeometry.picture.height)};

size_t nextCharacter(std::string_view text, size_t i) {
  ++i;
  while (i < text.size() && (uint8_t(text[i]) & 0xC0) == 0x80) ++i;
  return i;
}

bool breaksAfter(char c) {
  return c == '/' || c == '-' || c == '_' || c == ',' || c == ';';
}

// Breaks one word that is wider than a line: after its last '/', '-', '_', ',' or ';' that
// fits ("multiplexer/" "demultiplexer"), else between characters.
void breakWord(TextMeasure& measure, std::string_view word, double width, double size, bool bold,
               std::vector<std::string>& lines) {
  size_t start = 0;
  while (start < word.size()) {
    size_t end = nextCharacter(word, start);
    size_t mark = 0;  // just after the last break character that fits
    if (breaksAfter(word[start])) mark = end;
    for (size_t next = end; next < word.size(); end = next) {
      next = nextCharacter(word, end);
      if (measure.width(word.substr(start, next - start), size, bold) > width) break;
      if (breaksAfter(word[end])) mark = next;
    }
    if (end < word.size() && mark > start && mark < end) end = mark;
    lines.emplace_back(word.substr(start, end - start));
    start = end;
  }
}

std::vector<std::string> splitWords(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t end = i;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    if (end > i) words.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

// Words joined by spaces into lines; a word that fits no line stands broken on its own lines.
std::vector<std::string> fillLines(TextMeasure& measure, const std::vector<std::string>& words,
                                   double width, double size, bool bold) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& word : words) {
    const std::string joined = line.empty() ? word : line + ' ' + word;
    if (measure.width(joined, size, bold) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    if (measure.width(word, size, bold) <= width) {
      line = word;
    } else {
      breakWord(measure, word, width, size, bold, lines);
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

void addLines(FineCell& cell, const std::vector<std::string>& lines, double left, double top,
              double size, bool bold, double lineHeight, bool flows) {
  for (size_t i = 0; i < lines.size(); ++i)
    cell.texts.push_back({lines[i], left, top + double(i) * lineHeight, size, bold, colors::kBlack,
                          lineHeight, flows});
}

// The name: at the design's size when it fits `roomBeside` (the room left of the description),
// else shrunk there down to kNameBesideShare of that size; a name wider still takes the cell's
// whole width at that smaller size (shrunk further or wrapped when needed) and the description
// moves below it. The size never grows with the name, so names of almost equal width get almost
// equal sizes. Returns the bottom of the name when the description must start below it, else 0.
constexpr double kNameBesideShare = 0.8;

double layOutName(TextMeasure& measure, const CellDesign& d, const std::string& name,
                  FineCell& cell) {
  const double roomBeside = d.descriptionLeft - d.nameLeft - kGap;
  const double wholeWidth = cell.width - 2 * d.nameLeft;
  const double floorBeside = std::max(kFineMinimumFontSize, d.nameSize * kNameBesideShare);
  double size = shrinkToFit(measure, name, roomBeside, d.nameSize, true);
  const bool beside = size >= floorBeside && measure.width(name, size, true) <= roomBeside;
  if (!beside) size = shrinkToFit(measure, name, wholeWidth, floorBeside, true);
  const double lineHeight = measure.lineHeight(size, true);
  const std::vector<std::string> lines = wrapWords(measure, name, wholeWidth, size, true);
  addLines(cell, lines, d.nameLeft, d.nameTop, size, true, lineHeight, false);
  const double bottom = d.nameTop + double(lines.size()) * lineHeight;
  // A name that only reaches into the description's rows above its top is no overlap.
  return beside || bottom <= d.descriptionTop ? 0 : bottom;
}

// The description lines between `top` and `bottom` (one at least), and where they end.
double layOutDescription(TextMeasure& measure, const CellDesign& d, const std::string& text,
                         double top, double bottom, FineCell& cell) {
  if (text.empty()) return top;
  const double lineHeight = measure.lineHeight(d.descriptionSize, false);
  const size_t room = size_t(std::max(1.0, std::floor((bottom - top) / lineHeight + 1e-6)));
  std::vector<std::string> lines =
      limitLines(measure, wrapWords(measure, text, d.descriptionWidth, d.descriptionSize, false),
                 std::min(room, d.descriptionLines), d.descriptionWidth, d.descriptionSize, false);
  addLines(cell, lines, d.descriptionLeft, top, d.descriptionSize, false, lineHeight, false);
  return top + double(lines.size()) * lineHeight;
}

// The aliases from `first` on at one size at which every name fits a line; when some have their
// own descriptions, each name stands on its line followed by its description in a smaller size.
// Each line says which aliases it names, for the outline.
double layOutAliases(TextMeasure& measure, double designSize, const FineCellContent& content,
                     size_t first, double left, double top, double width, FineCell& cell) {
  const std::vector<std::string>& aliases = content.aliases;
  if (first >= aliases.size()) return top;
  double size = designSize;
  for (size_t i = first; i < aliases.size(); ++i)
    size = std::min(size, shrinkToFit(measure, aliases[i], width, designSize, false));
  const double lineHeight = measure.lineHeight(size, false);
  bool described = false;
  for (const std::string& text : content.aliasDescriptions) described |= !text.empty();
  if (!described) {
    const std::vector<std::string> rest(aliases.begin() + long(first), aliases.end());
    size_t next = first;
    std::string_view pending;  // the rest of a name too wide for any line, broken over lines
    for (const std::string& line : wrapNames(measure, rest, width, size)) {
      addLines(cell, {line}, left, top, size, false, lineHeight, true);
      FineText& text = cell.texts.back();
      top += lineHeight;
      if (!pending.empty()) {
        text.aliasFirst = next - 1;
        pending.remove_prefix(std::min(pending.size(), line.size()));
        continue;
      }
      text.aliasFirst = next;
      if (next < aliases.size() && line.size() < aliases[next].size()) {
        text.aliasCount = 1;
        pending = std::string_view(aliases[next]).substr(line.size());
        ++next;
        continue;
      }
      text.aliasCount = size_t(std::count(line.begin(), line.end(), ' ')) + 1;
      next += text.aliasCount;
    }
    return top;
  }
  const double noteSize = std::max(kFineMinimumFontSize, size - 2);
  const double noteHeight = measure.lineHeight(noteSize, false);
  for (size_t i = first; i < aliases.size(); ++i) {
    const size_t from = cell.texts.size();
    addLines(cell, wrapWords(measure, aliases[i], width, size, false), left, top, size, false,
             lineHeight, true);
    top = cell.texts.back().top + lineHeight;
    if (i < content.aliasDescriptions.size() && !content.aliasDescriptions[i].empty()) {
      const std::vector<std::string> note =
          wrapWords(measure, content.aliasDescriptions[i], width, noteSize, false);
      addLines(cell, note, left, top, noteSize, false, noteHeight, true);
      top += double(note.size()) * noteHeight;
    }
    for (size_t t = from; t < cell.texts.size(); ++t) cell.texts[t].aliasFirst = i;
    cell.texts[from].aliasCount = 1;
  }
  return top;
}

bool aliasesFit(TextMeasure& measure, const CellDesign& d, const FineCellContent& content) {
  for (const std::string& name : content.aliases)
    if (measure.width(name, kFineMinimumFontSize, false) > d.aliasWidth) return false;
  return true;
}

// The design with its texts running the whole `width`.
CellDesign widened(CellDesign d, double width) {
  d.width = width;
  d.descriptionWidth = width - d.descriptionLeft - d.nameLeft;
  d.aliasWidth = width - 2 * d.aliasLeft;
  return d;
}

// Name, description and unit count of a drawings cell; returns the bottom of the unit count.
double layOutDrawingsTexts(TextMeasure& measure, const CellDesign& d,
                           const FineCellContent& content, FineCell& cell, double& nameBottom) {
  nameBottom = layOutName(measure, d, content.name, cell);
  const double descriptionTop = std::max(d.descriptionTop, nameBottom + 0.2);
  const double descriptionEnd =
      layOutDescription(measure, d, content.description, descriptionTop, 1e9, cell);
  const double unitTop = std::max(kUnitCountTop, descriptionEnd);
  const double unitHeight = measure.lineHeight(kUnitCountSize, false);
  cell.texts.push_back({content.unitCount, kUnitCountLeft, unitTop, kUnitCountSize, false,
                        colors::kBlack, unitHeight, false});
  return unitTop + unitHeight;
}

FineCell layOutDrawingsCell(TextMeasure& measure, const FineCellContent& content) {
  const CellDesign& d = kDrawingsCell;
  FineCell cell;
  cell.width = d.width;
  double nameBottom = 0;
  const double unitBottom = layOutDrawingsTexts(measure, d, content, cell, nameBottom);
  FineRect frame = kPictureFrame;
  const double frameTop = std::max(frame.top, unitBottom + 0.2);
  frame.height -= frameTop - frame.top;
  frame.top = frameTop;
  placeFinePictures(measure, content, frame, cell);
  const double nameEnd = nameBottom > 0 ? nameBottom + 0.2 : 0;
  const double aliasEnd =
      aliasesFit(measure, d, content)
          ? layOutAliases(measure, d.aliasSize, content, 0, d.aliasLeft,
                          std::max(d.aliasTop, nameEnd), d.aliasWidth, cell)
          // A name too wide for the column even at the smallest size: below the picture.
          : layOutAliases(measure, d.aliasSize, content, 0, d.aliasLeft,
                          frame.top + frame.height + 0.5, d.width - 2 * d.aliasLeft, cell);
  cell.height = std::max(d.height, aliasEnd + 1.0);
  return cell;
}

FineCell layOutListCell(TextMeasure& measure, const FineCellContent& content) {
  const CellDesign& d = kListCell;
  FineCell cell;
  cell.width = d.width;
  const double nameBottom = layOutName(measure, d, content.name, cell);
  const double descriptionTop = std::max(d.descriptionTop, nameBottom);
  const double lineHeight = measure.lineHeight(d.descriptionSize, false);
  const double descriptionEnd =
      layOutDescription(measure, d, content.description, descriptionTop,
                        descriptionTop + double(d.descriptionLines) * lineHeight, cell);
  const double aliasEnd = layOutAliases(measure, d.aliasSize, content, 0, d.aliasLeft,
                                        std::max(d.aliasTop, descriptionEnd), d.aliasWidth, cell);
  cell.height = std::max({d.height, descriptionEnd + kGap, aliasEnd + kGap});
  return cell;
}

// The aliases from `firstOut` on, across the whole width of cells that go on with
// "<name> (cont.)"; a piece is cut rather than split when not even its first alias fits.
void continueAliases(TextMeasure& measure, FineCatalogKind kind, const FineCell& cell,
                     const FineCellContent& content, size_t firstOut, double room,
                     std::vector<FineCell>& pieces) {
  const CellDesign& d = kind == FineCatalogKind::Drawings ? kDrawingsCell : kListCell;
  FineCell next = continuedCell(measure, kind, content.name, cell.width, cell.wide);
  // Under the heading, from its left across the whole cell (the list's indent is left out).
  const double end = layOutAliases(measure, d.aliasSize, content, firstOut, d.nameLeft, next.height,
                                   cell.width - 2 * d.nameLeft, next);
  next.height = end + 1.0;
  if (next.height <= room) {
    pieces.push_back(std::move(next));
    return;
  }
  size_t nextOut = content.aliases.size();
  for (const FineText& text : next.texts)
    if (text.flows && text.top + text.lineHeight > room - kGap)
      nextOut = std::min(nextOut, text.aliasFirst);
  if (nextOut <= firstOut || nextOut >= content.aliases.size()) {
    next.height = room;
    pieces.push_back(std::move(next));
    return;
  }
  FineCell kept = next;
  kept.texts.clear();
  for (const FineText& text : next.texts)
    if (!text.flows || text.aliasFirst < nextOut) kept.texts.push_back(text);
  kept.height = room;
  pieces.push_back(std::move(kept));
  continueAliases(measure, kind, cell, content, nextOut, room, pieces);
}

}  // namespace

const CatalogGeometry& catalogGeometry(FineCatalogKind kind) {
  return kind == FineCatalogKind::Drawings ? kDrawingsCatalogGeometry : kListCatalogGeometry;
}

FinePage finePage(FineCatalogKind kind) {
  const CatalogGeometry& g = catalogGeometry(kind);
  FinePage page;
  page.margin = toMillimetres(g.margin);
  page.headerHeight = toMillimetres(g.headerHeight);
  page.footerHeight = toMillimetres(g.footerHeight);
  return page;
}

std::vector<std::string> wrapWords(TextMeasure& measure, std::string_view text, double width,
                                   double size, bool bold) {
  return fillLines(measure, splitWords(text), width, size, bold);
}

std::vector<std::string> limitLines(TextMeasure& measure, std::vector<std::string> lines,
                                    size_t maxLines, double width, double size, bool bold) {
  if (lines.size() <= maxLines) return lines;
  lines.resize(maxLines);
  if (maxLines == 0) return lines;
  std::string& last = lines.back();
  while (!last.empty() && measure.width(last + kEllipsis, size, bold) > width) {
    size_t cut = last.size() - 1;
    while (cut > 0 && (uint8_t(last[cut]) & 0xC0) == 0x80) --cut;
    last.resize(cut);
  }
  while (!last.empty() && last.back() == ' ') last.pop_back();
  last += kEllipsis;
  return lines;
}

double shrinkToFit(TextMeasure& measure, std::string_view text, double width, double size,
                   bool bold) {
  const double natural = measure.width(text, size, bold);
  if (natural <= width || natural <= 0) return size;
  // Widths scale with the size; the floor keeps the result a tenth of a point under the fit.
  const double fitted = std::floor(size * width / natural * 10) / 10;
  return std::clamp(fitted, kFineMinimumFontSize, size);
}

std::vector<std::string> wrapNames(TextMeasure& measure, const std::vector<std::string>& names,
                                   double width, double size) {
  return fillLines(measure, names, width, size, false);
}

std::vector<std::string> aliasNames(std::string_view aliasLine) {
  std::vector<std::string> words = splitWords(aliasLine);
  if (!words.empty()) words.erase(words.begin());
  return words;
}

FineCell layoutFineCell(TextMeasure& measure, FineCatalogKind kind,
                        const FineCellContent& content) {
  return kind == FineCatalogKind::Drawings ? layOutDrawingsCell(measure, content)
                                           : layOutListCell(measure, content);
}

FineCell layoutWideDrawingsHeader(TextMeasure& measure, const FineCellContent& content,
                                  double width) {
  const CellDesign d = widened(kDrawingsCell, width);
  FineCell cell;
  cell.width = width;
  double nameBottom = 0;
  const double unitBottom = layOutDrawingsTexts(measure, d, content, cell, nameBottom);
  const double aliasEnd = layOutAliases(measure, d.aliasSize, content, 0, d.aliasLeft,
                                        unitBottom + 0.2, d.aliasWidth, cell);
  cell.hasPicture = true;
  cell.pictureFrame = {d.aliasLeft, aliasEnd + 0.5, width - 2 * d.aliasLeft, 0};
  cell.height = cell.pictureFrame.top;
  return cell;
}

FineCell continuedCell(TextMeasure& measure, FineCatalogKind kind, const std::string& name,
                       double width, bool wide) {
  const CellDesign& d = kind == FineCatalogKind::Drawings ? kDrawingsCell : kListCell;
  FineCell next;
  next.width = width;
  next.wide = wide;
  const std::string heading = name + " (cont.)";
  const double size = shrinkToFit(measure, heading, width - 2 * d.nameLeft, d.nameSize, true);
  const double lineHeight = measure.lineHeight(size, true);
  next.texts.push_back(
      {heading, d.nameLeft, d.nameTop, size, true, colors::kBlack, lineHeight, false});
  next.height = d.nameTop + lineHeight + 0.2;
  return next;
}

std::vector<FineCell> splitFineCell(TextMeasure& measure, FineCatalogKind kind,
                                    const FineCell& cell, const FineCellContent& content,
                                    double room) {
  if (cell.height <= room) return {cell};
  size_t firstOut = content.aliases.size();
  for (const FineText& text : cell.texts)
    if (text.flows && text.top + text.lineHeight > room - kGap)
      firstOut = std::min(firstOut, text.aliasFirst);
  if (firstOut >= content.aliases.size()) return {cell};
  FineCell piece = cell;
  piece.texts.clear();
  for (const FineText& text : cell.texts)
    if (!text.flows || text.aliasFirst < firstOut) piece.texts.push_back(text);
  piece.height = room;
  std::vector<FineCell> pieces{std::move(piece)};
  continueAliases(measure, kind, cell, content, firstOut, room, pieces);
  return pieces;
}

}  // namespace quiral
