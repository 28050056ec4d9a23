#pragma once

#include "reports/fine_layout.h"

namespace quiral {

// The rules that place a drawings cell's pictures in its picture frame, in one place.
//
// One picture (a one-unit symbol, or only the first unit asked for) is centred in the frame, as
// large as the frame allows but never more than kFineMaximumEnlargement times its natural size.
//
// Several unit pictures share one scale and stand in slots of one width, in a row when that gives
// them the largest scale, else in the grid that does (a row wins a tie); each row is as tall as
// its tallest picture, and every picture stands on its label ("A", or "A (name)" when the name
// fits the slot), centred across its slot. The "+N" note of the units left out takes one more
// slot. The whole grid is centred in the frame, and every picture and label lies inside it.
// `maxFactor` bounds the enlargement instead of kFineMaximumEnlargement. The cell's smallestText
// says how large the pictures' smallest text prints.
void placeFinePictures(TextMeasure& measure, const FineCellContent& content, const FineRect& frame,
                       FineCell& cell, double maxFactor = kFineMaximumEnlargement);

// The em of the smallest text of the content's pictures that counts (library units; 0: none).
double smallestPictureText(const FineCellContent& content);

// Point size of the unit labels and the "+N" note.
constexpr double kFineUnitLabelSize = 7;

}  // namespace quiral
