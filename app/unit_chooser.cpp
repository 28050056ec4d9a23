#include "app/unit_chooser.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

#include "app/widget_placement.h"

namespace quiral {

UnitChooser::UnitChooser(QWidget* parent, QAbstractScrollArea* view, QWidget* window)
    : QWidget(parent), view_(view), window_(window) {
  setObjectName(QStringLiteral("UnitChooser"));
  label_ = placeLabel(this, "L_unidade", tr("Unidade"), 0, 2);
  units_ = place(new QComboBox(this), "CB_unidade", label_->width() + 6, 0, 110, 19);
  deMorgan_ = place(new QCheckBox(tr("De Morgan"), this), "CB_demorgan",
                    units_->geometry().right() + 12, 0, 90, 19);
  units_->setFocusPolicy(Qt::StrongFocus);
  connect(units_, &QComboBox::currentIndexChanged, this, &UnitChooser::unitPicked);
  connect(deMorgan_, &QCheckBox::toggled, this, &UnitChooser::deMorganToggled);
  if (view_) view_->installEventFilter(this);
  if (window_) window_->installEventFilter(this);
  mirror();
}

void UnitChooser::showComponent(const std::vector<std::string>& memo,
                                std::vector<std::string> unitNames) {
  selection_.showComponent(memo, std::move(unitNames));
  mirror();
}

void UnitChooser::mirror() {
  mirroring_ = true;
  {
    const QSignalBlocker blockUnits(units_);
    const QSignalBlocker blockStyle(deMorgan_);
    const std::vector<std::string> labels = selection_.unitLabels();
    if (units_->count() != int(labels.size()) ||
        units_->itemText(units_->count() - 1) != QString::fromStdString(labels.back())) {
      units_->clear();
      for (const std::string& label : labels) units_->addItem(QString::fromUtf8(label));
    }
    units_->setCurrentIndex(selection_.choice().unit - 1);
    units_->setEnabled(selection_.chooserEnabled());
    deMorgan_->setChecked(selection_.choice().style == 2);
    deMorgan_->setEnabled(selection_.deMorganEnabled());
  }
  mirroring_ = false;
}

bool UnitChooser::restoreChoice(const UnitChoice& choice) {
  const bool unit = selection_.chooseUnit(choice.unit);
  const bool style = selection_.chooseDeMorgan(choice.style == 2);
  mirror();
  return unit || style;
}

void UnitChooser::unitPicked(int row) {
  if (!mirroring_ && selection_.chooseUnit(row + 1)) emit choiceChanged();
}

void UnitChooser::deMorganToggled(bool on) {
  if (!mirroring_ && selection_.chooseDeMorgan(on)) emit choiceChanged();
}

bool UnitChooser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == view_ || watched == window_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int delta = key->key() == Qt::Key_PageDown ? 1 : key->key() == Qt::Key_PageUp ? -1 : 0;
    // A one-unit symbol leaves the keys to the view's own scrolling.
    if (delta != 0 && key->modifiers() == Qt::NoModifier && selection_.chooserEnabled()) {
      if (selection_.stepUnit(delta)) {
        mirror();
        emit choiceChanged();
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quiral
