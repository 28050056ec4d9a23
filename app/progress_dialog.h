#pragma once

#include <QDialog>

#include "pdf/export_interfaces.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace quiral {

// The small window that an export shows while it writes pages: the page being exported and a
// bar that advances one step per page. It has no close button: an export cannot be cancelled.
class TFPrgrs : public QDialog, public ExportProgress {
  Q_OBJECT

 public:
  explicit TFPrgrs(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* Accion;
  QProgressBar* PB;

  void start(int pageCount) override;
  void pageStarted(int page, int pageCount, const std::string& caption) override;
  void pageDone() override;
  void finish() override;

 private:
  // The export keeps the event loop busy: paint what changed now, without taking user input.
  void showNow(QWidget* changed);
};

}  // namespace quiral
