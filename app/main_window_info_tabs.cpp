// The main window's "Propriedades" and "Pinos" tabs: the properties and the pin table of the
// symbol or alias on show, read from its block through the line dispatcher the drawing uses. They
// are filled only while one of them is open, so choosing components costs nothing more otherwise.

#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>

#include "app/main_window.h"
#include "app/pin_table_tab.h"
#include "app/properties_tab.h"
#include "library/documentation_entry.h"
#include "library/library_browser.h"
#include "library/pin_table.h"
#include "platform/error.h"
#include "render/renderer.h"
#include "render/symbol_properties.h"

namespace quiral {

namespace {

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The tabs' captions with less room around them, so that all four fit the tab control at its
// designed width instead of the last hiding behind the scroll arrows.
class CompactTabsStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? value / 2 : value;
  }
};

}  // namespace

void TForm1::buildInfoTabs() {
  propertiesTab_ = new PropertiesTab;
  pinTab_ = new PinTableTab;
  TabControl1->addTab(propertiesTab_, tr("Propriedades"));
  TabControl1->addTab(pinTab_, tr("Pinos"));
  auto* compact = new CompactTabsStyle;
  compact->setParent(TabControl1->tabBar());
  TabControl1->tabBar()->setStyle(compact);
  connect(TabControl1, &QTabWidget::currentChanged, this, [this] { mirrorInfoTabs(); });
}

void TForm1::mirrorInfoTabs() {
  QWidget* open = TabControl1->currentWidget();
  if (open != propertiesTab_ && open != pinTab_) return;
  std::vector<std::string> block = drawnBlock();
  const LibraryBrowser& browser = session_.browser;
  const bool shows = !block.empty() && browser.components().hasSelection();
  if (open == pinTab_) {
    if (block == pinsShown_) return;
    pinTab_->showPins(shows ? pinTable(block) : std::vector<PinRow>{});
    pinsShown_ = std::move(block);
    return;
  }
  if (block == propertiesShown_) return;
  if (!shows) {
    propertiesTab_->clear();
    propertiesShown_ = std::move(block);
    return;
  }
  const std::string& path = browser.CurrentLibraryPath();
  const std::string name = aliasShown() ? shownAlias_ : browser.components().selectedEntry();
  DocumentationEntry doc;
  // A documentation file that cannot be read leaves its texts out; the block still shows.
  try {
    const auto translation = browser.modernTranslation();
    doc = translation ? findDocumentationEntry({}, &translation->documentationText, name)
                      : findDocumentationEntry(
                            joinPath(folderOf(path), documentationFileName(path)), nullptr, name);
  } catch (const QuiralError&) {
    doc = {};
  }
  propertiesTab_->showProperties(describeSymbol(block, aliasShown() ? shownAlias_ : std::string(),
                                                fileNameOf(path), doc, browser.shownUnitNames()));
  propertiesShown_ = std::move(block);
}

}  // namespace quiral
