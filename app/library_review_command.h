#pragma once

#include <QString>
#include <string>

class QWidget;

namespace quiral {

class Dialogs;

// Catálogos > "Comparar com…": asks for a second library, reviews the library on show
// (`shownLibrary`, the old side) against it and opens the HTML report in the desktop's browser.
// The report goes to `reportFolder` (made when missing), named after both libraries. Errors are
// shown in the error box; nothing escapes. Returns the report's path, empty when none was made.
QString compareWithAnotherLibrary(QWidget* parent, Dialogs& dialogs,
                                  const std::string& shownLibrary, const QString& reportFolder);

// Where the window puts its review reports: the user's cache folder.
QString defaultReviewFolder();

}  // namespace quiral
