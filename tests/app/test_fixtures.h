#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <string>

#include "app/dialog_seams.h"

namespace quiral::testing {

// Writes `bytes` to `folder`/`name`, creating folders on the way; fails the test when it cannot.
void writeFile(const QString& folder, const QString& name, const std::string& bytes);

// Catches what the error box would show, for as long as it lives.
class ErrorCatcher {
 public:
  ErrorCatcher();
  ~ErrorCatcher();
  const QStringList& messages() const { return messages_; }

 private:
  QStringList messages_;
  ErrorReporter previous_;
};

// Puts the process's current folder back when the test ends (the folder list moves it).
class CurrentFolderGuard {
 public:
  CurrentFolderGuard();
  ~CurrentFolderGuard();

 private:
  std::string saved_;
};

// What the error box shows for a failed file: its path and the platform's text for the errno.
QString platformText(const QString& path, int errorNumber);

// True when the image has a pixel that is not white.
bool hasInk(const QImage& image);

}  // namespace quiral::testing
