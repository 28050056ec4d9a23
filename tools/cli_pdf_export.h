#pragma once

#include <string>

namespace quiral {
class TQuickRep;
}

namespace quiral::cli {

// Exports the prepared pages of `report` to `out` with its extension replaced by ".PDF" (as the
// preview window names its exports), showing the progress on standard error: a line per page,
// or one line that updates itself when standard error is a terminal. Prints the name written on
// standard output and returns 0; on failure prints "Error exporting report: <reason>" on
// standard error and returns 1.
int exportReportPdf(const TQuickRep& report, const std::string& out);

}  // namespace quiral::cli
