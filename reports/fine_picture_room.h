#pragma once

#include <vector>

#include "reports/fine_layout.h"

namespace quiral {

// How much room a drawings cell's picture gets, so that every text of every picture can be read
// on paper: its smallest text prints at kFineReadableText points or more on A4.
//
// 1. The design's cell: the picture frame of the prepared pages (64.5 mm wide), the picture as
//    large as it allows, at most kFineMaximumEnlargement times its natural size.
// 2. When the smallest text prints smaller there: a cell of the column's whole width (95 mm), the
//    texts above and the frame below them, as tall as a column allows.
// 3. Then a cell across both columns (190 mm), as tall as a page allows: a page of its own.
//    In 2 and 3 a picture grows only until its smallest text prints at kFineComfortableText.
// 4. Past that the pictures (the units, or the one picture) go at the scale where the smallest
//    text prints at kFineReadableText (larger, up to kFineComfortableText, when the largest still
//    fits a page) in rows over the following pages, each going on with "<name> (cont.)". A
//    picture larger than a page at that scale is cut into parts that overlap by
//    kFineTileOverlap, each labelled with its number, "A 1/4 (continua)" ... "A 4/4".
// Texts whose em is under kFineSmallestCountedText library units (a text of size 0, which KiCad
// does not show, or one a few mils tall) would need more than kFineLargestEnlargement: they
// are not counted.
constexpr double kFineReadableText = 4;     // points
constexpr double kFineComfortableText = 6;  // points
constexpr double kFineLargestEnlargement = 8;
constexpr double kFineSmallestCountedText = kFineReadableText / (kFineLargestEnlargement * 0.072);
constexpr double kFineTileOverlap = 5;  // millimetres

// Lays out one symbol as the pieces that go down the columns (or across the page, when `wide`),
// one after the other: the design's cell when its picture is readable or the kind has none
// (continued when taller than a column), else the bigger rooms above.
std::vector<FineCell> layoutFineCellPieces(TextMeasure& measure, FineCatalogKind kind,
                                           const FineCellContent& content, const FinePage& page);

}  // namespace quiral
