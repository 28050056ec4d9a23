#include "tools/cli_pdf_export.h"

#include <unistd.h>

#include <cstdio>

#include "pdf/export_qr.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

// Progress and failure as text on standard error.
class TextProgress : public ExportProgress, public ExportErrorBox {
 public:
  TextProgress() : terminal_(::isatty(STDERR_FILENO) == 1) {}

  void start(int) override {}
  void pageStarted(int, int, const std::string& caption) override {
    std::fprintf(stderr, terminal_ ? "\r%s" : "%s\n", caption.c_str());
    std::fflush(stderr);
    updating_ = terminal_;
  }
  void pageDone() override {}
  void finish() override {
    if (updating_) std::fputc('\n', stderr);
    updating_ = false;
  }
  void showExportError(const std::string& reason) override {
    std::fprintf(stderr, "%s: %s\n", kExportErrorText, reason.c_str());
  }

 private:
  bool terminal_;
  bool updating_ = false;
};

}  // namespace

int exportReportPdf(const TQuickRep& report, const std::string& out) {
  TextProgress text;
  TExportQR exporter;
  exporter.Report = &report;
  exporter.setProgress(&text);
  exporter.setErrorBox(&text);
  ExportResult result = exporter.ExportPDF(removeExtension(out), true);
  if (!result) return 1;
  printLine(result.fileName);
  return 0;
}

}  // namespace quiral::cli
