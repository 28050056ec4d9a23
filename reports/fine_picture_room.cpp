#include "reports/fine_picture_room.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "reports/fine_picture_layout.h"

namespace quiral {

namespace {

constexpr double kUnitMm = 0.0254;  // a library unit at natural size
constexpr double kPointsPerUnit = kUnitMm * kFinePointsPerMm;
constexpr double kPadding = 1.0;   // between a frame and what it holds
constexpr double kPartGap = 1.5;   // between two pictures of a row, and between rows
constexpr double kLabelGap = 0.5;  // between a picture and its label
constexpr double kCellBottom = 1.0;
constexpr double kFrameInset = 1.7;  // between the cell's sides and the frame's, as the texts
constexpr double kLeastFrame = 20;   // a frame lower than this under the texts is no room

// The enlargement at which a text of `em` library units prints at `points`.
double factorFor(double points, double em) {
  return points / (em * kPointsPerUnit);
}

// Moves what placeFinePictures put into the frame up to its top and ends the frame (and the
// cell) below it.
void closeFrameAroundPictures(FineCell& cell, size_t firstLabel) {
  FineRect& frame = cell.pictureFrame;
  const double shift = cell.picture.top - (frame.top + kPadding);
  cell.picture.top -= shift;
  for (FineRect& r : cell.unitPictures) r.top -= shift;
  for (size_t i = firstLabel; i < cell.texts.size(); ++i) cell.texts[i].top -= shift;
  frame.height = cell.picture.height + 2 * kPadding;
  cell.height = frame.top + frame.height + kCellBottom;
}

// Steps 2 and 3: the texts across `width`, the pictures below them as large as `room` allows up
// to the comfortable size; the cell when its smallest text is readable there.
bool layOutWideCell(TextMeasure& measure, const FineCellContent& content, double width, double room,
                    double maxFactor, FineCell& cell) {
  cell = layoutWideDrawingsHeader(measure, content, width);
  FineRect frame = cell.pictureFrame;
  frame.height = room - frame.top - kCellBottom;
  if (frame.height < kLeastFrame) return false;
  const size_t firstLabel = cell.texts.size();
  placeFinePictures(measure, content, frame, cell, maxFactor);
  if (cell.smallestText < kFineReadableText - 1e-9) return false;
  closeFrameAroundPictures(cell, firstLabel);
  return true;
}

// One picture, or one part of a picture too large for a page, as it goes into a row.
struct Part {
  size_t unit = 0;  // by index into the content's units (0: the one picture)
  FineRect whole;   // the whole picture, from the part's top-left corner
  double width = 0;
  double height = 0;
  std::string label;
};

struct PictureSize {
  double width = 0;
  double height = 0;
};

std::vector<PictureSize> naturalSizes(const FineCellContent& content) {
  std::vector<PictureSize> sizes;
  if (content.units.empty())
    sizes.push_back({std::max(content.pictureWidth, 1.0) * kUnitMm,
                     std::max(content.pictureHeight, 1.0) * kUnitMm});
  for (const FineUnitPicture& unit : content.units)
    sizes.push_back({std::max(unit.width, 1.0) * kUnitMm, std::max(unit.height, 1.0) * kUnitMm});
  return sizes;
}

size_t partsAlong(double length, double room) {
  if (length <= room) return 1;
  return size_t(std::ceil((length - kFineTileOverlap) / (room - kFineTileOverlap)));
}

// The pictures at `factor`, each whole or cut into overlapping parts no larger than the room.
std::vector<Part> cutIntoParts(const FineCellContent& content, double factor, double roomW,
                               double roomH) {
  std::vector<Part> parts;
  const std::vector<PictureSize> sizes = naturalSizes(content);
  for (size_t i = 0; i < sizes.size(); ++i) {
    const double w = sizes[i].width * factor, h = sizes[i].height * factor;
    const std::string letters = content.units.empty() ? "" : content.units[i].letters;
    const size_t across = partsAlong(w, roomW), down = partsAlong(h, roomH);
    const size_t count = across * down;
    const double partW = (w + double(across - 1) * kFineTileOverlap) / double(across);
    const double partH = (h + double(down - 1) * kFineTileOverlap) / double(down);
    for (size_t k = 0; k < count; ++k) {
      Part part{i, {0, 0, w, h}, partW, partH, letters};
      part.whole.left = -double(k % across) * (partW - kFineTileOverlap);
      part.whole.top = -double(k / across) * (partH - kFineTileOverlap);
      if (count > 1) {
        if (!part.label.empty()) part.label += ' ';
        part.label += std::to_string(k + 1) + "/" + std::to_string(count);
        if (k + 1 < count) part.label += " (continua)";
      }
      parts.push_back(std::move(part));
    }
  }
  return parts;
}

// Step 4: lays rows of parts down pieces across the page; the first piece is `first` (the texts).
class PartRows {
 public:
  PartRows(TextMeasure& measure, const FineCellContent& content, double room, double factor)
      : measure_(measure), content_(content), room_(room), factor_(factor) {
    labelH_ = measure.lineHeight(kFineUnitLabelSize, false) + kLabelGap;
  }

