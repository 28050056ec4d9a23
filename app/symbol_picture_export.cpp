#include "app/symbol_picture_export.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <algorithm>
#include <optional>

#include "app/dialogs.h"
#include "app/prev_form.h"
#include "platform/display_list.h"
#include "render/coordinate_map.h"
#include "vector/picture_frame.h"
#include "vector/svg_writer.h"
#include "vector/symbol_files.h"

namespace quiral {

namespace {

// The scales a PNG may be exported at.
constexpr double kSmallestScale = 0.1;
constexpr double kLargestScale = 16;

QByteArray bytesOf(const std::string& text) {
  return QByteArray(text.data(), qsizetype(text.size()));
}

}  // namespace

QMimeData* symbolPictureMime(const DisplayList& list, double scale) {
  auto* mime = new QMimeData;
  const QByteArray png = bytesOf(symbolPng(list, scale));
  mime->setImageData(QImage::fromData(png, "PNG"));
  mime->setData(QStringLiteral("image/png"), png);
  mime->setData(QStringLiteral("image/svg+xml"), bytesOf(symbolSvg(list, kSymbolMargin)));
  return mime;
}

QString exportSymbolPicture(QWidget* parent, Dialogs& dialogs, const DisplayList& list,
                            const QString& suggested, const std::string& title, double pngScale) {
  const QString filter = QCoreApplication::translate(
      "SymbolPictureExport", "Imagem SVG (*.svg);;PDF (*.pdf);;Imagem PNG (*.png)");
  const QString chosen = dialogs.chooseFileToSave(parent, suggested, filter, QStringLiteral("svg"));
  if (chosen.isEmpty()) return QString();
  const QString path = withDefaultExtension(chosen, QStringLiteral("svg"));
  const QString extension = QFileInfo(path).suffix().toLower();
  if (extension != QLatin1String("svg") && extension != QLatin1String("pdf") &&
      extension != QLatin1String("png")) {
    dialogs.reportError(
        parent, QCoreApplication::translate("SymbolPictureExport",
                                            "%1: escolha um nome terminado em .svg, .pdf ou .png")
                    .arg(QFileInfo(path).fileName()));
    return QString();
  }
  // A PNG's scale is the user's to choose; the view's zoom is offered.
  std::optional<double> scale = pngScale;
  if (extension == QLatin1String("png")) {
    // At most what the PNG writer takes: kMaxRasterSide pixels a side.
    const PictureBox box = pictureBox(list, kSymbolMargin);
    const double sideAtOne = std::max({box.width, box.height, 1.0}) / kUnitsPerPixel;
    const double largest = std::clamp(kMaxRasterSide / sideAtOne, kSmallestScale, kLargestScale);
    scale = dialogs.askNumber(
        parent,
        QCoreApplication::translate("SymbolPictureExport", "Escala da imagem PNG (1 = 100 %):"),
        std::clamp(pngScale, kSmallestScale, largest), kSmallestScale, largest, 2);
    if (!scale) return QString();
  }
  if (!dialogs.mayWriteFile(parent, path)) return QString();
  const std::string file = QFile::encodeName(path).toStdString();
  const bool written = dialogs.runGuarded(parent, [&] {
    if (extension == QLatin1String("svg"))
      writeSymbolSvg(list, file);
    else if (extension == QLatin1String("pdf"))
      writeSymbolPdf(list, file, title);
    else
      writeSymbolPng(list, file, *scale);
  });
  return written ? path : QString();
}

}  // namespace quiral
