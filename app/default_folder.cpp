#include "app/default_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QStorageInfo>

#include "library/library_browser.h"

namespace quiral {

std::string libraryFolderOnVolumeOf(const std::string& programFolder) {
  const QStorageInfo volume(QFile::decodeName(QByteArray::fromStdString(programFolder)));
  const QByteArray root = volume.isValid() ? QFile::encodeName(volume.rootPath()) : QByteArray();
  if (root.isEmpty()) return "/kicad/library";
  return joinPath(root.toStdString(), "kicad/library");
}

std::vector<std::string> defaultLibraryFolders() {
  const std::string programFolder =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  // KiCad 5 installs its libraries in library/, later versions only the modern ones in symbols/.
  return {libraryFolderOnVolumeOf(programFolder), "/usr/share/kicad/library",
          "/usr/share/kicad/symbols"};
}

}  // namespace quiral
