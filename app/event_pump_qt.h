#pragma once

#include "report_engine/preview_interface.h"

namespace quiral {

// The engine's event pump on Qt's event loop: a preview lets the windows work between pages and
// waits for its window to close in a nested loop.
class QtEventPump : public EventPump {
 public:
  void processEvents() override;
  void waitUntil(const std::function<bool()>& done) override;
};

class Dialogs;

// Gives a program's previews the engine's own preview window and Qt's event loop. Called at
// program start, before any report is previewed; `dialogs` must outlive the registry's use.
void installReportPreviewServices(PreviewRegistry& registry, Dialogs& dialogs);

}  // namespace quiral
