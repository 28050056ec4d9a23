#include "app/fine_catalog_export.h"

#include <QCoreApplication>
#include <QFile>
#include <QProgressDialog>
#include <algorithm>
#include <climits>
#include <filesystem>

#include "app/dialogs.h"
#include "app/window_language.h"
#include "platform/font_engine.h"
#include "reports/fine_catalog_run.h"

namespace quiral {

namespace {

QString shownFileName(const std::string& path) {
  return QFile::decodeName(std::filesystem::path(path).filename().c_str());
}

// The steps of the bar a library takes: the bar shows the whole run, each library an equal part
// of it, filled as its cells are drawn.
constexpr int kStepsPerLibrary = 1000;

// The run's progress: the libraries done, and the cells of the one being drawn.
class FineProgressDialog final : public QProgressDialog, public FineRunObserver {
 public:
  explicit FineProgressDialog(QWidget* parent)
      : QProgressDialog(QString(), QCoreApplication::translate("FineCatalogExport", "Cancelar"), 0,
                        1, parent) {
    setObjectName(QStringLiteral("FineProgress"));
    setWindowTitle(QCoreApplication::translate("FineCatalogExport", "PDF vetorial"));
    setWindowModality(Qt::ApplicationModal);
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(0);
  }

  bool cellDone(const std::string& library, size_t index, size_t count, size_t done,
                size_t total) override {
    if (index != shownLibrary_ || done == 1) {
      shownLibrary_ = index;
      setLabelText(QCoreApplication::translate("FineCatalogExport", "Biblioteca %1 de %2: %3")
                       .arg(index + 1)
                       .arg(count)
                       .arg(shownFileName(library)));
      setMaximum(int(std::min<size_t>(count, INT_MAX / kStepsPerLibrary)) * kStepsPerLibrary);
    }
    const size_t cells = total == 0 ? 0 : std::min(done, total) * kStepsPerLibrary / total;
    setValue(int(std::min<size_t>(index * kStepsPerLibrary + cells, size_t(maximum()))));
    QCoreApplication::processEvents();
    return !wasCanceled();
  }

  void skipped(const std::string& library, const std::string& reason) override {
    skipped_ << shownFileName(library) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
  }

  const QStringList& skippedLibraries() const { return skipped_; }

 private:
  size_t shownLibrary_ = size_t(-1);
  QStringList skipped_;
};

}  // namespace

bool exportFineCatalog(QWidget* parent, Dialogs& dialogs, const QString& out, FineCatalogKind kind,
                       const std::vector<std::string>& libraries, const std::string& shownName,
                       bool skipUnreadable) {
  FineProgressDialog progress(parent);
  progress.show();
  bool cancelled = false;
  const bool written = dialogs.runGuarded(parent, [&] {
    try {
      FontEngine fonts;
      writeFineCatalog(QFile::encodeName(out).toStdString(), kind, fonts, libraries, shownName,
                       skipUnreadable, &progress, FineUnitPictures::AllUnits, LookName::KiCad,
                       windowLanguage());
    } catch (const FineCatalogCancelled&) {
      cancelled = true;  // the user's own choice: nothing to report
    }
  });
  progress.hide();
  if (!written || cancelled) return false;
  if (!progress.skippedLibraries().isEmpty())
    dialogs.reportError(
        parent, QCoreApplication::translate("FineCatalogExport", "Bibliotecas não incluídas:\n") +
                    progress.skippedLibraries().join(QLatin1Char('\n')));
  return true;
}

}  // namespace quiral
