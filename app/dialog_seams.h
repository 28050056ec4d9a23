#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quiral {

// The modal dialogs that event handlers open go through these replaceable functions, so tests can
// answer them (a modal dialog on the offscreen platform would wait forever).

// Shows an error text to the user: by default a critical message box with the application's name
// as its title and a single OK button.
using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;
// Asks for an existing file to open: returns the chosen path, or an empty text when cancelled.
// `filter` is in Qt's form ("Libs (*.lib);;All files (*)").
using OpenFileChooser =
    std::function<QString(QWidget* parent, const QString& startPath, const QString& filter)>;

// Each setter returns the function it replaced, so a test can put it back.
ErrorReporter setErrorReporter(ErrorReporter reporter);
OpenFileChooser setOpenFileChooser(OpenFileChooser chooser);

void reportError(QWidget* parent, const QString& text);
QString chooseFileToOpen(QWidget* parent, const QString& startPath, const QString& filter);

// Runs `operation` and shows whatever it throws in the error box, so nothing escapes into Qt's
// event loop. Returns true when it completed.
bool runGuarded(QWidget* parent, const std::function<void()>& operation);

}  // namespace quiral
