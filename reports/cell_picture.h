#pragma once

namespace quiral {

class Bitmap;

// How a symbol's view is fitted into a catalog cell's picture box. The view (W x H pixels, the
// drawing with a 50-pixel white margin on every side) is measured as W + 50 by H + 50 against the
// box; a view that fits is copied at that size, a larger one is shrunk by the larger of the two
// ratios, keeping its proportions.
struct CellFit {
  int width = 0;       // target width w in the cell picture
  int height = 0;      // target height h
  int FitScale = 100;  // percent
};

CellFit fitCellPicture(int viewWidth, int viewHeight, int boxWidth, int boxHeight);

// Whitens `cell` and copies the view's rectangle from (50, 50) to (W, H), that is without its
// left and top margins, stretched into (0, 0)-(w, h) of `cell`: each axis on its own, enlarged
// by repeating pixels or shrunk by AND-combining the pixels it drops, so thin dark lines survive.
// The picture therefore starts at the cell's top-left corner.
void drawCellPicture(Bitmap& cell, const Bitmap& view, const CellFit& fit);

}  // namespace quiral
