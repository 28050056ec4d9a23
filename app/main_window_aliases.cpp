// The main window's component list with aliases: each symbol's aliases follow it, marked; choosing
// one draws the symbol with the alias's name as its value.

#include <QFont>
#include <QListWidgetItem>

#include "app/main_window.h"
#include "app/unit_chooser.h"
#include "app/user_list_box.h"
#include "library/text_words.h"
#include "platform/error.h"
#include "platform/text_codec.h"
#include "render/renderer.h"

namespace quiral {

namespace {

QString shown(const std::string& bytes) {
  return QString::fromStdString(displayText(bytes));
}

}  // namespace

void TForm1::listComponentRows() {
  const ComponentList& components = session_.browser.components();
  std::vector<std::vector<std::string>> aliases;
  // A file that cannot be read again lists its symbols without aliases; the read that failed
  // already said why.
  try {
    if (!components.empty()) aliases = session_.browser.readAliases();
  } catch (const QuiralError&) {
    aliases.clear();
  }
  rows_ = componentRows(components.size(), aliases);
  ListBox1->clear();
  QFont aliasFont = ListBox1->font();
  aliasFont.setItalic(true);
  for (const ComponentRow& row : rows_) {
    if (!row.isAlias()) {
      ListBox1->addItem(shown(components[row.component]));
      continue;
    }
    // Indented and in italics, with the symbol it draws in its tip.
    auto* item = new QListWidgetItem(QStringLiteral("   ") + shown(row.alias));
    item->setFont(aliasFont);
    item->setToolTip(tr("Alias de %1").arg(shown(components[row.component])));
    item->setData(Qt::UserRole, shown(row.alias));
    ListBox1->addItem(item);
  }
}

bool TForm1::aliasShown() const {
  const ComponentList& components = session_.browser.components();
  return !shownAlias_.empty() && components.hasSelection() &&
         components.selectedIndex() == aliasComponent_;
}

int TForm1::shownRow() const {
  const ComponentList& components = session_.browser.components();
  if (!components.hasSelection()) return -1;
  if (aliasShown()) {
    for (size_t r = 0; r < rows_.size(); ++r)
      if (int(rows_[r].component) == aliasComponent_ && rows_[r].alias == shownAlias_)
        return int(r);
  }
  return rowOfComponent(rows_, components.selectedIndex());
}

void TForm1::componentChosen(int row) {
  if (catalogGenerating() || row < 0 || size_t(row) >= rows_.size()) return;
  shownAlias_ = rows_[size_t(row)].alias;
  aliasComponent_ = int(rows_[size_t(row)].component);
  session_.browser.components().select(aliasComponent_);
  ListBox1Click();
}

bool TForm1::chooseAliasNamed(const std::string& name) {
  const std::string wanted = toUpperAscii(trimControl(name));
  for (const ComponentRow& row : rows_) {
    if (!row.isAlias() || !equalsUpper(trimControl(row.alias), wanted)) continue;
    shownAlias_ = row.alias;
    aliasComponent_ = int(row.component);
    session_.browser.components().select(aliasComponent_);
    session_.browser.ShowComponent();
    showUnitsOfComponent();
    renderDrawnBlock();
    return true;
  }
  return false;
}

std::vector<std::string> TForm1::drawnBlock() const {
  const std::vector<std::string>& memo = session_.browser.memo();
  return aliasShown() ? blockWithValue(memo, shownAlias_) : memo;
}

void TForm1::renderDrawnBlock() {
  if (aliasShown() || !unitChooser_->choice().isDefaultView())
    session_.renderer.RenderComponent(drawnBlock(), unitChooser_->choice());
}

}  // namespace quiral
