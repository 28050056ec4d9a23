// The preview window's buttons: print, save and load of prepared reports, PDF export.

#include <QFile>
#include <QPrinter>

#include "app/dialog_seams.h"
#include "app/file_filter.h"
#include "app/prev_form.h"
#include "app/print_pages.h"
#include "app/progress_dialog.h"
#include "app/qr_preview.h"

namespace quiral {

namespace {

const char* const kQrpSaveFilter = "Arquivos QRP(*.qrp)|*.qrp";
const char* const kQrpOpenFilter = "Relatórios (*.QRP)|*.QRP";
const char* const kPdfFilter = "Arquivos PDF(*.pdf)|*.pdf";
// Both file dialogs keep this default extension whatever their filter.
const char* const kDefaultExtension = "QRP";

std::string fileSystemName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

// The export's failures go to the window's error box with its fixed text.
class TPrevForm::ExportErrorBox : public quiral::ExportErrorBox {
 public:
  explicit ExportErrorBox(QWidget* window) : window_(window) {}
  void showExportError(const std::string&) override {
    reportError(window_, QString::fromLatin1(kExportErrorText));
  }

 private:
  QWidget* window_;
};

void TPrevForm::SB_imprimirClick() {
  if (!printer_) return;
  const TQuickRep* drawings = host_ ? host_->drawingsCatalog() : nullptr;
  const PrinterSettings settings = drawings ? drawings->printerSettings() : PrinterSettings{};
  // A last page of 0 means "to the last page": the pages there are then give the highest page.
  const int highest =
      std::max(1, settings.lastPage > 0 ? settings.lastPage : printer_->pageCount());
  runGuarded(this, [&] {
    QPrinter printer(QPrinter::HighResolution);
    applyPrinterSettings(settings, printer);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(1, highest);
    if (!runPrintDialog(this, printer, highest)) return;
    int from = 1, to = printer_->pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
      from = printer.fromPage();
      to = printer.toPage() > 0 ? printer.toPage() : to;
    }
    printPages(*printer_, printer, from, to);
  });
}

void TPrevForm::bb_salvarClick() {
  if (!printer_) return;
  saveFilter_ = QString::fromUtf8(kQrpSaveFilter);
  const QString chosen = chooseFileToSave(this, QString(), qtFileFilter(saveFilter_),
                                          QString::fromLatin1(kDefaultExtension));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
  if (!mayWriteFile(this, path)) return;
  runGuarded(this, [&] { printer_->save(fileSystemName(path)); });
}

void TPrevForm::BB_lerClick() {
  if (!printer_) return;
  const QString chosen =
      chooseFileToOpen(this, QString(), qtFileFilter(QString::fromUtf8(kQrpOpenFilter)));
  if (!chosen.isEmpty()) {
    const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
    // A damaged file is refused whole, with the engine's reason, and the pages stay.
    runGuarded(this, [&] { printer_->load(fileSystemName(path)); });
  }
  QRPreview1->updateView();
}

void TPrevForm::BitBtn2Click() {
  if (!printer_) return;
  // The report whose pages this window shows: with two previews open, the catalog started last
  // is another one.
  TQuickRep* report = host_ ? host_->reportOf(*printer_) : nullptr;
  // Its rewind would move the cursor that a running generation walks, and its pages are not
  // complete: no export while any catalog produces pages.
  if (!report || printer_->generating() || host_->catalogGenerating()) {
    reportError(this, QString::fromLatin1(kExportErrorText));
    return;
  }
  const bool prepared = runGuarded(this, [&] {
    host_->zerarparaimprimir(*report);
    // The export places the page at the paper's left edge: no side margins from now on.
    report->page().leftMargin = 0;
    report->page().rightMargin = 0;
    report->prepare();  // ignored while this window shows the report: the pages as previewed
  });
  if (!prepared) return;
  ExQR1.Report = report;
  saveFilter_ = QString::fromUtf8(kPdfFilter);
  const QString chosen = chooseFileToSave(this, QString(), qtFileFilter(saveFilter_),
                                          QString::fromLatin1(kDefaultExtension));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
  // The export writes its own name: the question is about that file, not the one typed.
  const std::string baseName = removeExtension(fileSystemName(path));
  if (!mayWriteFile(this, QFile::decodeName(pdfFileName(baseName).c_str()))) return;
  TFPrgrs progress(this);
  ExportErrorBox errors(this);
  ExQR1.setProgress(&progress);
  ExQR1.setErrorBox(&errors);
  ExQR1.ExportPDF(baseName, true);
  ExQR1.setProgress(nullptr);
  ExQR1.setErrorBox(nullptr);
}

}  // namespace quiral
