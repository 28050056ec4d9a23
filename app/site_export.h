#pragma once

#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace quiral {

class Dialogs;

// Writes the web catalog of `libraries` into the folder `outDir`, titled `title`, while a
// progress dialog (objectName "SiteProgress") shows the library and symbol being written; its
// "Cancelar" stops the run and leaves the folder as it was. Libraries left out are named in a
// message afterwards; failures go to the error box of `dialogs`. When the site is written, offers
// to open its index page in the desktop's browser. Returns true when the site was written.
bool exportSite(QWidget* parent, Dialogs& dialogs, const QString& outDir,
                const std::vector<std::string>& libraries, const std::string& title);

}  // namespace quiral
