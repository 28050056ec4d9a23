#include "app/library_review_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "app/dialogs.h"
#include "review/library_review.h"
#include "review/review_report.h"

namespace quiral {

QString defaultReviewFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
      .filePath(QStringLiteral("reviews"));
}

QString compareWithAnotherLibrary(QWidget* parent, Dialogs& dialogs,
                                  const std::string& shownLibrary, const QString& reportFolder) {
  if (shownLibrary.empty()) {
    dialogs.reportError(
        parent, QCoreApplication::translate("LibraryReview", "Nenhuma biblioteca selecionada"));
    return QString();
  }
  const QString shown = QFile::decodeName(shownLibrary.c_str());
  const QString chosen = dialogs.chooseFileToOpen(
      parent, QFileInfo(shown).absolutePath(),
      QCoreApplication::translate("LibraryReview",
                                  "Bibliotecas (*.lib *.kicad_sym);;Todos os arquivos (*)"));
  if (chosen.isEmpty()) return QString();
  const QString report =
      QDir(reportFolder)
          .filePath(QFileInfo(shown).completeBaseName() + QStringLiteral("-x-") +
                    QFileInfo(chosen).completeBaseName() + QStringLiteral(".html"));
  const bool made = dialogs.runGuarded(parent, [&] {
    QDir().mkpath(reportFolder);
    const std::string other = QFile::encodeName(chosen).toStdString();
    const Review review = reviewPaths(shownLibrary, other);
    writeReviewReport(review, shownLibrary, other, QFile::encodeName(report).toStdString());
  });
  if (!made) return QString();
  dialogs.openInBrowser(parent, QUrl::fromLocalFile(report));
  return report;
}

}  // namespace quiral
