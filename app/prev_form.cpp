#include "app/prev_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>

#include "app/button_icons.h"
#include "app/designed_layout.h"
#include "app/dialogs.h"
#include "app/qr_preview.h"
#include "app/widget_placement.h"

namespace quiral {

const char* const TPrevForm::kDefaultCaption =
    QT_TRANSLATE_NOOP("quiral::TPrevForm", "Visão Prévia da Impressão");

const char* const TPrevForm::kZoomItems[7] = {
    "  25  %",
    "  50  %",
    " 100 %",
    " 150 %",
    " 200 %",
    QT_TRANSLATE_NOOP("quiral::TPrevForm", "Página inteira"),
    QT_TRANSLATE_NOOP("quiral::TPrevForm", "Largura da Página"),
};

namespace {

constexpr int kWidth = 716;
constexpr int kHeight = 612;
constexpr int kPanelHeight = 42;
// Typed zooms above this are brought down to it (the items go to 200, fitting may go further).
constexpr int kMaxTypedZoom = 500;
// The items 0 to 4 fit the whole page and then set these zooms.
constexpr int kItemZooms[5] = {25, 50, 100, 150, 200};
constexpr int kFitPageItem = 5;
constexpr int kFitWidthItem = 6;

QPushButton* pictureButton(QWidget* parent, const char* name, const QIcon& icon,
                           const QString& hint, int left, int top) {
  auto* b = place(new QPushButton(parent), name, left, top, 30, 25);
  b->setIcon(icon);
  b->setToolTip(hint);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

QString withDefaultExtension(const QString& path, const QString& suffix) {
  const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
  if (path.indexOf(QLatin1Char('.'), nameStart + 1) >= 0) return path;
  return path + QLatin1Char('.') + suffix;
}

int zoomFromText(const QString& text) {
  QString digits = text;
  digits.remove(QLatin1Char(' ')).remove(QLatin1Char('%'));
  // A sign and decimal digits only, read without the locale; anything else (or a number too
  // large for an int) is not a zoom.
  constexpr int kNotANumber = 100;
  qsizetype i = 0;
  const bool negative = !digits.isEmpty() && digits[0] == QLatin1Char('-');
  if (!digits.isEmpty() && (digits[0] == QLatin1Char('-') || digits[0] == QLatin1Char('+'))) ++i;
  if (i == digits.size()) return kNotANumber;
  int64_t value = 0;
  for (; i < digits.size(); ++i) {
    const char16_t c = digits[i].unicode();
    if (c < u'0' || c > u'9') return kNotANumber;
    value = value * 10 + (c - u'0');
    if (value > int64_t(INT32_MAX) + 1) return kNotANumber;
  }
  if (negative) value = -value;
  return value > INT32_MAX ? kNotANumber : int(value);
}

TPrevForm::TPrevForm(PreviewHost* host, TQRPrinter* printer, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), printer_(printer), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PrevForm"));
  setWindowTitle(tr(kDefaultCaption));
  setFont(QFont(QStringLiteral("System"), 10));
  resize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  buildPanel();
  buildShortcuts();
  QRPreview1 = new TQRPreview(this);
  QRPreview1->setObjectName(QStringLiteral("QRPreview1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(QRPreview1, 1);

  connect(QRPreview1, &TQRPreview::pageAvailable, this, &TPrevForm::QRPreview1PageAvailable);
  connect(QRPreview1, &TQRPreview::pageUnpaintable, this,
          [this](const QString& reason) { dialogs_.reportError(this, reason); });
  connect(QRPreview1, &TQRPreview::pagesReplaced, this, &TPrevForm::pagesReplaced);
  connect(QRPreview1, &TQRPreview::generationEnded, this, &TPrevForm::updateExportControls);
  // A preview ended elsewhere leaves no window behind on its pages.
  connect(QRPreview1, &TQRPreview::previewClosed, this, &QWidget::close);
  connect(SpinEdit1, &QSpinBox::valueChanged, this, &TPrevForm::SpinEdit1Change);
  connect(CB_zoom, &QComboBox::activated, this, &TPrevForm::CB_zoomChange);
  connect(SB_imprimir, &QToolButton::clicked, this, &TPrevForm::SB_imprimirClick);
  connect(bb_salvar, &QPushButton::clicked, this, &TPrevForm::bb_salvarClick);
  connect(BB_ler, &QPushButton::clicked, this, &TPrevForm::BB_lerClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TPrevForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TPrevForm::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TPrevForm::BitBtn3Click);

  if (printer_) {
    QRPreview1->setQRPrinter(printer_);
    if (!printer_->title().empty()) setWindowTitle(QString::fromStdString(printer_->title()));
    // Pages made before the window (a modal preview) must be reachable too.
    if (printer_->pageCount() > 0) pagesReplaced(printer_->pageCount());
  }
  updateExportControls();
}

TPrevForm::~TPrevForm() {
  detachPrinter();
}

void TPrevForm::buildPanel() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(kPanelHeight);

  Label1 = placeLabel(Panel1, "Label1", tr("&Página"), 8, 8);
  SpinEdit1 = place(new QSpinBox(Panel1), "SpinEdit1", 58, 4, 57, 26);
  Label1->setBuddy(SpinEdit1);
  SpinEdit1->setRange(1, 1);
  Label2 = placeLabel(Panel1, "Label2", tr("de "), 124, 10);
  Label3 = placeLabel(Panel1, "Label3", tr("&Zoom"), 166, 10);

  CB_zoom = place(new QComboBox(Panel1), "CB_zoom", 211, 6, 145, 24);
  Label3->setBuddy(CB_zoom);
  CB_zoom->setEditable(true);
  CB_zoom->setInsertPolicy(QComboBox::NoInsert);
  CB_zoom->setCompleter(nullptr);  // what is typed stays as typed until Enter
  for (const char* item : kZoomItems) CB_zoom->addItem(tr(item));
  CB_zoom->setCurrentIndex(-1);
  // Keys reach the box itself (it hands them on to its editor) or, in tests and input methods,
  // the editor directly: Enter is caught at both.
  CB_zoom->installEventFilter(this);
  CB_zoom->lineEdit()->installEventFilter(this);

  SB_imprimir = place(new QToolButton(Panel1), "SB_imprimir", 400, 6, 30, 25);
  SB_imprimir->setAutoRaise(true);  // flat
  SB_imprimir->setIcon(printButtonIcon());
  SB_imprimir->setToolTip(tr("Imprimir"));
  bb_salvar = pictureButton(Panel1, "bb_salvar", saveButtonIcon(), tr("Gravar"), 432, 6);
  BB_ler = pictureButton(Panel1, "BB_ler", openButtonIcon(), tr("Ler"), 464, 6);
  BitBtn1 = place(new QPushButton(tr("&Sair"), Panel1), "BitBtn1", 512, 6, 54, 25);
  BitBtn2 = place(new QPushButton(tr("&PDF"), Panel1), "BitBtn2", 586, 7, 47, 25);
  BitBtn3 = place(new QPushButton(tr("PDF &vetorial"), Panel1), "BitBtn3", 637, 7, 75, 25);
  BitBtn3->setToolTip(tr("Catálogo em PDF vetorial, pesquisável"));
  layOutPanel();
}

void TPrevForm::layOutPanel() {
  // The panel's texts are wider in the fonts used here than in the designed widths ("de 1351",
  // a spinner of four digits, "PDF vetorial"): each control is at least as wide as its text, the
  // controls after it in the row move right only as far as they must to stay apart, and buttons
  // close up where the row would run past the window's edge.
  auto* row = new DesignedLayout(Panel1, QSize(kWidth, kPanelHeight), QSize(0, kPanelHeight));
  QWidget* before = nullptr;
  for (QWidget* control :
       std::initializer_list<QWidget*>{Label1, SpinEdit1, Label2, Label3, CB_zoom, SB_imprimir,
                                       bb_salvar, BB_ler, BitBtn1, BitBtn2, BitBtn3}) {
    row->add(control, {}, {.after = before, .fitText = true});
    before = control;
  }
}

void TPrevForm::buildShortcuts() {
  // Each key acts as its button would: a disabled button ignores it.
  const std::pair<QKeySequence, QAbstractButton*> buttonKeys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_P), SB_imprimir},
      {QKeySequence(Qt::CTRL | Qt::Key_S), bb_salvar},
      {QKeySequence(Qt::CTRL | Qt::Key_O), BB_ler},
  };
  for (const auto& [key, button] : buttonKeys)
    connect(new QShortcut(key, this), &QShortcut::activated, button, &QAbstractButton::click);
  const std::pair<Qt::Key, std::function<int()>> pageKeys[] = {
      {Qt::Key_PageDown, [this] { return SpinEdit1->value() + 1; }},
      {Qt::Key_PageUp, [this] { return SpinEdit1->value() - 1; }},
      {Qt::Key_Home, [this] { return SpinEdit1->minimum(); }},
      {Qt::Key_End, [this] { return SpinEdit1->maximum(); }},
  };
  for (const auto& [key, page] : pageKeys)
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
            [this, page = page] { goToPage(page()); });
  // Ctrl + "+" / "-": the next zoom step, as in the symbol view.
  const std::pair<QKeySequence, int> zoomKeys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_Equal), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_Minus), -1},
  };
  for (const auto& [key, direction] : zoomKeys)
    connect(new QShortcut(key, this), &QShortcut::activated, this,
            [this, direction = direction] { stepZoom(direction); });
}

