#pragma once

#include <functional>

#include "report_engine/printer.h"

class QPrinter;

namespace quiral {

// Told after each page printed (how many, of how many); answers false to stop the job.
using PrintProgress = std::function<bool(int printed, int total)>;

// Prints pages `from` to `to` (counting from 1, cut to the pages there are) of a printer object
// on a Qt printer as vectors: texts as text, frames and fills as shapes, pictures from their
// vectors where they carry them (scaled pixels otherwise), so a page costs the same at any
// resolution. The paper is set to the report's page size and orientation. Returns how many pages
// were printed; a job stopped by `progress` is aborted (nothing reaches the printer, no output file
// is left) and returns 0. Throws QuiralError when the printer cannot be started.
int printPages(const TQRPrinter& pages, QPrinter& printer, int from, int to,
               const PrintProgress& progress = {});

// Puts a report's printer settings on a Qt printer: copies, duplex, paper bin and, when both are
// set, the first and last page.
void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer);

}  // namespace quiral
