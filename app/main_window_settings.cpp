// The main window's remembered places: its size and position, the folder, library and component
// on show when it closed, and a "Recentes" menu of the folders used lately.

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "app/main_window.h"
#include "app/unit_chooser.h"
#include "app/window_settings.h"
#include "library/folder_listing.h"
#include "platform/text_codec.h"
#include "render/renderer.h"

namespace quiral {

void TForm1::rememberWith(WindowSettings* settings, bool openRememberedPlace) {
  settings_ = settings;
  if (!settings_) return;
  settings_->restoreGeometry(*this);
  const RememberedPlace place = settings_->place();
  if (openRememberedPlace && !place.folder.isEmpty() && folderExists(place.folder.toStdString())) {
    setStartFolder(place.folder.toStdString(), place.library.toStdString());
    startComponent_ = place.component.toStdString();
    startChoice_ = UnitChoice{place.unit, place.style};
    startZoom_ = place.zoom;
  }
  mirrorRecentFolders();
}

void TForm1::restoreStartView() {
  const std::optional<UnitChoice> choice = std::exchange(startChoice_, std::nullopt);
  const int zoom = std::exchange(startZoom_, 0);
  if (componentOnShow() != QString::fromStdString(startComponent_)) return;
  if (choice && unitChooser_->restoreChoice(*choice)) unitChoiceChanged();
  if (zoom > 0) zoomAround(zoom_.fit(zoom), viewCentre());
}

void TForm1::mirrorRecentFolders() {
  if (!settings_) return;
  if (!recentMenu_) {
    recentMenu_ = menuBar()->addMenu(tr("&Recentes"));
    recentMenu_->setObjectName(QStringLiteral("Recentes1"));
  }
  recentMenu_->clear();
  for (const QString& folder : settings_->recentFolders()) {
    QAction* entry = recentMenu_->addAction(folder);
    connect(entry, &QAction::triggered, this, [this, folder] {
      if (catalogGenerating()) return;
      runThenMirror([&] { showFolder(folder.toStdString()); });
    });
  }
  recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

QString TForm1::componentOnShow() const {
  const ComponentList& components = session_.browser.components();
  if (!components.hasSelection()) return {};
  return QString::fromStdString(aliasShown() ? shownAlias_ : components.selectedEntry());
}

void TForm1::rememberPlace() {
  if (!settings_) return;
  settings_->saveGeometry(*this);
  const std::optional<std::string> library = selectedFileName();
  const UnitChoice choice = unitChooser_->choice();
  settings_->savePlace({QString::fromStdString(folderShown()),
                        library ? QString::fromStdString(*library) : QString(),
                        library ? componentOnShow() : QString(), choice.unit, choice.style,
                        zoom_.percent()});
}

}  // namespace quiral