void TPrevForm::stepZoom(int direction) {
  static constexpr int kSteps[] = {10, 25, 50, 75, 100, 150, 200, 300, 400, 600, 800};
  const int zoom = QRPreview1->zoom();
  int next = zoom;
  for (int step : kSteps) {
    if (direction > 0 && step > zoom) {
      next = step;
      break;
    }
    if (direction < 0 && step < zoom) next = step;
  }
  QRPreview1->setZoom(next);
  CB_zoom->setEditText(QString::number(QRPreview1->zoom()) + QStringLiteral(" %"));
}

void TPrevForm::goToPage(int page) {
  SpinEdit1->setValue(page);
}

void TPrevForm::detachPrinter() {
  if (!printer_) return;
  QRPreview1->setQRPrinter(nullptr);
  TQRPrinter* printer = printer_;
  printer_ = nullptr;
  printer->closePreview();  // closed without a close event: the engine's wait still ends
  updateExportControls();
}

// ----- window events -----

void TPrevForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TPrevForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TPrevForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TPrevForm::closeEvent(QCloseEvent* event) {
  detachPrinter();
  QWidget::closeEvent(event);
}

void TPrevForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    BitBtn1->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TPrevForm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == CB_zoom || watched == CB_zoom->lineEdit()) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      CB_zoomKeyPress();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TPrevForm::FormShow() {
  SpinEdit1->setValue(1);
  QRPreview1->setPageNumber(1);
  QRPreview1->setZoom(100);
  CB_zoom->setEditText(QStringLiteral("100 %"));
  // The keys act on the page first: arrows scroll it.
  QRPreview1->setFocus(Qt::OtherFocusReason);
}