  // `first` is a continued piece already when the texts took pieces of their own.
  std::vector<FineCell> lay(FineCell first, bool continued, const std::vector<Part>& parts,
                            double rowWidth) {
    continued_ = continued;
    startPiece(std::move(first));
    for (size_t i = 0; i < parts.size();) {
      size_t end = i + 1;
      double width = parts[i].width, height = parts[i].height;
      while (end < parts.size() && width + kPartGap + parts[end].width <= rowWidth) {
        width += kPartGap + parts[end].width;
        height = std::max(height, parts[end].height);
        ++end;
      }
      // A row that does not fit goes on to a continued piece, whose room every part fits.
      if (rowTop_ + height + labelH_ + kPadding > room_ - kCellBottom &&
          (rows_ > 0 || !continued_)) {
        closePiece();
        startPiece(continuedCell(measure_, FineCatalogKind::Drawings, content_.name, current_.width,
                                 true));
        continued_ = true;
      }
      double left = current_.pictureFrame.left + (current_.pictureFrame.width - width) / 2;
      for (size_t k = i; k < end; ++k) {
        addPart(parts[k], left, rowTop_ + height - parts[k].height);
        left += parts[k].width + kPartGap;
      }
      rowTop_ += height + labelH_ + kPartGap;
      ++rows_;
      i = end;
    }
    closePiece();
    return std::move(pieces_);
  }

 private:
  void startPiece(FineCell cell) {
    current_ = std::move(cell);
    current_.wide = true;
    current_.hasPicture = true;
    current_.pictureScale = factor_ * kUnitMm;
    current_.smallestText =
        smallestPictureText(content_) * current_.pictureScale * kFinePointsPerMm;
    current_.pictureFrame = {kFrameInset, current_.height + 0.3, current_.width - 2 * kFrameInset,
                             0};
    rowTop_ = current_.pictureFrame.top + kPadding;
    rows_ = 0;
  }

  void addPart(const Part& part, double left, double top) {
    current_.unitPictures.push_back(
        {left + part.whole.left, top + part.whole.top, part.whole.width, part.whole.height});
    current_.unitWindows.push_back({left, top, part.width, part.height});
    current_.unitShown.push_back(part.unit);
    if (part.label.empty()) return;
    const double width = measure_.width(part.label, kFineUnitLabelSize, false);
    current_.texts.push_back({part.label, left + (part.width - width) / 2,
                              top + part.height + kLabelGap, kFineUnitLabelSize, false,
                              colors::kBlack, measure_.lineHeight(kFineUnitLabelSize, false),
                              false});
  }

  void closePiece() {
    FineRect& frame = current_.pictureFrame;
    if (rows_ == 0) {
      current_.hasPicture = false;
      current_.height = std::min(room_, frame.top + kCellBottom);
    } else {
      frame.height = rowTop_ - kPartGap + kPadding - frame.top;
      current_.height = std::min(room_, frame.top + frame.height + kCellBottom);
    }
    pieces_.push_back(std::move(current_));
  }

  TextMeasure& measure_;
  const FineCellContent& content_;
  double room_;
  double factor_;
  double labelH_ = 0;
  FineCell current_;
  double rowTop_ = 0;
  size_t rows_ = 0;
  bool continued_ = false;
  std::vector<FineCell> pieces_;
};

std::vector<FineCell> layOutOverPages(TextMeasure& measure, const FineCellContent& content,
                                      const FinePage& page, double em) {
  const double room = page.columnRoom();
  const double width = page.contentWidth();
  const FineCell heading =
      continuedCell(measure, FineCatalogKind::Drawings, content.name, width, true);
  const double labelH = measure.lineHeight(kFineUnitLabelSize, false) + kLabelGap;
  const double roomW = width - 2 * kFrameInset - 2 * kPadding;
  const double roomH = room - heading.height - 0.3 - 2 * kPadding - labelH - kCellBottom;
  const double readable = std::min(factorFor(kFineReadableText, em), kFineLargestEnlargement);
  double largestW = 0, largestH = 0;
  for (const PictureSize& size : naturalSizes(content)) {
    largestW = std::max(largestW, size.width);
    largestH = std::max(largestH, size.height);
  }
  const double factor =
      std::max(readable, std::min({factorFor(kFineComfortableText, em), kFineMaximumEnlargement,
                                   roomW / largestW, roomH / largestH}));
  FineCell first = layoutWideDrawingsHeader(measure, content, width);
  first.hasPicture = false;
  std::vector<FineCell> pieces;
  const bool textsApart = first.height > room / 2;
  if (textsApart) {
    // So many aliases that the texts take pages of their own before the pictures.
    first.height += kCellBottom;
    pieces = splitFineCell(measure, FineCatalogKind::Drawings, first, content, room);
    for (FineCell& piece : pieces) piece.wide = true;
    first = heading;
  }
  PartRows rows(measure, content, room, factor);
  const std::vector<Part> parts = cutIntoParts(content, factor, roomW, roomH);
  for (FineCell& piece : rows.lay(std::move(first), textsApart, parts, roomW))
    pieces.push_back(std::move(piece));
  return pieces;
}

}  // namespace

std::vector<FineCell> layoutFineCellPieces(TextMeasure& measure, FineCatalogKind kind,
                                           const FineCellContent& content, const FinePage& page) {
  const double room = page.columnRoom();
  const FineCell cell = layoutFineCell(measure, kind, content);
  const double em = smallestPictureText(content);
  if (kind != FineCatalogKind::Drawings || em <= 0 || cell.smallestText >= kFineReadableText - 1e-9)
    return splitFineCell(measure, kind, cell, content, room);
  const double comfortable =
      std::max(std::min(factorFor(kFineComfortableText, em), kFineMaximumEnlargement),
               std::min(factorFor(kFineReadableText, em), kFineLargestEnlargement));
  FineCell wide;
  if (layOutWideCell(measure, content, page.columnWidth(), room, comfortable, wide)) return {wide};
  if (layOutWideCell(measure, content, page.contentWidth(), room, comfortable, wide)) {
    wide.wide = true;
    return {wide};
  }
  return layOutOverPages(measure, content, page, em);
}

}  // namespace quiral
