#include "reports/fine_layout.h"

#include <algorithm>
#include <cmath>

#include "reports/fine_picture_layout.h"

namespace quiral {

namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…"
constexpr double kGap = 0.5;                  // between texts that must not touch

// The cell designs of the prepared pages (tenths of a millimetre there, millimetres here).
struct CellDesign {
  double width, height;
  double nameLeft, nameTop, nameSize;
  double descriptionLeft, descriptionTop, descriptionWidth, descriptionSize;
  size_t descriptionLines;  // at most, when the design's box holds fewer
  double aliasLeft, aliasTop, aliasWidth, aliasSize;
};

constexpr CellDesign kDrawingsCell{94.9, 81.4, 1.7, 0.3, 10,  28.1, 3.6,
                                   65.5, 10,   4,   1.7, 8.6, 22.5, 10};
constexpr CellDesign kListCell{95.0, 9.3, 1.6, 0.3, 8, 29.1, 0.3, 64.8, 8, 2, 10.8, 4.8, 82.3, 8};
constexpr double kUnitCountLeft = 31.4, kUnitCountTop = 14.9;
constexpr FineRect kPictureFrame{25.8, 19.2, 64.5, 59.2};

size_t nextCharacter(std::string_view text, size_t i) {
  ++i;
  while (i < text.size() && (uint8_t(text[i]) & 0xC0) == 0x80) ++i;
  return i;
}

// Breaks one word that is wider than a line between characters.
void breakWord(TextMeasure& measure, std::string_view word, double width, double size, bool bold,
               std::vector<std::string>& lines) {
  size_t start = 0;
  while (start < word.size()) {
    size_t end = nextCharacter(word, start);
    for (size_t next = end; next < word.size(); end = next) {
      next = nextCharacter(word, end);
      if (measure.width(word.substr(start, next - start), size, bold) > width) break;
    }
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
// else shrunk; when even the smallest size is wider, it takes the cell's whole width (shrunk or
// wrapped) and the description moves below it. Returns the bottom of the name when the
// description must start below it, else 0.
double layOutName(TextMeasure& measure, const CellDesign& d, const std::string& name,
                  FineCell& cell) {
  const double roomBeside = d.descriptionLeft - d.nameLeft - kGap;
  const double wholeWidth = d.width - 2 * d.nameLeft;
  double size = shrinkToFit(measure, name, roomBeside, d.nameSize, true);
  bool beside = measure.width(name, size, true) <= roomBeside;
  if (!beside) size = shrinkToFit(measure, name, wholeWidth, d.nameSize, true);
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

// The aliases at one size at which every name fits a line; when some have their own
// descriptions, each name stands on its line followed by its description in a smaller size.
double layOutAliases(TextMeasure& measure, const CellDesign& d, const FineCellContent& content,
                     double left, double top, double width, FineCell& cell) {
  if (content.aliases.empty()) return top;
  double size = d.aliasSize;
  for (const std::string& name : content.aliases)
    size = std::min(size, shrinkToFit(measure, name, width, d.aliasSize, false));
  const double lineHeight = measure.lineHeight(size, false);
  bool described = false;
  for (const std::string& text : content.aliasDescriptions) described |= !text.empty();
  if (!described) {
    const std::vector<std::string> lines = wrapNames(measure, content.aliases, width, size);
    addLines(cell, lines, left, top, size, false, lineHeight, true);
    return top + double(lines.size()) * lineHeight;
  }
  const double noteSize = std::max(kFineMinimumFontSize, size - 2);
  const double noteHeight = measure.lineHeight(noteSize, false);
  for (size_t i = 0; i < content.aliases.size(); ++i) {
    addLines(cell, wrapWords(measure, content.aliases[i], width, size, false), left, top, size,
             false, lineHeight, true);
    top = cell.texts.back().top + lineHeight;
    if (i >= content.aliasDescriptions.size() || content.aliasDescriptions[i].empty()) continue;
    const std::vector<std::string> note =
        wrapWords(measure, content.aliasDescriptions[i], width, noteSize, false);
    addLines(cell, note, left, top, noteSize, false, noteHeight, true);
    top += double(note.size()) * noteHeight;
  }
  return top;
}

bool aliasesFit(TextMeasure& measure, const CellDesign& d, const FineCellContent& content) {
  for (const std::string& name : content.aliases)
    if (measure.width(name, kFineMinimumFontSize, false) > d.aliasWidth) return false;
  return true;
}

FineCell layOutDrawingsCell(TextMeasure& measure, const FineCellContent& content) {
  const CellDesign& d = kDrawingsCell;
  FineCell cell;
  cell.width = d.width;
  const double nameBottom = layOutName(measure, d, content.name, cell);
  const double descriptionTop = std::max(d.descriptionTop, nameBottom + 0.2);
  const double descriptionEnd =
      layOutDescription(measure, d, content.description, descriptionTop, 1e9, cell);
  const double unitTop = std::max(kUnitCountTop, descriptionEnd);
  const double unitHeight = measure.lineHeight(10, false);
  cell.texts.push_back(
      {content.unitCount, kUnitCountLeft, unitTop, 10, false, colors::kBlack, unitHeight, false});
  FineRect frame = kPictureFrame;
  const double frameTop = std::max(frame.top, unitTop + unitHeight + 0.2);
  frame.height -= frameTop - frame.top;
  frame.top = frameTop;
  placeFinePictures(measure, content, frame, cell);
  const double nameEnd = nameBottom > 0 ? nameBottom + 0.2 : 0;
  const double aliasEnd =
      aliasesFit(measure, d, content)
          ? layOutAliases(measure, d, content, d.aliasLeft, std::max(d.aliasTop, nameEnd),
                          d.aliasWidth, cell)
          // A name too wide for the column even at the smallest size: below the picture.
          : layOutAliases(measure, d, content, d.aliasLeft, frame.top + frame.height + 0.5,
                          d.width - 2 * d.aliasLeft, cell);
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
  const double aliasEnd = layOutAliases(measure, d, content, d.aliasLeft,
                                        std::max(d.aliasTop, descriptionEnd), d.aliasWidth, cell);
  cell.height = std::max({d.height, descriptionEnd + kGap, aliasEnd + kGap});
  return cell;
}

}  // namespace

FinePage finePage(FineCatalogKind kind) {
  FinePage page;
  if (kind == FineCatalogKind::Drawings) {
    page.headerHeight = 16.5;
    page.footerHeight = 8.9;
  } else {
    page.headerHeight = 15.6;
    page.footerHeight = 10.6;
  }
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

std::vector<FineCell> splitFineCell(TextMeasure& measure, const FineCell& cell,
                                    const std::string& name, double room) {
  std::vector<FineCell> pieces;
  FineCell piece = cell;
  piece.texts.clear();
  std::vector<FineText> rest;
  for (const FineText& text : cell.texts) {
    if (text.flows && text.top + text.lineHeight > room - kGap) {
      rest.push_back(text);
    } else {
      piece.texts.push_back(text);
    }
  }
  if (rest.empty() || cell.height <= room) return {cell};
  piece.height = room;
  pieces.push_back(std::move(piece));

  FineCell next;
  next.width = cell.width;
  const double size = cell.texts.empty() ? 10 : cell.texts.front().size;
  const double headingHeight = measure.lineHeight(size, true);
  next.texts.push_back({name + " (cont.)", rest.front().left, 0.3, size, true, colors::kBlack,
                        headingHeight, false});
  const double shift = rest.front().top - (0.3 + headingHeight);
  double bottom = 0;
  for (FineText text : rest) {
    text.top -= shift;
    bottom = text.top + text.lineHeight;
    next.texts.push_back(std::move(text));
  }
  next.height = bottom + 1.0;
  // A line taller than the whole room cannot move on; it stays cut rather than looping.
  if (next.height > room && next.texts.size() > 2) {
    for (FineCell& more : splitFineCell(measure, next, name, room))
      pieces.push_back(std::move(more));
  } else {
    next.height = std::min(next.height, room);
    pieces.push_back(std::move(next));
  }
  return pieces;
}

ColumnFlow::Slot ColumnFlow::place(double height) {
  if (used_ && filled_ > 0 && filled_ + height > room_ + 1e-9) {
    filled_ = 0;
    if (++column_ == 2) {
      column_ = 0;
      ++page_;
    }
  }
  used_ = true;
  const Slot slot{page_, column_, filled_};
  filled_ += height;
  return slot;
}

}  // namespace quiral
