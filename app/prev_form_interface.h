#pragma once

#include <QList>
#include <QPointer>
#include <memory>

#include "report_engine/preview_interface.h"

namespace quiral {

class Dialogs;
class PreviewHost;
class TPrevForm;

// Routes every report preview to a fresh TPrevForm. The main window registers one with the
// report engine when it is made.
class tqrpreviewinterf : public TQRPreviewInterface {
 public:
  // `host` (not owned, may be null) and `dialogs` are handed to every window this opens.
  tqrpreviewinterf(PreviewHost* host, Dialogs& dialogs);
  // The same with a host that this interface keeps.
  tqrpreviewinterf(std::unique_ptr<PreviewHost> host, Dialogs& dialogs);
  // Closes the windows it opened that are still open, while their pages still exist.
  ~tqrpreviewinterf() override;

  // Opens a window for the pages without blocking, maximised, or beside the newest preview
  // still open when there is one; it is destroyed when closed.
  PreviewWindow* show(TQRPrinter& printer) override;
  // The same, but returns once the window is closed (it no longer exists then: null).
  PreviewWindow* showModal(TQRPrinter& printer) override;

 private:
  TPrevForm* open(TQRPrinter& printer);

  std::unique_ptr<PreviewHost> ownHost_;
  PreviewHost* host_;
  Dialogs& dialogs_;
  QList<QPointer<TPrevForm>> windows_;
};

}  // namespace quiral
