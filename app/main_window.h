#pragma once

#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/symbol_zoom.h"
#include "library/alias_rows.h"
#include "library/folder_listing.h"
#include "platform/font_engine.h"
#include "render/unit_choice.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace quiral {

struct Session;
class CatalogCommands;
class PreviewRegistry;
class CatalogWatch;
enum class CatalogKind;
class TForm3;
class TQR_lista;
class TQRPreviewInterface;
class Dialogs;
class DirectoryListBox;
class FolderPathField;
class FilenameEdit;
class UserListBox;
class SymbolRecorder;
class UnitChooser;
class SymbolSearchBox;
struct SearchChoice;
class SymbolCanvas;
class DisplayList;
class WindowSettings;
class PropertiesTab;
class PinTableTab;

// The main window: browsing drives, folders and library files, the component list, the block memo,
// the drawn symbol and the catalog commands. Its handlers call one core operation each and then
// show the core's state in the widgets; whatever the core throws is shown in the error box.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static const char* const kCaption;

  // With `previews`, every report preview of that registry opens in the program's own window.
  // `dialogs` (the program's, or a test's) must outlive the window and the windows it opens.
  TForm1(Session& session, Dialogs& dialogs, PreviewRegistry* previews = nullptr,
         QWidget* parent = nullptr);
  ~TForm1() override;

  Session& session() { return session_; }

  // The catalog commands' state: CurrentReport, DocumentationPath and zerarparaimprimir.
  CatalogCommands& catalogs() { return *catalogs_; }
  // The two catalogs, made after this window at program start (null, null detaches them).
  void setCatalogReports(TForm3* form3, TQR_lista* lista);

  // The folder the folder list shows (the process's current folder).
  std::string folderShown() const;
  // The file list's selected file name, as the file system spells it.
  std::optional<std::string> selectedFileName() const;
  // What the file list shows; FileListBox1 mirrors it (see mirrorFileList).
  FileList& fileList() { return fileList_; }
  Dialogs& dialogs() { return dialogs_; }
  // The window that the hidden menu entry shows modally.
  void setIndexWindow(QDialog* window);

  // The folders tried at first activation; the first that exists is shown.
  void setDefaultFolderCandidates(std::vector<std::string> folders) {
    defaultFolders_ = std::move(folders);
  }

  // What the first activation opens instead of the default folders: `folder`, and in it the
  // library `libraryName` (when not empty), chosen as a click on it in the file list would.
  void setStartFolder(std::string folder, std::string libraryName = {});

  // Remembers the window's size, place and the place it shows in `settings` (null: nothing is
  // remembered, as in tests), and puts back what was remembered; with `openRememberedPlace` the
  // first activation opens the last folder, library and component instead of the default folder.
  void rememberWith(WindowSettings* settings, bool openRememberedPlace);

  // Shows the core's current state: component list and its selection, memo, view and Label1.
  // Code that changes the session outside these handlers (a catalog run) calls it afterwards.
  void mirrorCore();

 public slots:
  // First activation: shows the default library folder, once.
  void FormActivate();
  // The user chose a file: LoadLibrary.
  void FileListBox1Click();
  // The user chose a component: ShowComponent.
  void ListBox1Click();
  // Hidden loader: lists the components of the file named in FilenameEdit1.
  void B_carregarClick();
  // Hidden test page.
  void B_converterClick();
  void B_linhaClick();
  void B_apagarClick();
  void B_tokensClick();
  // Catalogs: "Catálogo" and Catálogos > Desenhos preview the drawings catalog of the library
  // in use, Catálogos > Lista its list catalog. Each returns once the preview is closed.
  void b_reportClick();
  void Desenhos1Click();
  void Lista1Click();
  // Catálogos > Pasta inteira (PDF vetorial): the fine drawings catalog of every library of the
  // folder shown, in one vector PDF, with a progress dialog that can be cancelled.
  void PastaVetorial1Click();
  // Catálogos > Site (HTML)…: the web catalog of every library of the folder shown, written into
  // a folder chosen by the user, with a progress dialog that can be cancelled.
  void SiteHtml1Click();
  // Catálogos > Comparar com…: the review of the library in use against a second one, opened in
  // the desktop's browser.
  void CompararCom1Click();
  void pag22Click();
  void Sair1Click();
  // Shows the file list's selection after code outside the window moved it; loads nothing.
  void mirrorFileList();
  // The symbol view's zoom (the wheel around the pointer, Ctrl + "+" / "-" around the centre,
  // Ctrl + 0 back to 100 %, Ctrl + 9 to show the whole symbol), drawn as vectors at every zoom.
  void zoomIn();
  void zoomOut();
  void zoomReset();
  void zoomToFit();
  const SymbolZoom& zoom() const { return zoom_; }
  // The unit chooser or the De Morgan switch changed: the symbol is drawn again in that choice.
  void unitChoiceChanged();
  // A name chosen in the index: loads `library` of the folder shown and shows `component`.
  void chooseIndexedComponent(const std::string& library, const std::string& component);
  // A name the symbol search found: its library opened and the component chosen, as by hand.
  void showSearchChoice(const SearchChoice& choice);
  // The view's context menu (main_window_view_menu.cpp): the drawing on show, at the view's
  // zoom, on the clipboard as PNG and SVG, or exported to an SVG, PDF or PNG file.
  void copyPicture();
  void exportPicture();

 signals:
  // Ctrl+F: the user wants to search the folder's index.
  void indexSearchRequested();

  // The window was closed: the program ends.
  void closed();

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildBrowsing(QWidget* client);
  void buildTabs(QWidget* client);
  void buildView(QWidget* client);
  void buildHidden(QWidget* client);
  // At the designed size every control stands at its designed place; a larger window gives its
  // room to the file list, the component list and the symbol view.
  void buildLayout(QWidget* client);
  void buildMenu();
  void buildTabOrder();
  void placeWindow();

  void showFolder(const std::string& folder);
  // Remembered places (main_window_settings.cpp).
  void mirrorRecentFolders();
  void rememberPlace();
  QString componentOnShow() const;
  void openStartLibrary();
  // The remembered unit and zoom, put back once the remembered component is on show.
  void restoreStartView();
  // A folder typed or pasted into the path field, and the library file it named, if any.
  void openTypedPath(const std::string& folder, const std::string& fileName);
  void folderChanged(const std::string& folder);
  void componentChosen(int row);
  // True when the operation completed.
  bool runThenMirror(const std::function<void()>& operation);
  // runThenMirror for an operation that reads the library `fileName` of the folder shown: a
  // failure is said in the window's words, naming the file, and kept for the commands that
  // would use the library (failedRead_).
  bool readLibrary(const std::string& fileName, const std::function<void()>& operation);
  void runCatalog(CatalogKind kind);
  // While a catalog makes its pages it walks the component list and reads the library in use:
  // the controls that would change them, and the catalog commands, do not act meanwhile.
  bool catalogGenerating() const;
  void setBrowsingEnabled(bool enabled);
  void catalogGenerationEnded();
  // Draws the catalog cursor's component afresh, at unit A, with the unit chooser there too.
  void showCatalogCursor();
  void mirrorComponents();
  void mirrorMemo();
  void mirrorView();
  void buildZoom();
  void buildViewMenu();
  void showViewMenu(const QPoint& globalPosition);
  // The display list of the symbol the view draws, or null when it draws none.
  const DisplayList* pictureOnShow();
  // The view (main_window_zoom.cpp): the drawn block's display list at the zoom's scale; a new
  // block opens at 100 %, or fitted when it is larger than the view.
  void showVectorView();
  // Applies a zoom change keeping the drawing's point under `viewportPoint` where it is.
  void zoomAround(bool changed, QPointF viewportPoint);
  QPointF viewCentre() const;
  void mirrorZoomLabel();
  // Wheel zoom, drag panning and the view following the viewport's size.
  bool viewEvent(QObject* watched, QEvent* event);
  // The unit chooser and De Morgan switch below the symbol view.
  void buildUnitChooser(QWidget* client);
  // The symbol search's field above the component list (main_window_search.cpp).
  void buildSymbolSearch();
  // A component was shown: the chooser offers its units, starting at unit A, body style 1.
  void showUnitsOfComponent();

  // Aliases (main_window_aliases.cpp): the component list shows each symbol's aliases after it.
  // Lists the rows of the library in use afresh, aliases read from its file.
  void listComponentRows();
  // The list row that shows the component (or alias) on show; -1 for none.
  int shownRow() const;
  bool aliasShown() const;
  void forgetAlias() { shownAlias_.clear(); }
  // Shows the alias `name` of the library in use when it has one (letter case ignored).
  bool chooseAliasNamed(const std::string& name);
  // The block the view draws: the memo, with the alias's name as value when an alias is shown.
  std::vector<std::string> drawnBlock() const;
  // Draws the drawn block at the chooser's unit in the core's pixel view too.
  void renderDrawnBlock();

  // The "Propriedades" and "Pinos" tabs (main_window_info_tabs.cpp), filled when one is opened.
  void buildInfoTabs();
  void mirrorInfoTabs();

  Session& session_;
  Dialogs& dialogs_;
  PreviewRegistry* previews_ = nullptr;
  std::unique_ptr<CatalogCommands> catalogs_;
  std::unique_ptr<CatalogWatch> catalogWatch_;
  // The preview interface this window registered with the report engine.
  std::weak_ptr<TQRPreviewInterface> previewInterface_;
  bool activated_ = false;
  std::vector<std::string> defaultFolders_;
  FileList fileList_;
  QPointer<QDialog> indexWindow_;
  std::string startLibrary_;
  std::string startComponent_;
  // Why the library last chosen could not be read; empty when it was read.
  QString failedRead_;
  std::optional<UnitChoice> startChoice_;
  int startZoom_ = 0;
  WindowSettings* settings_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::vector<std::string> shownComponents_;
  std::vector<std::string> shownMemo_;
  SymbolZoom zoom_;
  FontEngine zoomFonts_;
  std::unique_ptr<SymbolRecorder> zoomRecorder_;
  UnitChooser* unitChooser_ = nullptr;
  SymbolSearchBox* searchBox_ = nullptr;
  std::vector<ComponentRow> rows_;
  std::string rowsLibrary_;
  // The alias on show, and the component it belongs to.
  std::string shownAlias_;
  int aliasComponent_ = -1;
  PropertiesTab* propertiesTab_ = nullptr;
  PinTableTab* pinTab_ = nullptr;
  // What each info tab shows: the drawn block it was filled from.
  std::vector<std::string> propertiesShown_, pinsShown_;

  // The path field, in the drive box's designed place.
  FolderPathField* DriveComboBox1 = nullptr;
  DirectoryListBox* DLB1 = nullptr;
  UserListBox* FileListBox1 = nullptr;
  QPushButton* b_report = nullptr;
  QTabWidget* TabControl1 = nullptr;
  UserListBox* ListBox1 = nullptr;
  QPlainTextEdit* TextListBox1 = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  SymbolCanvas* Image2 = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QAction* copyPicture_ = nullptr;
  QAction* exportPicture_ = nullptr;
  // The block the view last opened, so that only a new one is opened by the fit rule.
  std::vector<std::string> viewBlock_;
  // The hidden test page drew on the pixel canvas: the view shows it until a component is chosen.
  bool testPageView_ = false;
  bool panning_ = false;
  QPointF panStart_;
  QPoint panScroll_;
  QLabel* image1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* B_carregar = nullptr;
  FilenameEdit* FilenameEdit1 = nullptr;
  QAction* Sair1 = nullptr;
  QMenu* Catlogos1 = nullptr;
  QAction* Desenhos1 = nullptr;
  QAction* Lista1 = nullptr;
  QAction* PastaVetorial1 = nullptr;
  QAction* SiteHtml1 = nullptr;
  QAction* CompararCom1 = nullptr;
  QMenu* pag21 = nullptr;
  QAction* pag22 = nullptr;
};

}  // namespace quiral
