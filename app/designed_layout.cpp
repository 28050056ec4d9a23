#include "app/designed_layout.h"

#include <QAbstractButton>
#include <QStyle>
#include <QWidget>
#include <QWidgetItem>
#include <algorithm>
#include <cmath>

namespace quiral {

namespace {

// The width a control needs to show its text whole. A push button's size hint is at least 80
// pixels in some styles, wider than the designed buttons: it is measured on its caption instead.
int textWidth(const QWidget& widget) {
  const auto* button = qobject_cast<const QAbstractButton*>(&widget);
  if (!button || button->text().isEmpty()) return widget.sizeHint().width();
  const QStyle* style = button->style();
  QString caption = button->text();
  caption.remove(QLatin1Char('&'));
  return button->fontMetrics().horizontalAdvance(caption) +
         2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
}

}  // namespace

DesignedLayout::DesignedLayout(QWidget* container, QSize designedSize, QSize minimumSize)
    : QLayout(container), designedSize_(designedSize), minimumSize_(minimumSize) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
}

DesignedLayout::~DesignedLayout() {
  for (Placed& p : items_) delete p.item;
}

void DesignedLayout::add(QWidget* widget, LayoutFollow follow, LayoutRow row) {
  addChildWidget(widget);
  items_.push_back({new QWidgetItem(widget), widget->geometry(), follow, row});
  invalidate();
}

void DesignedLayout::growWith(const QWidget* outer, QSize outerDesignedSize) {
  outer_ = outer;
  outerDesignedSize_ = outerDesignedSize;
  invalidate();
}

void DesignedLayout::addItem(QLayoutItem* item) {
  // Items come through add(), which knows their designed place; anything else keeps its own.
  const QRect place = item->widget() ? item->widget()->geometry() : item->geometry();
  items_.push_back({item, place, {}, {}});
}

QLayoutItem* DesignedLayout::itemAt(int index) const {
  return index >= 0 && size_t(index) < items_.size() ? items_[size_t(index)].item : nullptr;
}

QLayoutItem* DesignedLayout::takeAt(int index) {
  if (index < 0 || size_t(index) >= items_.size()) return nullptr;
  QLayoutItem* item = items_[size_t(index)].item;
  items_.erase(items_.begin() + index);
  invalidate();
  return item;
}

QSize DesignedLayout::extraSize(const QRect& rect) const {
  if (outer_) return outer_->size() - outerDesignedSize_;
  return rect.size() - designedSize_;
}

int DesignedLayout::predecessorOf(size_t index) const {
  const QWidget* after = items_[index].row.after;
  for (size_t j = 0; after && j < index; ++j) {
    if (items_[j].item->widget() == after) return int(j);
  }
  return -1;
}

int DesignedLayout::leastGap(size_t index, size_t before) const {
  const int designedGap = items_[index].designed.left() - items_[before].designed.right() - 1;
  return std::clamp(designedGap, 0, items_[index].row.gap);
}

QRect DesignedLayout::placeOf(size_t index, QSize extra, const std::vector<QRect>& placed) const {
  const Placed& p = items_[index];
  const auto share = [](double fraction, int amount) {
    return int(std::lround(fraction * amount));
  };
  QRect r(p.designed.x() + share(p.follow.moveX, extra.width()),
          p.designed.y() + share(p.follow.moveY, extra.height()),
          std::max(1, p.designed.width() + share(p.follow.growX, extra.width())),
          std::max(1, p.designed.height() + share(p.follow.growY, extra.height())));
  const QWidget* widget = p.item->widget();
  if (p.row.fitText && widget) r.setWidth(std::max(r.width(), textWidth(*widget)));
  if (const int before = predecessorOf(index); before >= 0)
    r.moveLeft(std::max(r.left(), placed[size_t(before)].right() + 1 + leastGap(index, before)));
  return r;
}

void DesignedLayout::pullRowsInside(std::vector<QRect>& placed, int width) const {
  std::vector<bool> followed(items_.size(), false);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (const int before = predecessorOf(i); before >= 0) followed[size_t(before)] = true;
  }
  for (size_t last = 0; last < items_.size(); ++last) {
    if (followed[last] || predecessorOf(last) < 0) continue;
    // The room between the row's controls beyond their least gaps; its first control stays.
    int slack = 0;
    for (size_t k = last; predecessorOf(k) >= 0; k = size_t(predecessorOf(k))) {
      const size_t before = size_t(predecessorOf(k));
      slack += std::max(0, placed[k].left() - placed[before].right() - 1 - leastGap(k, before));
    }
    // Each control moves left by what the gaps after it could not take up.
    int shift = std::min(slack, placed[last].right() + 1 - width);
    for (size_t k = last; shift > 0 && predecessorOf(k) >= 0; k = size_t(predecessorOf(k))) {
      const size_t before = size_t(predecessorOf(k));
      const int room = placed[k].left() - placed[before].right() - 1 - leastGap(k, before);
      placed[k].translate(-shift, 0);
      shift -= std::max(0, room);
    }
  }
}

void DesignedLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const QSize extra = extraSize(rect);
  std::vector<QRect> placed(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) placed[i] = placeOf(i, extra, placed);
  pullRowsInside(placed, rect.width());
  for (size_t i = 0; i < items_.size(); ++i) {
    const QRect onContainer = placed[i].translated(rect.topLeft());
    // Widgets go exactly where they are designed to be: a widget item would bound them by their
    // size policies (a push button no higher than its hint) and skip those not yet shown.
    if (QWidget* widget = items_[i].item->widget())
      widget->setGeometry(onContainer);
    else
      items_[i].item->setGeometry(onContainer);
  }
}

}  // namespace quiral
