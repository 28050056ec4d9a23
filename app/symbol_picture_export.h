#pragma once

#include <QString>
#include <string>

class QMimeData;
class QWidget;

namespace quiral {

class Dialogs;
class DisplayList;

// The symbol on show as the clipboard holds it: a PNG image `scale` times the pixel view's size
// (as an image and as image/png bytes) and the SVG drawing (image/svg+xml), both as
// `quiral-cli render` writes them.
QMimeData* symbolPictureMime(const DisplayList& list, double scale);

// "Exportar…": asks for a file starting at `suggested` and writes the symbol there as SVG, PDF
// (titled `title`) or PNG (at a scale the user chooses, `pngScale` times the pixel view's size
// offered), chosen by the file's extension (SVG when it has none), through the command line's
// writers. Returns the path
// written, or an empty text when cancelled or refused (the reason shown through `dialogs`).
QString exportSymbolPicture(QWidget* parent, Dialogs& dialogs, const DisplayList& list,
                            const QString& suggested, const std::string& title, double pngScale);

}  // namespace quiral
