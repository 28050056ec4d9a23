#pragma once

#include <QString>
#include <QWidget>

#include "pdf/export_qr.h"
#include "report_engine/preview_interface.h"
#include "report_engine/printer.h"
#include "report_engine/report.h"
#include "reports/catalog_commands.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace quiral {

class TQRPreview;
class Dialogs;

// What a preview window needs of the program around it: the catalog reports and the rewind of a
// catalog run. The main window provides it; a window without one offers no PDF export and
// presets the print dialog from the pages alone.
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // The drawings catalog report, whose printer settings preset the print dialog; may be null.
  virtual const TQuickRep* drawingsCatalog() = 0;
  // The report of `pages` made ready for a PDF export, or null when the export is refused (see
  // CatalogCommands::prepareExport).
  virtual TQuickRep* prepareExport(const TQRPrinter& pages) = 0;
  // The highest page the print dialog offers for a preview of `pageCount` pages.
  virtual int highestPrintablePage(int pageCount) = 0;
  // The library and kind whose fine (vector) catalog "PDF vetorial" writes for `pages`, or none
  // (see CatalogCommands::sourceOf).
  virtual std::optional<CatalogCommands::CatalogSource> fineCatalogSource(
      const TQRPrinter& pages) = 0;
};

// The report preview window: one per preview, showing the prepared pages of one report with a page
// spinner, a zoom box, print, save and load of prepared reports, PDF export and close. Closing it
// tells the printer object that the preview is closed, which ends the engine's wait.
class TPrevForm : public QWidget, public PreviewWindow {
  Q_OBJECT

 public:
  static const char* const kDefaultCaption;
  // The zoom box's items, in order.
  static const char* const kZoomItems[7];

  // `printer` (the pages shown) and `host` are not owned; either may be null (the hidden window
  // made at program start has neither). `dialogs` must outlive the window.
  TPrevForm(PreviewHost* host, TQRPrinter* printer, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TPrevForm() override;

  TQRPrinter* qrPrinter() const { return printer_; }
  TQRPreview* preview() const { return QRPreview1; }

  // The drawings catalog disables the PDF button while it produces pages.
  void setPdfButtonEnabled(bool enabled) override;
  // The controls that hand the pages on (print, save, both PDFs) act only on a complete report:
  // they are enabled once no more pages are being made (and the PDF buttons also when the report
  // allows its PDF).
  void updateExportControls();

 public slots:
  void FormShow();
  void FormActivate();
  void FormResize();
  void QRPreview1PageAvailable(int pageCount);
  void SpinEdit1Change(int value);
  void CB_zoomChange(int index);
  void CB_zoomKeyPress();
  void SB_imprimirClick();
  void bb_salvarClick();
  void BB_lerClick();
  void BitBtn2Click();
  // "PDF vetorial": the fine catalog of the library whose catalog is on show.
  void BitBtn3Click();
  void BitBtn1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildPanel();
  void layOutPanel();
  void buildShortcuts();
  // Ctrl + "+" (direction 1) or "-" (-1): the page's zoom goes to the next step that way.
  void stepZoom(int direction);
  // Shows another page through the spinner, which keeps it within the pages there are.
  void goToPage(int page);
  void showPageCount(int pageCount);
  void pagesReplaced(int pageCount);
  void detachPrinter();

  class ExportErrorBox;

  PreviewHost* host_;
  TQRPrinter* printer_;
  Dialogs& dialogs_;
  // The export component: it writes the pages of the report this window shows.
  TExportQR ExQR1;
  // The save dialog's filter: whatever Save or PDF set last.
  QString saveFilter_;
  // What the report last said of its PDF button (setPdfButtonEnabled).
  bool pdfAllowed_ = true;

  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QSpinBox* SpinEdit1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* CB_zoom = nullptr;
  QToolButton* SB_imprimir = nullptr;
  QPushButton* bb_salvar = nullptr;
  QPushButton* BB_ler = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  TQRPreview* QRPreview1 = nullptr;
};

// The default extension of the window's file dialogs: a name whose file-name part has no
// extension (no dot after its first character) gets ".<suffix>".
QString withDefaultExtension(const QString& path, const QString& suffix);
// The zoom that a text typed into the zoom box asks for: spaces and "%" removed, read as a
// decimal integer, 100 when it is not one.
int zoomFromText(const QString& text);

}  // namespace quiral
