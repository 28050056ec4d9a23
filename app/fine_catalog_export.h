#pragma once

#include <QString>
#include <string>
#include <vector>

#include "reports/fine_catalog.h"

class QWidget;

namespace quiral {

class Dialogs;

// Writes the fine (vector) catalog of `libraries` to `out`, titled after `shownName`, while a
// progress dialog (objectName "FineProgress") shows the library and cell being drawn. The dialog
// is application-modal and the event loop runs after every cell, so the windows repaint and the
// dialog's "Cancelar" is heard; a cancel leaves no file and no temporary. With `skipUnreadable`
// a library that cannot be read is left out and named in a message afterwards. Failures go to the
// error box of `dialogs`. Returns true when the file was written.
bool exportFineCatalog(QWidget* parent, Dialogs& dialogs, const QString& out, FineCatalogKind kind,
                       const std::vector<std::string>& libraries, const std::string& shownName,
                       bool skipUnreadable);

}  // namespace quiral
