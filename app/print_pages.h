#pragma once

#include "report_engine/printer.h"

class QPrinter;

namespace quiral {

// Prints pages `from` to `to` (counting from 1, cut to the pages there are) of a printer object
// on a Qt printer at the printer's own resolution, with the engine's page painter. The paper is
// set to the report's page size and orientation. Returns how many pages were printed; throws
// QuiralError when the printer cannot be started.
int printPages(const TQRPrinter& pages, QPrinter& printer, int from, int to);

// Puts a report's printer settings on a Qt printer: copies, duplex, paper bin and, when both are
// set, the first and last page.
void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer);

}  // namespace quiral
