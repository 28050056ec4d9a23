#include "app/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "app/catalog_preview_host.h"
#include "app/catalog_watch.h"
#include "app/default_folder.h"
#include "app/designed_layout.h"
#include "app/dialogs.h"
#include "app/directory_list_box.h"
#include "app/filename_edit.h"
#include "app/folder_path_field.h"
#include "app/prev_form_interface.h"
#include "app/symbol_canvas.h"
#include "app/symbol_search_box.h"
#include "app/unit_chooser.h"
#include "app/user_list_box.h"
#include "app/widget_placement.h"
#include "render/renderer.h"
#include "reports/catalog_commands.h"
#include "vector/symbol_recorder.h"

namespace quiral {

const char* const TForm1::kCaption =
    "Quiral " QUIRAL_VERSION " (20070727d) - Visualizador/Catálogo de componentes p/KiCad";

namespace {

// The window's outer size and place on the screen; the client area is what remains inside a
// frame of 4 pixels, a caption of 19 and a menu bar of 19, and is kept whatever frame and menu bar
// this desktop draws.
constexpr int kLeft = 136;
constexpr int kTop = 108;
constexpr int kClientWidth = 862 - 2 * 4;
constexpr int kClientHeight = 579 - 2 * 4 - 19 - 19;
// The smallest client area: the lists and the symbol view still show a few lines each.
constexpr QSize kMinimumClient(620, 400);
// Of the room a larger window adds, the share that the file list and the tabs take in width (the
// symbol view takes the rest), and the share that the folder and file lists take in height (the
// tabs take the rest; the symbol view takes all of it).
constexpr double kListsWidthShare = 0.3;
constexpr double kFileListsHeightShare = 0.3;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width = 75, int height = 25) {
  auto* b = new QPushButton(caption, parent);
  return place(b, name, left, top, width, height);
}

}  // namespace

