#pragma once

#include <functional>

namespace quiral {

class TQuickRep;

// What a generation is told from outside: `betweenBands` runs after every band (the preview
// lets its window work there) and `stopRequested` is asked before every record.
struct GenerationControl {
  std::function<void()> betweenBands;
  std::function<bool()> stopRequested;
};

// Runs one generation of a report into its printer object: rewind, then the need-data loop with
// the column flow. Whatever a hook throws ends the generation: the page being filled is closed
// and kept, the printer is told the generation ended, and the error is passed on.
void generateReport(TQuickRep& report, const GenerationControl& control);

}  // namespace quiral
