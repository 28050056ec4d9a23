#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

class QWidget;

namespace quiral {

// Where the user was when the window closed, for the next start.
struct RememberedPlace {
  QString folder;
  QString library;    // a file name in `folder`
  QString component;  // a symbol or alias name of `library`
  int unit = 1;       // the unit and body style on show (1 is unit A, 2 the De Morgan body)
  int style = 1;
  int zoom = 0;  // the view's zoom in percent; 0 when none was remembered
};

// The main window's remembered state in the desktop's usual place for settings (QSettings): its
// size and position, the last folder, library and component, and the folders used recently.
class WindowSettings {
 public:
  static constexpr int kMostRecentFolders = 8;

  // `settings` must outlive this object; the program passes the application's, tests a file's.
  explicit WindowSettings(QSettings& settings) : settings_(settings) {}

  void saveGeometry(const QWidget& window);
  // Whether a size and position were remembered (and put back).
  bool restoreGeometry(QWidget& window) const;

  void savePlace(const RememberedPlace& place);
  RememberedPlace place() const;

  // The folders used, most recent first, without repeats.
  QStringList recentFolders() const;
  void addRecentFolder(const QString& folder);

 private:
  QSettings& settings_;
};

}  // namespace quiral