TForm1::TForm1(Session& session, Dialogs& dialogs, PreviewRegistry* previews, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      dialogs_(dialogs),
      previews_(previews),
      catalogs_(std::make_unique<CatalogCommands>(session)),
      catalogWatch_(std::make_unique<CatalogWatch>([this] { catalogGenerationEnded(); })),
      defaultFolders_(defaultLibraryFolders()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(tr("Quiral %1 (20070727d) - Visualizador/Catálogo de componentes p/KiCad")
                     .arg(QUIRAL_VERSION));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  buildBrowsing(client);
  buildTabs(client);
  buildView(client);
  buildHidden(client);
  buildLayout(client);
  buildMenu();
  buildTabOrder();
  placeWindow();

  // The lists start at the folder where the program was started (a start folder given later
  // replaces it before the window shows).
  std::vector<std::string> offered{QFile::encodeName(QDir::homePath()).toStdString()};
  offered.insert(offered.end(), defaultFolders_.begin(), defaultFolders_.end());
  DriveComboBox1->setOfferedFolders(offered);
  runThenMirror([this] { showFolder("."); });

  // From now on every report preview opens in the program's own preview window.
  auto previewInterface = std::make_shared<tqrpreviewinterf>(
      std::make_unique<CatalogPreviewHost>(*catalogs_, [this] { showCatalogCursor(); }), dialogs_);
  previewInterface_ = previewInterface;
  if (previews_) previews_->registerPreviewInterface(std::move(previewInterface));
}

TForm1::~TForm1() {
  // The preview windows it opened go with it, before the catalogs they use.
  if (const auto mine = previewInterface_.lock();
      mine && previews_ && previews_->registered() == mine)
    previews_->registerPreviewInterface(nullptr);
}

void TForm1::buildBrowsing(QWidget* client) {
  DriveComboBox1 = place(new FolderPathField(client), "DriveComboBox1", 8, 12, 211, 19);
  DLB1 = place(new DirectoryListBox(dialogs_, client), "DLB1", 8, 39, 145, 119);
  FileListBox1 = place(new UserListBox(client), "FileListBox1", 160, 38, 145, 120);
  b_report = button(client, "b_report", tr("Catálogo"), 227, 10, 77, 25);

  connect(DriveComboBox1, &FolderPathField::folderChosen, this, &TForm1::openTypedPath);
  connect(DLB1, &DirectoryListBox::directoryChanged, this, &TForm1::folderChanged);
  connect(FileListBox1, &UserListBox::userSelected, this, &TForm1::FileListBox1Click);
  connect(b_report, &QPushButton::clicked, this, &TForm1::b_reportClick);
}

void TForm1::buildTabs(QWidget* client) {
  TabControl1 = place(new QTabWidget(client), "TabControl1", 8, 164, 297, 368);

  auto* TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  // The symbol search's field takes the top of the component list's place.
  constexpr int field = SymbolSearchBox::kFieldHeight;
  ListBox1 = place(new UserListBox(TabSheet1), "ListBox1", 9, 3 + field, 269, 328 - field);
  connect(ListBox1, &UserListBox::userSelected, this, &TForm1::componentChosen);
  buildSymbolSearch();

  auto* TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  TextListBox1 = place(new QPlainTextEdit(TabSheet2), "TextListBox1", 3, 8, 281, 327);
  TextListBox1->setReadOnly(true);
  // Read-only, but with a caret: the test page draws the line it stands on.
  TextListBox1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  TextListBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
  TextListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TextListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  auto* converter = button(TabSheet3, "B_converter", tr("Converter"), 8, 8);
  auto* linha = button(TabSheet3, "B_linha", tr("linha"), 8, 40);
  auto* apagar = button(TabSheet3, "B_apagar", tr("apagar"), 8, 72);
  auto* tokens = button(TabSheet3, "B_tokens", tr("Tokens"), 8, 104);
  connect(converter, &QPushButton::clicked, this, &TForm1::B_converterClick);
  connect(linha, &QPushButton::clicked, this, &TForm1::B_linhaClick);
  connect(apagar, &QPushButton::clicked, this, &TForm1::B_apagarClick);
  connect(tokens, &QPushButton::clicked, this, &TForm1::B_tokensClick);

  TabControl1->addTab(TabSheet1, tr("Conteúdo"));
  TabControl1->addTab(TabSheet2, tr("Comandos"));
  TabControl1->addTab(TabSheet3, tr("testes"));
  TabControl1->setTabVisible(2, false);
  buildInfoTabs();
  TabControl1->setCurrentIndex(0);
}

void TForm1::buildView(QWidget* client) {
  ScrollBox1 = place(new QScrollArea(client), "ScrollBox1", 336, 8, 497, 505);
  ScrollBox1->setWidgetResizable(false);
  ScrollBox1->setBackgroundRole(QPalette::Base);
  Image2 = new SymbolCanvas;
  Image2->setObjectName(QStringLiteral("Image2"));
  ScrollBox1->setWidget(Image2);
  ScrollBox1->setAlignment(Qt::AlignCenter);
  ScrollBox1->setFocusPolicy(Qt::StrongFocus);
  // The view shows when it has the focus (its keys zoom, pan and step units): its frame takes
  // the highlight colour then, at the same width.
  ScrollBox1->setStyleSheet(
      QStringLiteral("QScrollArea#ScrollBox1 { border: 2px solid palette(mid); }"
                     "QScrollArea#ScrollBox1:focus { border: 2px solid palette(highlight); }"));
  buildZoom();
  buildViewMenu();
  buildUnitChooser(client);
}

void TForm1::buildHidden(QWidget* client) {
  // The drawing canvas itself lives in the renderer; this stand-in only keeps the control's place.
  image1 =
      place(new QLabel(client), "image1", 311, 22, Renderer::kCanvasSize, Renderer::kCanvasSize);
  image1->hide();
  Label1 = place(new QLabel(client), "Label1", 175, 15, 60, 13);
  Label1->hide();
  B_carregar = button(client, "B_carregar", tr("Carregar"), 265, 196);
  B_carregar->hide();
  connect(B_carregar, &QPushButton::clicked, this, &TForm1::B_carregarClick);
  FilenameEdit1 = place(new FilenameEdit(dialogs_, client), "FilenameEdit1", 140, 222, 201, 21);
  FilenameEdit1->setFilter(tr("Libs|*.lib|All files (*.*)|*.*"));
  FilenameEdit1->hide();
}

void TForm1::buildLayout(QWidget* client) {
  constexpr double w = kListsWidthShare;
  constexpr double h = kFileListsHeightShare;
  auto* layout = new DesignedLayout(client, QSize(kClientWidth, kClientHeight), kMinimumClient);
  layout->add(DriveComboBox1, {.growX = w});
  layout->add(DLB1, {.growY = h});
  layout->add(FileListBox1, {.growX = w, .growY = h});
  layout->add(b_report, {.moveX = w});
  layout->add(TabControl1, {.growX = w, .moveY = h, .growY = 1 - h});
  layout->add(ScrollBox1, {.moveX = w, .growX = 1 - w, .growY = 1});
  layout->add(unitChooser_, {.moveX = w, .growX = 1 - w, .moveY = 1});
  layout->add(zoomLabel_, {.moveX = 1, .moveY = 1});
  // The component list and the memo fill more of their pages as the tabs grow.
  for (QWidget* list : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(TextListBox1)}) {
    auto* page = new DesignedLayout(list->parentWidget(), {}, {});
    page->growWith(TabControl1, TabControl1->geometry().size());
    page->add(list, {.growX = 1, .growY = 1});
  }
}

