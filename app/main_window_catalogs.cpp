// The main window's catalog commands: they start a catalog of the library in use and show the
// preview; while the catalog makes its pages the browsing controls rest.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QUrl>

#include "app/catalog_watch.h"
#include "app/dialogs.h"
#include "app/directory_list_box.h"
#include "app/file_filter.h"
#include "app/fine_catalog_export.h"
#include "app/folder_path_field.h"
#include "app/library_review_command.h"
#include "app/main_window.h"
#include "app/prev_form.h"
#include "app/site_export.h"
#include "app/user_list_box.h"
#include "platform/text_codec.h"
#include "render/renderer.h"
#include "report_engine/preview_interface.h"
#include "report_engine/report.h"
#include "reports/catalog_commands.h"
#include "reports/fine_catalog_run.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "site/site_writer.h"

namespace quiral {

void TForm1::setCatalogReports(TForm3* form3, TQR_lista* lista) {
  catalogs_->setReports(form3, lista);
  std::vector<TQRPrinter*> printers;
  if (form3) printers.push_back(&form3->QR_FIG.qrPrinter());
  if (lista) printers.push_back(&lista->qrPrinter());
  catalogWatch_->watch(std::move(printers));
}

void TForm1::b_reportClick() {
  runCatalog(CatalogKind::Drawings);
}

void TForm1::Desenhos1Click() {
  b_reportClick();
}

void TForm1::Lista1Click() {
  runCatalog(CatalogKind::List);
}

void TForm1::PastaVetorial1Click() {
  const std::string folder = folderShown();
  std::vector<std::string> libraries;
  if (!dialogs_.runGuarded(this, [&] { libraries = fineCatalogLibraries(folder); })) return;
  if (libraries.empty()) {
    dialogs_.reportError(this, tr("Nenhuma biblioteca nesta pasta"));
    return;
  }
  const QString folderPath = QFile::decodeName(folder.c_str());
  QString name = QDir(folderPath).dirName();
  if (name.isEmpty() || name == QLatin1String("/")) name = QStringLiteral("catalogo");
  const QString chosen = dialogs_.chooseFileToSave(
      this, QDir(folderPath).filePath(name + QStringLiteral(".pdf")),
      qtFileFilter(tr("Arquivos PDF(*.pdf)|*.pdf")), QStringLiteral("pdf"));
  if (chosen.isEmpty()) return;
  const QString path = withDefaultExtension(chosen, QStringLiteral("pdf"));
  if (!dialogs_.mayWriteFile(this, path)) return;
  if (!exportFineCatalog(this, dialogs_, path, FineCatalogKind::Drawings, libraries,
                         displayText(QFile::encodeName(name).toStdString()), true))
    return;
  const QString file = QDir::toNativeSeparators(path);
  const QString done =
      libraries.size() == 1
          ? tr("Catálogo de 1 biblioteca gravado em %1").arg(file)
          : tr("Catálogo de %1 bibliotecas gravado em %2").arg(libraries.size()).arg(file);
  if (dialogs_.offerToOpen(this, done)) dialogs_.openInBrowser(this, QUrl::fromLocalFile(path));
}

void TForm1::SiteHtml1Click() {
  const std::string folder = folderShown();
  std::vector<std::string> libraries;
  if (!dialogs_.runGuarded(this, [&] { libraries = siteLibraries({folder}); })) return;
  if (libraries.empty()) {
    dialogs_.reportError(this, tr("Nenhuma biblioteca nesta pasta"));
    return;
  }
  QString name = QDir(QFile::decodeName(folder.c_str())).dirName();
  if (name.isEmpty() || name == QLatin1String("/")) name = tr("Bibliotecas");
  const QString chosen =
      dialogs_.chooseFolder(this, QString(), tr("Pasta do site (vazia, ou um site já gravado)"));
  if (chosen.isEmpty()) return;
  exportSite(this, dialogs_, chosen, libraries, displayText(QFile::encodeName(name).toStdString()));
}

void TForm1::CompararCom1Click() {
  if (!failedRead_.isEmpty()) {
    dialogs_.reportError(this, failedRead_);
    return;
  }
  compareWithAnotherLibrary(this, dialogs_, session_.browser.CurrentLibraryPath(),
                            defaultReviewFolder());
}

bool TForm1::catalogGenerating() const {
  return catalogs_->generating();
}

void TForm1::runCatalog(CatalogKind kind) {
  CatalogCommands::Outcome outcome = CatalogCommands::Outcome::Busy;
  if (!dialogs_.runGuarded(this, [&] { outcome = catalogs_->begin(kind); })) return;
  switch (outcome) {
    case CatalogCommands::Outcome::Busy:
      return;
    case CatalogCommands::Outcome::Refused:
      // A library was chosen but could not be read: that is what the user needs to hear.
      dialogs_.reportError(
          this, failedRead_.isEmpty() ? tr("Nenhuma biblioteca selecionada") : failedRead_);
      return;
    case CatalogCommands::Outcome::AlreadyShowing:
      if (auto* window = dynamic_cast<QWidget*>(catalogs_->reportFor(kind)->previewWindow())) {
        window->raise();
        window->activateWindow();
      }
      return;
    case CatalogCommands::Outcome::Ready:
      break;
  }
  setBrowsingEnabled(false);
  // Returns once the preview is closed; the controls come back as soon as the pages are made.
  dialogs_.runGuarded(this, [this] { catalogs_->CurrentReport()->preview(); });
  catalogGenerationEnded();
}

void TForm1::catalogGenerationEnded() {
  if (catalogGenerating()) return;
  setBrowsingEnabled(true);
  // However the run ended, the list's selection may be one past the component drawn last.
  showCatalogCursor();
}

void TForm1::showCatalogCursor() {
  // The chooser is set back also when the component is the one shown before, whose memo the
  // mirror leaves alone.
  forgetAlias();
  runThenMirror([this] {
    catalogs_->showSelectedComponent();
    showUnitsOfComponent();
  });
}

void TForm1::setBrowsingEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{DriveComboBox1, DLB1, FileListBox1, ListBox1,
                                                    b_report, B_carregar})
    w->setEnabled(enabled);
  Catlogos1->setEnabled(enabled);
  Desenhos1->setEnabled(enabled);
  Lista1->setEnabled(enabled);
  PastaVetorial1->setEnabled(enabled);
  SiteHtml1->setEnabled(enabled);
  CompararCom1->setEnabled(enabled);
}

}  // namespace quiral
