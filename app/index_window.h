#pragma once

#include <QDialog>
#include <memory>

#include "catalog/catalog_index.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace quiral {

class Dialogs;
class FileList;
class IndexTableModel;
class TForm1;

// The catalog index window: builds the index of every library file that the main window's file
// list shows, lists the names, finds a name by its beginning and shows the block a name belongs
// to. The index lives as long as the window, so the last build is there each time it is shown.
// The data controls show the current block row; what is typed into them changes that row only.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  // `files` is the main window's file list, which the build walks.
  // `dialogs` must outlive the window.
  TForm2(FileList& files, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TForm2() override;

  CatalogIndex& index() { return index_; }

 public slots:
  // Build (BitBtn1).
  void BitBtn1Click();
  // Search for the text of Edit1 (BitBtn2, "Localizar").
  void BitBtn2Click();
  // A click on a cell of the names grid: its block is shown.
  void DBGrid2CellClick(int row);
  // A click on a column title of the names grid: the names are sorted on it.
  void DBGrid2TitleClick(int column);
  // Ctrl+F in the main window: shows the window with the index of the folder listed now, built
  // first when no build has read that listing.
  void openForSearch();

 signals:
  // The build moved the file list's selection.
  void fileListWalked();
  // A double click or Enter on a name: the main window is to show it (currentComponent()).
  void componentChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void connectDataControls();
  // Shows the index's state: counts, the current name row and the current block row.
  void mirrorIndex();
  void mirrorCurrentName();
  void mirrorCurrentBlock();
  // Stores what was typed into a data control in the current block row.
  void storeTyped(size_t field, const QString& text);
  void storeTypedElementos(const QString& text);
  void chooseName(int row);

  FileList& files_;
  Dialogs& dialogs_;
  CatalogIndex index_;
  std::unique_ptr<IndexTableModel> names_;

  QPushButton* BitBtn1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QTableView* DBGrid2 = nullptr;
  QLineEdit* DBEdit2 = nullptr;
  QLineEdit* DBEdit3 = nullptr;
  QPlainTextEdit* DBMemo1 = nullptr;
  QLabel* DBEdit1 = nullptr;
};

// Makes the catalog index window over the main window's file list: the main window's hidden menu
// entry shows it modally, and its builds' file list walks show in the main window's file list.
std::unique_ptr<TForm2> createIndexWindow(TForm1& mainWindow);

}  // namespace quiral
