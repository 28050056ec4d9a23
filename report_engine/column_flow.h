#pragma once

#include <limits>

namespace quiral {

// Where cells go down the columns of successive pages: the one rule of every catalog's flow,
// the prepared pages' bands and the fine catalogs' cells alike. A cell that does not fit below
// the cells of its column moves to the top of the next column, or of a new page after the last;
// a cell at the top of a fresh column stays there even when taller (whoever draws it cuts it),
// so the flow always moves on. A cell across all the columns goes below every column's cells,
// or to the top of a new page, and the columns go on below it. Lengths are the caller's unit,
// from the top of the page's columns.
class ColumnFlow {
 public:
  struct Slot {
    int page = 0;  // from 0
    int column = 0;
    double top = 0;
  };

  ColumnFlow(int columns, double room);

  // Where a cell of `height` goes: moveOn() then fill().
  Slot place(double height);
  // Moves on to the next column or page when a cell of `height` does not fit below the column's
  // cells; returns where it goes.
  Slot moveOn(double height);
  // Takes `height` below the column's cells.
  void fill(double height);
  // Where a cell across all the columns goes (filled at once).
  Slot placeAcross(double height);

  // The room of the columns of the page in progress, and how far down a cell may push the next
  // one (a cell cut at the page's bottom pushes no further than that).
  void setRoom(double room, double limit = std::numeric_limits<double>::infinity());
  int page() const { return page_; }
  int column() const { return column_; }
  int pagesUsed() const { return used_ ? page_ + 1 : 0; }

 private:
  void nextPage();

  int columns_;
  double room_;
  double limit_ = std::numeric_limits<double>::infinity();
  int page_ = 0;
  int column_ = 0;
  double filled_ = 0;  // of the current column
  double floor_ = 0;   // where the columns start: below the page's last cell across them
  double lowest_ = 0;  // the lowest end of any column's cells on this page
  bool fresh_ = true;  // the column has no cell yet and starts at the page's top
  bool used_ = false;
};

}  // namespace quiral
