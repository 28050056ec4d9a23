#pragma once

#include <QLayout>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

namespace quiral {

// The fractions of the extra width (X) and height (Y) by which a control moves and grows.
struct LayoutFollow {
  double moveX = 0;
  double growX = 0;
  double moveY = 0;
  double growY = 0;
};

// Keeping a control apart from its neighbours in a row of text. With `fitText` the control is at
// least as wide as its size hint (a label or spinner whose text is wider in the fonts used here
// than in its designed width). With `after` (a control added earlier to the same layout) it stands
// at least `gap` pixels right of that one, or as far as it stood at the designed place when that
// was nearer; it is pushed right only as far as needed, so the room between the controls of a
// row takes up the push before the controls after it move.
struct LayoutRow {
  QWidget* after = nullptr;
  int gap = 6;
  bool fitText = false;
};

// A layout for a window drawn at a designed size: at that size every control stands exactly at
// its designed place; when the container is larger or smaller, each control moves and grows by
// its share of the difference (LayoutFollow), and controls in a row of text keep apart
// (LayoutRow). Controls are placed at their rectangles as given, whatever their size policies say.
class DesignedLayout : public QLayout {
 public:
  DesignedLayout(QWidget* container, QSize designedSize, QSize minimumSize);
  ~DesignedLayout() override;

  // Adds `widget` (a child of the container) at its present geometry, its designed place.
  void add(QWidget* widget, LayoutFollow follow = {}, LayoutRow row = {});
  // Measures the extra size on `outer`, designed at `outerDesignedSize`, instead of on the
  // container: a tab control's page, whose size at the designed size depends on the style, grows
  // as the tab control does.
  void growWith(const QWidget* outer, QSize outerDesignedSize);

  QSize sizeHint() const override { return designedSize_; }
  QSize minimumSize() const override { return minimumSize_; }
  void setGeometry(const QRect& rect) override;
  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override { return int(items_.size()); }

 private:
  struct Placed {
    QLayoutItem* item;
    QRect designed;
    LayoutFollow follow;
    LayoutRow row;
  };

  QSize extraSize(const QRect& rect) const;
  // The index of the control before `index` in its row, or -1.
  int predecessorOf(size_t index) const;
  // The least room kept between the control `index` and the one `before` it in its row.
  int leastGap(size_t index, size_t before) const;
  // Where the control `index` stands for `extra`, kept clear of the row's earlier controls
  // (already in `placed`).
  QRect placeOf(size_t index, QSize extra, const std::vector<QRect>& placed) const;
  // A row that runs past the container's right edge gives up the room between its controls
  // beyond their least gaps, from its end backwards, so that its last control is not cut off.
  void pullRowsInside(std::vector<QRect>& placed, int width) const;

  QSize designedSize_;
  QSize minimumSize_;
  QPointer<const QWidget> outer_;
  QSize outerDesignedSize_;
  std::vector<Placed> items_;
};

}  // namespace quiral