void TPrevForm::FormActivate() {
  showPageCount(printer_ ? printer_->pageCount() : 0);
}

void TPrevForm::FormResize() {
  // Keeps the zoom the user has, whatever fitting would give at the new size.
  const int zoom = QRPreview1->zoom();
  QRPreview1->zoomToFit();
  QRPreview1->setZoom(zoom);
}

// ----- pages -----

void TPrevForm::showPageCount(int pageCount) {
  Label2->setText(tr("de ") + QString::number(pageCount));
}

void TPrevForm::QRPreview1PageAvailable(int pageCount) {
  SpinEdit1->setMaximum(pageCount);
  showPageCount(pageCount);
  SpinEdit1->setMinimum(1);
  SpinEdit1->setEnabled(SpinEdit1->minimum() != SpinEdit1->maximum());
  updateExportControls();
}

void TPrevForm::pagesReplaced(int pageCount) {
  // Loaded pages (or a new generation) bring their own count: the spinner, the count and the
  // page shown follow it, so every page can be reached and none past the end is asked for.
  SpinEdit1->setRange(1, std::max(1, pageCount));
  SpinEdit1->setEnabled(pageCount > 1);
  showPageCount(pageCount);
  QRPreview1->setPageNumber(SpinEdit1->value());
  updateExportControls();
}

void TPrevForm::SpinEdit1Change(int value) {
  QRPreview1->setPageNumber(value);
}

// ----- zoom -----

void TPrevForm::CB_zoomChange(int index) {
  if (index < 0) return;
  if (index < kFitPageItem) {
    QRPreview1->zoomToFit();
    QRPreview1->setZoom(kItemZooms[index]);
  } else if (index == kFitPageItem) {
    QRPreview1->zoomToFit();
  } else if (index == kFitWidthItem) {
    QRPreview1->zoomToWidth();
  }
}

void TPrevForm::CB_zoomKeyPress() {
  QRPreview1->setZoom(zoomFromText(CB_zoom->currentText()));  // ignored outside 2 to 2000
  if (QRPreview1->zoom() > kMaxTypedZoom) QRPreview1->setZoom(kMaxTypedZoom);
  CB_zoom->setEditText(QString::number(QRPreview1->zoom()) + QStringLiteral(" %"));
}

void TPrevForm::setPdfButtonEnabled(bool enabled) {
  pdfAllowed_ = enabled;
  updateExportControls();
}

void TPrevForm::updateExportControls() {
  // Pages still being made would be printed, saved or exported in part.
  const bool complete = printer_ && !printer_->generating();
  SB_imprimir->setEnabled(complete);
  bb_salvar->setEnabled(complete);
  BitBtn2->setEnabled(complete && pdfAllowed_);
  BitBtn3->setEnabled(BitBtn2->isEnabled());
}

void TPrevForm::BitBtn1Click() {
  close();
}

}  // namespace quiral
