#pragma once

#include <QPainter>

#include "report_engine/prepared_page.h"

namespace quiral {

class FontEngine;

// Prepared pages painted with QPainter, as vectors, for devices where pixels made at one
// resolution would be blurred or heavy: the preview at any zoom and the printer. The page's
// top-left corner is at the painter's origin and `dpi` device units make an inch.

// Whether any picture of the page carries its drawing as vectors.
bool hasPictureVectors(const PreparedPage& page);

// Draws the pictures that carry vectors, anti-aliased, each where its pixels would land and cut
// to its box. Pictures without vectors are left alone.
void paintPictureVectors(QPainter& painter, const PreparedPage& page, double dpi);

// Paints the whole page: fills and frames as rectangles, texts as real text in the faces the
// engine measures with (from `fonts`), pictures as vectors where they carry them and as scaled
// pixels otherwise. The page is not whitened first.
void paintPageAsVectors(QPainter& painter, FontEngine& fonts, const PreparedPage& page, double dpi);

}  // namespace quiral
