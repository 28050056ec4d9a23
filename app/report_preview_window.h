#pragma once

#include <QWidget>

#include "report_engine/preview_interface.h"
#include "report_engine/printer.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace quiral {

class Dialogs;
class TQRPreview;

// The engine's own plain preview window, used while no preview interface is registered: the page
// view, the page number with the page count, and a close button. Closing it (button, Escape or
// the window's close box) tells the printer object that the preview is closed.
class ReportPreviewWindow : public QWidget, public PreviewWindow {
  Q_OBJECT

 public:
  ReportPreviewWindow(TQRPrinter& printer, Dialogs& dialogs, QWidget* parent = nullptr);
  ~ReportPreviewWindow() override;

  TQRPreview* view() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void showPageCount(int pageCount);

  TQRPrinter& printer_;
  TQRPreview* view_;
  QSpinBox* page_;
  QLabel* pageCount_;
  QPushButton* close_;
};

// Opens a ReportPreviewWindow for each preview.
class EnginePreviewInterface : public TQRPreviewInterface {
 public:
  // The windows report what they cannot show through `dialogs`, which must outlive them.
  explicit EnginePreviewInterface(Dialogs& dialogs) : dialogs_(dialogs) {}
  PreviewWindow* show(TQRPrinter& printer) override;
  // Returns once the window is closed; the window no longer exists then, so the result is null.
  PreviewWindow* showModal(TQRPrinter& printer) override;

 private:
  Dialogs& dialogs_;
};

}  // namespace quiral
