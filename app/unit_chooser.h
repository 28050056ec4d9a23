#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "render/unit_selection.h"

class QAbstractScrollArea;
class QCheckBox;
class QComboBox;
class QLabel;

namespace quiral {

// The unit chooser ("Unidade") and the body-style switch ("De Morgan") beside the symbol view.
// It holds the choice for the component on show and says when the user changes it; Page Up and
// Page Down step units while the symbol view, the chooser or a control that leaves those keys
// alone has the focus (lists and the memo keep paging with them).
class UnitChooser : public QWidget {
  Q_OBJECT

 public:
  // `view` is the symbol view, whose own paging the unit steps take over; `window` gets the keys
  // that no control used.
  UnitChooser(QWidget* parent, QAbstractScrollArea* view, QWidget* window);

  // A new component (or the same one chosen again): unit A, body style 1.
  void showComponent(const std::vector<std::string>& memo, std::vector<std::string> unitNames);
  const UnitChoice& choice() const { return selection_.choice(); }
  // Chooses `choice` where the component on show has it (a remembered choice); true when the
  // choice changed.
  bool restoreChoice(const UnitChoice& choice);

 signals:
  // The user chose another unit or body style.
  void choiceChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void unitPicked(int row);
  void deMorganToggled(bool on);
  // Shows the selection in the controls without reporting it as the user's choice.
  void mirror();

  UnitSelection selection_;
  QAbstractScrollArea* view_;
  QWidget* window_;
  QLabel* label_ = nullptr;
  QComboBox* units_ = nullptr;
  QCheckBox* deMorgan_ = nullptr;
  bool mirroring_ = false;
};

}  // namespace quiral