void TForm1::buildMenu() {
  QMenuBar* MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  Sair1 = MainMenu1->addAction(tr("&Sair"));
  Sair1->setObjectName(QStringLiteral("Sair1"));
  connect(Sair1, &QAction::triggered, this, &TForm1::Sair1Click);

  Catlogos1 = MainMenu1->addMenu(tr("&Catálogos"));
  Catlogos1->setObjectName(QStringLiteral("Catlogos1"));
  Desenhos1 = Catlogos1->addAction(tr("&Desenhos"));
  Desenhos1->setObjectName(QStringLiteral("Desenhos1"));
  Lista1 = Catlogos1->addAction(tr("&Lista"));
  Lista1->setObjectName(QStringLiteral("Lista1"));
  connect(Desenhos1, &QAction::triggered, this, &TForm1::Desenhos1Click);
  connect(Lista1, &QAction::triggered, this, &TForm1::Lista1Click);
  PastaVetorial1 = Catlogos1->addAction(tr("&Pasta inteira (PDF vetorial)…"));
  PastaVetorial1->setObjectName(QStringLiteral("PastaVetorial1"));
  connect(PastaVetorial1, &QAction::triggered, this, &TForm1::PastaVetorial1Click);
  SiteHtml1 = Catlogos1->addAction(tr("&Site (HTML)…"));
  SiteHtml1->setObjectName(QStringLiteral("SiteHtml1"));
  connect(SiteHtml1, &QAction::triggered, this, &TForm1::SiteHtml1Click);
  CompararCom1 = Catlogos1->addAction(tr("C&omparar com…"));
  CompararCom1->setObjectName(QStringLiteral("CompararCom1"));
  connect(CompararCom1, &QAction::triggered, this, &TForm1::CompararCom1Click);

  pag21 = MainMenu1->addMenu(tr("pag2"));
  pag21->setObjectName(QStringLiteral("pag21"));
  pag21->menuAction()->setVisible(false);
  pag22 = pag21->addAction(tr("pag2"));
  pag22->setObjectName(QStringLiteral("pag22"));
  pag22->setVisible(false);
  connect(pag22, &QAction::triggered, this, &TForm1::pag22Click);

  // Finding a symbol: the search field above the component list, and the folder's index.
  QMenu* find = MainMenu1->addMenu(tr("&Localizar"));
  find->setObjectName(QStringLiteral("LocalizarMenu1"));
  QAction* field =
      find->addAction(tr("&Buscar em todas as bibliotecas") + QLatin1Char('\t') +
                      QKeySequence(Qt::CTRL | Qt::Key_K).toString(QKeySequence::NativeText));
  field->setObjectName(QStringLiteral("Buscar1"));
  connect(field, &QAction::triggered, searchBox_, &SymbolSearchBox::focusField);
  auto* search = find->addAction(tr("Índice da &pasta…"));
  search->setObjectName(QStringLiteral("Localizar1"));
  search->setShortcut(QKeySequence::Find);
  search->setShortcutContext(Qt::WindowShortcut);
  addAction(search);
  connect(search, &QAction::triggered, this, &TForm1::indexSearchRequested);
}

void TForm1::buildTabOrder() {
  // The reading order: the path and the button beside it, the folders, the files, the search
  // field and the components, the symbol view, the unit and body style below it.
  QWidget* const order[] = {
      DriveComboBox1, b_report,    DLB1,
      FileListBox1,   TabControl1, searchBox_->field(),
      ListBox1,       ScrollBox1,  unitChooser_->findChild<QWidget*>(QStringLiteral("CB_unidade"))};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TForm1::placeWindow() {
  move(kLeft, kTop);
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

}  // namespace quiral
