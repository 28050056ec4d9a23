#include "app/site_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QUrl>
#include <filesystem>

#include "app/dialogs.h"
#include "platform/font_engine.h"
#include "site/site_writer.h"

namespace quiral {

namespace {

QString shownFileName(const std::string& path) {
  return QFile::decodeName(std::filesystem::path(path).filename().c_str());
}

// The run's progress: one step per symbol of the library being written.
class SiteProgressDialog final : public QProgressDialog, public SiteObserver {
 public:
  explicit SiteProgressDialog(QWidget* parent)
      : QProgressDialog(QString(), QCoreApplication::translate("SiteExport", "Cancelar"), 0, 1,
                        parent) {
    setObjectName(QStringLiteral("SiteProgress"));
    setWindowTitle(QCoreApplication::translate("SiteExport", "Site (HTML)"));
    setWindowModality(Qt::ApplicationModal);
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(0);
  }

  bool symbolDone(const std::string& library, size_t index, size_t count, size_t done,
                  size_t total) override {
    if (index != shownLibrary_ || done == 1) {
      shownLibrary_ = index;
      setLabelText(QCoreApplication::translate("SiteExport", "Biblioteca %1 de %2: %3")
                       .arg(index + 1)
                       .arg(count)
                       .arg(shownFileName(library)));
      setMaximum(int(total));
    }
    setValue(int(done));
    QCoreApplication::processEvents();
    return !wasCanceled();
  }
  void skipped(const std::string& library, const std::string& reason) override {
    skipped_ << shownFileName(library) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
  }
  void warning(const std::string&, const std::string&) override {}

  const QStringList& skippedLibraries() const { return skipped_; }

 private:
  size_t shownLibrary_ = size_t(-1);
  QStringList skipped_;
};

}  // namespace

bool exportSite(QWidget* parent, Dialogs& dialogs, const QString& outDir,
                const std::vector<std::string>& libraries, const std::string& title) {
  SiteProgressDialog progress(parent);
  progress.show();
  bool cancelled = false;
  const bool written = dialogs.runGuarded(parent, [&] {
    try {
      FontEngine fonts;
      writeSite(libraries, QFile::encodeName(outDir).toStdString(), title, fonts, &progress);
    } catch (const SiteCancelled&) {
      cancelled = true;  // the user's own choice: nothing to report
    }
  });
  progress.hide();
  if (!written || cancelled) return false;
  if (!progress.skippedLibraries().isEmpty())
    dialogs.reportError(parent,
                        QCoreApplication::translate("SiteExport", "Bibliotecas não incluídas:\n") +
                            progress.skippedLibraries().join(QLatin1Char('\n')));
  if (dialogs.askYesNo(parent, QCoreApplication::translate(
                                   "SiteExport", "O site foi gravado em %1.\nAbri-lo no navegador?")
                                   .arg(QDir::toNativeSeparators(outDir))))
    dialogs.openInBrowser(parent, QUrl::fromLocalFile(QDir(outDir).filePath("index.html")));
  return true;
}

}  // namespace quiral
