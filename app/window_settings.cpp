#include "app/window_settings.h"

#include <QWidget>

namespace quiral {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kFolder = QStringLiteral("place/folder");
const QString kLibrary = QStringLiteral("place/library");
const QString kComponent = QStringLiteral("place/component");
const QString kUnit = QStringLiteral("place/unit");
const QString kStyle = QStringLiteral("place/style");
const QString kZoom = QStringLiteral("place/zoom");
const QString kRecent = QStringLiteral("place/recentFolders");

}  // namespace

void WindowSettings::saveGeometry(const QWidget& window) {
  settings_.setValue(kGeometry, window.saveGeometry());
}

bool WindowSettings::restoreGeometry(QWidget& window) const {
  const QByteArray geometry = settings_.value(kGeometry).toByteArray();
  return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void WindowSettings::savePlace(const RememberedPlace& place) {
  settings_.setValue(kFolder, place.folder);
  settings_.setValue(kLibrary, place.library);
  settings_.setValue(kComponent, place.component);
  settings_.setValue(kUnit, place.unit);
  settings_.setValue(kStyle, place.style);
  settings_.setValue(kZoom, place.zoom);
  if (!place.folder.isEmpty()) addRecentFolder(place.folder);
}

RememberedPlace WindowSettings::place() const {
  return {settings_.value(kFolder).toString(),    settings_.value(kLibrary).toString(),
          settings_.value(kComponent).toString(), settings_.value(kUnit, 1).toInt(),
          settings_.value(kStyle, 1).toInt(),     settings_.value(kZoom, 0).toInt()};
}

QStringList WindowSettings::recentFolders() const {
  return settings_.value(kRecent).toStringList();
}

void WindowSettings::addRecentFolder(const QString& folder) {
  QStringList folders = recentFolders();
  folders.removeAll(folder);
  folders.prepend(folder);
  while (folders.size() > kMostRecentFolders) folders.removeLast();
  settings_.setValue(kRecent, folders);
}

}  // namespace quiral
