// The symbol view's context menu: copy the drawing on show to the clipboard or export it to a
// file, as the command line writes it, and the zoom commands with their keys; and Ctrl+C on the
// component list, which copies the name on show.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QShortcut>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/symbol_canvas.h"
#include "app/symbol_picture_export.h"
#include "app/unit_chooser.h"
#include "app/user_list_box.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// A menu entry's text with its key shown beside it, for keys that a shortcut of the window
// takes (the menu only says which).
QString withKeys(const QString& text, const QKeySequence& keys) {
  return text + QLatin1Char('\t') + keys.toString(QKeySequence::NativeText);
}

}  // namespace

void TForm1::buildViewMenu() {
  viewMenu_ = new QMenu(this);
  viewMenu_->setObjectName(QStringLiteral("ViewMenu"));
  copyPicture_ = new QAction(tr("&Copiar imagem"), this);
  copyPicture_->setObjectName(QStringLiteral("CopiarImagem1"));
  copyPicture_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  exportPicture_ = new QAction(tr("&Exportar…"), this);
  exportPicture_->setObjectName(QStringLiteral("Exportar1"));
  exportPicture_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  for (QAction* action : {copyPicture_, exportPicture_}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    viewMenu_->addAction(action);
  }
  connect(copyPicture_, &QAction::triggered, this, &TForm1::copyPicture);
  connect(exportPicture_, &QAction::triggered, this, &TForm1::exportPicture);
  viewMenu_->addSeparator();
  const struct {
    const char* text;
    QKeySequence keys;
    void (TForm1::*slot)();
  } zooms[] = {
      {QT_TR_NOOP("&Ampliar"), QKeySequence(Qt::CTRL | Qt::Key_Plus), &TForm1::zoomIn},
      {QT_TR_NOOP("&Reduzir"), QKeySequence(Qt::CTRL | Qt::Key_Minus), &TForm1::zoomOut},
      {QT_TR_NOOP("&Tamanho real (100 %)"), QKeySequence(Qt::CTRL | Qt::Key_0), &TForm1::zoomReset},
      {QT_TR_NOOP("A&justar à vista"), QKeySequence(Qt::CTRL | Qt::Key_9), &TForm1::zoomToFit},
  };
  for (const auto& zoom : zooms)
    connect(viewMenu_->addAction(withKeys(tr(zoom.text), zoom.keys)), &QAction::triggered, this,
            zoom.slot);

  // Ctrl+C on the component list: the name of the symbol or alias on show.
  auto* copyName = new QShortcut(QKeySequence::Copy, ListBox1);
  copyName->setContext(Qt::WidgetShortcut);
  connect(copyName, &QShortcut::activated, this, [this] {
    if (const QString name = componentOnShow(); !name.isEmpty())
      QApplication::clipboard()->setText(name);
  });
}

void TForm1::showViewMenu(const QPoint& globalPosition) {
  const bool drawn = Image2->hasPicture() && !testPageView_;
  copyPicture_->setEnabled(drawn);
  exportPicture_->setEnabled(drawn);
  viewMenu_->popup(globalPosition);
}

const DisplayList* TForm1::pictureOnShow() {
  const std::vector<std::string> block = drawnBlock();
  if (block.empty() || testPageView_ || !zoomRecorder_) return nullptr;
  return &zoomRecorder_->record(block, unitChooser_->choice());
}

void TForm1::copyPicture() {
  const DisplayList* list = pictureOnShow();
  if (!list) return;
  // At the view's zoom: what is on the screen, whole.
  dialogs_.runGuarded(this, [&] {
    QApplication::clipboard()->setMimeData(symbolPictureMime(*list, zoom_.percent() / 100.0));
  });
}

void TForm1::exportPicture() {
  const DisplayList* list = pictureOnShow();
  if (!list) return;
  const QString name = componentOnShow();
  QString fileName = name;
  fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
  const QString suggested =
      QDir(QFile::decodeName(folderShown().c_str())).filePath(fileName + QStringLiteral(".svg"));
  // A copy: the view may draw another symbol while the dialog is open.
  const DisplayList copy = *list;
  exportSymbolPicture(this, dialogs_, copy, suggested, name.toStdString(), zoom_.percent() / 100.0);
}

}  // namespace quiral
