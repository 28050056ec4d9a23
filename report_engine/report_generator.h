#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quiral {

class TQuickRep;

// A detail band taller than a whole column: it was placed at the top of a fresh column and cut
// at the column's bottom, so part of it is missing from the page.
struct CutBand {
  std::string band;    // the band's name
  int record = 0;      // which detail band of the generation, counting from 0
  int page = 0;        // counting from 1
  int column = 0;      // counting from 1
  int32_t height = 0;  // what the band needed, tenths of a millimetre
  int32_t room = 0;    // what the column had
};

// What a generation is told from outside: `betweenBands` runs after every band (the preview
// lets its window work there), `stopRequested` is asked before every record, and `bandCut`
// hears of every detail band that had to be cut.
struct GenerationControl {
  std::function<void()> betweenBands;
  std::function<bool()> stopRequested;
  std::function<void(const CutBand&)> bandCut;
};

// Runs one generation of a report into its printer object: rewind, then the need-data loop with
// the column flow. Whatever a hook throws ends the generation: the page being filled is closed
// and kept, the printer is told the generation ended, and the error is passed on.
void generateReport(TQuickRep& report, const GenerationControl& control);

}  // namespace quiral
