#pragma once

#include <string>

#include "pdf/export_interfaces.h"
#include "report_engine/report.h"
#include "report_engine/report_clock.h"

namespace quiral {

// What an export did: the file it wrote, or why it failed.
struct ExportResult {
  bool ok = false;
  std::string fileName;  // the PDF written, when ok
  std::string reason;    // the failure's message, when not ok
  explicit operator bool() const { return ok; }
};

// Exports the prepared pages of a report to a PDF file, one picture per page.
class TExportQR {
 public:
  // The report whose prepared pages are exported. Not owned; set before each export.
  const TQuickRep* Report = nullptr;

  // Optional; not owned. Without them the export shows nothing.
  void setProgress(ExportProgress* progress) { progress_ = progress; }
  void setErrorBox(ExportErrorBox* errorBox) { errorBox_ = errorBox; }
  // Where the document's creation date comes from (the machine's clock by default).
  void setClock(ReportClock clock) { clock_ = std::move(clock); }

  // Writes every prepared page of Report to `BaseName` followed by ".PDF": the page picture at
  // 96 dpi on the halftone palette, placed at (52, 0) points with an indexed palette (`Indexed`)
  // or as a JPEG. Landscape pages (as the prepared pages say) get a landscape page size. Nothing
  // is thrown: a failure, including a report without pages or one still being generated, is
  // shown in the error box and returned with its reason; an existing file of that name is then
  // left as it was, and no temporary file remains. SIGINT or SIGTERM during the export stop it
  // at the next page; once its files are removed the signal ends the program as it would have.
  // A BaseName without a file name ("", "folder/") is refused.
  ExportResult ExportPDF(const std::string& BaseName, bool Indexed);

 private:
  void exportPages(const std::string& fileName, bool indexed);

  ExportProgress* progress_ = nullptr;
  ExportErrorBox* errorBox_ = nullptr;
  ReportClock clock_;
};

// The output path without its extension: what follows the last dot of the file-name part
// ("out.d/report" stays as it is, "catalogo.pdf" becomes "catalogo"). A leading dot starts a
// name, not an extension.
std::string removeExtension(const std::string& path);

// The name an export of `baseName` writes.
std::string pdfFileName(const std::string& baseName);

// "Page... i of n", the progress label's text for page i.
std::string exportPageCaption(int page, int pageCount);

}  // namespace quiral
