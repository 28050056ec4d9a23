// The preview window's buttons: print, save and load of prepared reports, PDF export (page
// images, or the fine vector catalog of the same library).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <filesystem>

#include "app/dialogs.h"
#include "app/file_filter.h"
#include "app/fine_catalog_export.h"
#include "app/prev_form.h"
#include "app/print_pages.h"
#include "app/progress_dialog.h"
#include "app/qr_preview.h"
#include "platform/text_codec.h"
#include "reports/catalog_commands.h"

namespace quiral {

namespace {

const char* const kQrpSaveFilter =
    QT_TRANSLATE_NOOP("quiral::TPrevForm", "Arquivos QRP(*.qrp)|*.qrp");
const char* const kQrpOpenFilter =
    QT_TRANSLATE_NOOP("quiral::TPrevForm", "Relatórios (*.QRP)|*.QRP");
const char* const kPdfFilter = QT_TRANSLATE_NOOP("quiral::TPrevForm", "Arquivos PDF(*.pdf)|*.pdf");
// The fine catalog is written under the name chosen, with this extension when it has none.
const char* const kFinePdfExtension = "pdf";
// Both file dialogs keep this default extension whatever their filter.
const char* const kDefaultExtension = "QRP";

std::string fileSystemName(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// A print job shows how far it has gone and can be cancelled; a short one is done before the
// dialog would appear.
class PrintProgressDialog : public QProgressDialog {
 public:
  PrintProgressDialog(QWidget* parent, int total)
      : QProgressDialog(QString(), TPrevForm::tr("Cancelar"), 0, total, parent) {
    setObjectName(QStringLiteral("PrintProgress"));
    setWindowTitle(TPrevForm::tr("Imprimindo"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(500);
  }

  bool pagePrinted(int printed, int total) {
    setLabelText(TPrevForm::tr("Página %1 de %2").arg(printed).arg(total));
    setValue(printed);
    QCoreApplication::processEvents();
    return !wasCanceled();
  }
};

}  // namespace

// The export's failures go to the window's error box with its fixed text.
class TPrevForm::ExportErrorBox : public quiral::ExportErrorBox {
 public:
  ExportErrorBox(Dialogs& dialogs, QWidget* window) : dialogs_(dialogs), window_(window) {}
  void showExportError(const std::string&) override {
    dialogs_.reportError(window_, QString::fromLatin1(kExportErrorText));
  }

 private:
  Dialogs& dialogs_;
  QWidget* window_;
};

void TPrevForm::SB_imprimirClick() {
  if (!printer_) return;
  const TQuickRep* drawings = host_ ? host_->drawingsCatalog() : nullptr;
  const PrinterSettings settings = drawings ? drawings->printerSettings() : PrinterSettings{};
  const int highest = host_ ? host_->highestPrintablePage(printer_->pageCount())
                            : std::max(1, printer_->pageCount());
  dialogs_.runGuarded(this, [&] {
    QPrinter printer(QPrinter::HighResolution);
    applyPrinterSettings(settings, printer);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(1, highest);
    if (!dialogs_.runPrintDialog(this, printer, highest)) return;
    const CatalogCommands::PageRange pages =
        CatalogCommands::printedPages(printer.printRange() == QPrinter::PageRange,
                                      printer.fromPage(), printer.toPage(), printer_->pageCount());
    PrintProgressDialog progress(this, std::max(1, pages.last - pages.first + 1));
    printPages(*printer_, printer, pages.first, pages.last,
               [&](int printed, int total) { return progress.pagePrinted(printed, total); });
  });
}

void TPrevForm::bb_salvarClick() {
  if (!printer_) return;
  saveFilter_ = tr(kQrpSaveFilter);
  const QString chosen = dialogs_.chooseFileToSave(this, QString(), qtFileFilter(saveFilter_),
                                                   QString::fromLatin1(kDefaultExtension));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
  if (!dialogs_.mayWriteFile(this, path)) return;
  dialogs_.runGuarded(this, [&] { printer_->save(fileSystemName(path)); });
}

void TPrevForm::BB_lerClick() {
  if (!printer_) return;
  const QString chosen =
      dialogs_.chooseFileToOpen(this, QString(), qtFileFilter(tr(kQrpOpenFilter)));
  if (!chosen.isEmpty()) {
    const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
    // A damaged file is refused whole, with the engine's reason, and the pages stay.
    dialogs_.runGuarded(this, [&] { printer_->load(fileSystemName(path)); });
  }
  QRPreview1->updateView();
}

namespace {

// The export keeps pointers to the window's progress dialog and error box, which live on the
// stack: they are taken back however the export ends.
class ExportHooks {
 public:
  ExportHooks(TExportQR& exporter, ExportProgress* progress, ExportErrorBox* errors)
      : exporter_(exporter) {
    exporter_.setProgress(progress);
    exporter_.setErrorBox(errors);
  }
  ~ExportHooks() {
    exporter_.setProgress(nullptr);
    exporter_.setErrorBox(nullptr);
  }
  ExportHooks(const ExportHooks&) = delete;
  ExportHooks& operator=(const ExportHooks&) = delete;

 private:
  TExportQR& exporter_;
};

}  // namespace

void TPrevForm::BitBtn2Click() {
  if (!printer_ || !host_) return;
  TQuickRep* report = nullptr;
  if (!dialogs_.runGuarded(this, [&] { report = host_->prepareExport(*printer_); })) return;
  if (!report) {
    dialogs_.reportError(this, QString::fromLatin1(kExportErrorText));
    return;
  }
  ExQR1.Report = report;
  saveFilter_ = tr(kPdfFilter);
  const QString chosen = dialogs_.chooseFileToSave(this, QString(), qtFileFilter(saveFilter_),
                                                   QString::fromLatin1(kDefaultExtension));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QString::fromLatin1(kDefaultExtension));
  // The export writes its own name: the question is about that file, not the one typed.
  const std::string baseName = removeExtension(fileSystemName(path));
  if (!dialogs_.mayWriteFile(this, QFile::decodeName(pdfFileName(baseName).c_str()))) return;
  TFPrgrs progress(this);
  ExportErrorBox errors(dialogs_, this);
  ExportHooks hooks(ExQR1, &progress, &errors);
  ExQR1.ExportPDF(baseName, true);
}

void TPrevForm::BitBtn3Click() {
  if (!printer_ || !host_) return;
  const auto source = host_->fineCatalogSource(*printer_);
  if (!source) {
    dialogs_.reportError(this, QString::fromLatin1(kExportErrorText));
    return;
  }
  saveFilter_ = tr(kPdfFilter);
  // The library's own name, beside it, is the name offered.
  const QFileInfo library(QFile::decodeName(source->libraryPath.c_str()));
  const QString suggested =
      library.dir().filePath(library.completeBaseName() + QStringLiteral(".pdf"));
  const QString chosen = dialogs_.chooseFileToSave(this, suggested, qtFileFilter(saveFilter_),
                                                   QString::fromLatin1(kFinePdfExtension));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QString::fromLatin1(kFinePdfExtension));
  if (!dialogs_.mayWriteFile(this, path)) return;
  const FineCatalogKind kind =
      source->kind == CatalogKind::Drawings ? FineCatalogKind::Drawings : FineCatalogKind::List;
  const std::string shownName =
      displayText(std::filesystem::path(source->libraryPath).filename().string());
  exportFineCatalog(this, dialogs_, path, kind, {source->libraryPath}, shownName, false);
}

}  // namespace quiral
